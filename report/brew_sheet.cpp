// report/brew_sheet.cpp — the printable brew-day sheet of a recipe: one A4 HTML page, no script.
#include "report/brew_sheet.h"

#include "calc/brew_day_text.h"
#include "core/brewing_units.h"
#include "core/display_text.h"
#include "core/replace_file.h"
#include "core/text.h"
#include "report/fermentation_text.h"
#include "report/report_page.h"

#include <algorithm>
#include <vector>

namespace
{

const char kStyleSheet[] =
    "<style>\n"
    "@page { size: A4; margin: 12mm; }\n"
    "body { font-family: sans-serif; font-size: 10pt; color: #000; }\n"
    "h1 { font-size: 16pt; margin: 0 0 2mm 0; }\n"
    "h2 { font-size: 11pt; margin: 4mm 0 1mm 0; border-bottom: 1px solid #000; }\n"
    "table { border-collapse: collapse; width: 100%; }\n"
    "td, th { border: 1px solid #888; padding: 1mm 2mm; text-align: left; vertical-align: top; }\n"
    "td.n { text-align: right; white-space: nowrap; }\n"
    ".box { display: inline-block; width: 3.5mm; height: 3.5mm; border: 1px solid #000; }\n"
    ".blank { display: inline-block; min-width: 25mm; border-bottom: 1px solid #000; }\n"
    "section { page-break-inside: avoid; }\n"
    "@media screen { body { max-width: 190mm; margin: auto; } }\n"
    "</style>\n";

std::string f2(double x)
{
    return format_decimals(x, 2);
}

std::string e(const std::string& text)
{
    return html_escape(text);
}

const std::string kBox = "<span class='box'></span>";
const std::string kBlank = "<span class='blank'></span>";

bool is_boil_step(const std::string& step)
{
    return step == "EBULLITION" || step == "AMERISATION" || step == "AROMATISATION";
}

// A row of lines to weigh: box, quantity, designation, and what the line says of itself.
void add_weigh_rows(std::string& page, const std::vector<const RecipeLine*>& lines)
{
    for (const RecipeLine* l : lines)
        page += "<tr><td>" + kBox + "</td><td class='n'>" + e(l->quantity) + "</td><td>" + e(l->designation) +
                "</td><td>" + e(l->category) + "</td></tr>\n";
}

void add_ingredients(std::string& page, const Recipe& recipe, const Estimates& est)
{
    static const struct {
        const char* title;
        bool (*holds)(const RecipeLine&);
    } kGroups[] = {
        {"Empâtage", [](const RecipeLine& l) { return l.step == "EMPATAGE" && l.category != "EAU"; }},
        {"Ébullition", [](const RecipeLine& l) { return is_boil_step(l.step) && l.category != "EAU"; }},
        {"Fermentation", [](const RecipeLine& l) { return l.step == "FERMENTATION"; }},
        {"Autres",
         [](const RecipeLine& l) {
             return l.category != "EAU" && l.step != "EMPATAGE" && !is_boil_step(l.step) &&
                    l.step != "FERMENTATION";
         }},
    };
    page += "<section><h2>1. Ingrédients à peser</h2>\n<table>\n";
    for (const auto& group : kGroups) {
        std::vector<const RecipeLine*> lines;
        for (const RecipeLine& l : recipe.lines)
            if (group.holds(l))
                lines.push_back(&l);
        if (lines.empty())
            continue;
        page += "<tr><th colspan='4'>" + std::string(group.title) + "</th></tr>\n";
        add_weigh_rows(page, lines);
    }
    page += "</table>\nTotal des grains : " + f2(est.malt_kg) +
            " kg ; total du houblon : " + f2(grams_of_kg(est.hop_kg)) + " g</section>\n";
}

void add_water(std::string& page, const Recipe& recipe, const BrewDay& day)
{
    page += "<section><h2>2. Eau et sels</h2>\n<table>\n";
    for (const RecipeLine& l : recipe.lines)
        if (l.category == "EAU")
            page += "<tr><td>" + kBox + "</td><td class='n'>" + e(l.quantity) + "</td><td>" +
                    e(l.designation) + "</td><td>" + e(l.step) + "</td></tr>\n";
    page += "</table>\n";
    page += "<p>" + kBox + " Eau d'empâtage : " + f2(day.mash.strike_litres) + " L";
    if (!day.mash.steps.empty())
        page += " chauffée à " + f2(day.mash.strike_temperature) + " °C (mesurée : " + kBlank + " °C)";
    page += "</p></section>\n";
}

void add_mash(std::string& page, const BrewDay& day)
{
    page += "<section><h2>3. Empâtage</h2>\n<table>\n<tr><th></th><th>Palier</th><th>Température</th>"
            "<th>Durée</th><th>À faire</th><th>Mesuré</th></tr>\n";
    for (size_t k = 0; k < day.mash.steps.size(); k++) {
        const MashStepPlan& s = day.mash.steps[k];
        page += "<tr><td>" + kBox + "</td><td>" + e(s.step.name) + " (" + mash_kind_text(s.step.kind) +
                ")</td><td class='n'>" + f2(s.step.temperature) + " °C</td><td class='n'>" +
                f2(s.step.minutes) + " min</td><td>" + e(mash_action_text(s, day.mash, k == 0)) +
                "</td><td>" + kBlank + " °C</td></tr>\n";
    }
    page += "</table>\n<p>pH de l'empâtage : " + kBlank + "</p></section>\n";
    page +=
        "<section><h2>4. Rinçage</h2>\n<p>" + kBox + " Eau de rinçage : " + f2(day.mash.sparge_litres) + " L";
    if (day.mash.sparge_litres > 0)
        page += " à " + f2(day.mash.sparge_temperature) + " °C";
    page += "</p>\n<p>Volume avant ébullition : prévu " + f2(day.volumes.pre_boil_litres) + " L, mesuré " +
            kBlank + " L ; densité : prévue " + f2(day.volumes.pre_boil_density) + ", mesurée " + kBlank +
            "</p></section>\n";
}

void add_boil(std::string& page, const Recipe& recipe, const BrewDay& day)
{
    std::vector<const RecipeLine*> additions, stand;
    for (const RecipeLine& l : recipe.lines) {
        if (!is_boil_step(l.step) || l.category == "EAU")
            continue;
        if (l.step == "AROMATISATION" && !(text_to_number(l.time) > 0))
            stand.push_back(&l);
        else
            additions.push_back(&l);
    }
    // The longest boil first: the order in which they go into the kettle.
    std::stable_sort(additions.begin(), additions.end(), [](const RecipeLine* a, const RecipeLine* b) {
        return text_to_number(a->time) > text_to_number(b->time);
    });
    page += "<section><h2>5. Ébullition : " + f2(day.boil_minutes) +
            " min</h2>\n<table>\n"
            "<tr><th></th><th>Minute</th><th>Reste</th><th>Ajout</th></tr>\n";
    page += "<tr><td>" + kBox + "</td><td class='n'>0</td><td class='n'>" + f2(day.boil_minutes) +
            " min</td><td>Début de l'ébullition</td></tr>\n";
    for (const RecipeLine* l : additions) {
        const double left = std::min(text_to_number(l->time), day.boil_minutes);
        page += "<tr><td>" + kBox + "</td><td class='n'>" + f2(std::max(0.0, day.boil_minutes - left)) +
                "</td><td class='n'>" + f2(left) + " min</td><td>" + e(l->quantity) + " " +
                e(l->designation) + "</td></tr>\n";
    }
    page += "<tr><td>" + kBox + "</td><td class='n'>" + f2(day.boil_minutes) +
            "</td><td class='n'>0 min</td><td>Fin de l'ébullition</td></tr>\n</table>\n";
    page += "<p>Volume après ébullition : prévu " + f2(day.volumes.post_boil_litres) + " L, mesuré " +
            kBlank + " L</p></section>\n";
    page += "<section><h2>6. Hors du feu (hop stand)</h2>\n";
    if (stand.empty())
        page += "<p>Aucun ajout.</p>\n";
    for (const RecipeLine* l : stand)
        page += "<p>" + kBox + " " + e(l->quantity) + " " + e(l->designation) + "</p>\n";
    page += "</section>\n";
}

void add_fermentation(std::string& page, const RecipeReport& report, const BrewDay& day)
{
    const Estimates& est = report.estimates;
    const double top_up = day.volumes.top_up_litres;
    page += "<section><h2>7. Refroidissement</h2>\n<p>" + kBox + " Moût refroidi à " + kBlank + " °C";
    // The top-up water goes into the fermenter with the cooled wort, before the yeast.
    if (top_up > 0)
        page += "</p>\n<p>" + kBox + " Eau d'appoint versée au fermenteur : " + f2(top_up) + " L";
    page += " ; en fermenteur : prévu " + f2(day.volumes.fermenter_litres) + " L, mesuré " + kBlank +
            " L</p>\n<p>Densité initiale : prévue " + f2(est.initial_density) + ", mesurée " + kBlank +
            "</p></section>\n";
    page += "<section><h2>8. Levure et fermentation</h2>\n";
    for (const RecipeLine& l : report.recipe.lines)
        if (l.step == "FERMENTATION" && !(top_up > 0 && l.category == "EAU"))
            page += "<p>" + kBox + " " + e(l.quantity) + " " + e(l.designation) + "</p>\n";
    const std::vector<FermentationStep>& steps = report.recipe.plan.fermentation;
    for (size_t i = 0; i < steps.size(); i++)
        page += "<p>" + kBox + " " + e(fermentation_step_text(steps[i], i + 1)) + " ; commencée le " +
                kBlank + "</p>\n";
    page += "<p>Ensemencée le " + kBlank + " à " + kBlank + " °C ; densité finale : prévue " +
            f2(est.final_density) + ", mesurée " + kBlank + "</p></section>\n";
    page += "<section><h2>9. Mise en bouteille</h2>\n<p>Volume conditionné : prévu " +
            f2(day.volumes.packaged_litres) + " L, mesuré " + kBlank + " L</p>\n<p>" + kBox +
            " Carbonatation " + e(report.recipe.carbonation) + " : " + f2(est.sugar_per_litre) +
            " g/L de sucre, soit " + f2(est.sugar_per_litre * day.volumes.packaged_litres) +
            " g pour le volume prévu</p></section>\n";
}

} // namespace

std::string brew_sheet_html(const RecipeReport& report)
{
    const Recipe& recipe = report.recipe;
    const BrewDay day = brew_day(report.estimates, report.settings, recipe.plan);
    std::string page =
        "<!DOCTYPE html>\n<html lang='fr'><head><meta charset='utf-8'>\n<title>Feuille de brassage : " +
        e(recipe.title) + "</title>\n" + kStyleSheet + "</head><body>\n";
    page += "<h1>Feuille de brassage : " + e(recipe.title) + "</h1>\n";
    page += "<p>" + e(recipe.style.category) + " - " + e(recipe.style.name) + " ; brassée le " + kBlank +
            " ; volume final prévu " + f2(report.estimates.final_volume) + " L</p>\n";
    add_ingredients(page, recipe, report.estimates);
    add_water(page, recipe, day);
    add_mash(page, day);
    add_boil(page, recipe, day);
    add_fermentation(page, report, day);
    if (!recipe.plan.notes.empty())
        page += "<section><h2>Notes</h2>\n<p>" + e(recipe.plan.notes) + "</p></section>\n";
    page += "</body></html>\n";
    // The page says it is UTF-8: a text of an older file is shown converted, as the window shows it.
    return display_text(page);
}

bool write_brew_sheet_file(const std::string& path, const RecipeReport& report, std::string* why)
{
    return replace_file(path, brew_sheet_html(report), why, LinkPolicy::replace);
}

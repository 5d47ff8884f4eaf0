// report/report_page.cpp — the report page's text, line by line in a fixed order. No file, no GTK.
#include "report/report_page.h"

#include "calc/brew_day_text.h"
#include <algorithm>

#include "calc/breakdown_text.h"
#include "calc/water_text.h"
#include "calc/format.h"
#include "core/brewing_units.h"
#include "core/display_text.h"
#include "report/fermentation_text.h"

std::string html_escape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

static std::string f2(double x)
{
    return format_decimals(x, 2);
}

// By default the picture's address is relative: the page lies beside "images/".
static std::string image_tag(const std::string& picture, const PictureAddress& address)
{
    return "<img src='" + html_escape(address ? address(picture) : "./images/" + picture + ".png") + "'>";
}

// One line of the page and its LF.
static void add_line(std::string& page, const std::string& text)
{
    page += text;
    page += '\n';
}

// Each line's share of the estimates above, and the settings that shaped them.
// The mash schedule carried out and the volumes at each stage.
static void add_brew_day(std::string& page, const RecipeReport& report)
{
    const BrewDay day = brew_day(report.estimates, report.settings, report.recipe.plan);
    add_line(page, "<h3>Journée de brassage :</h3>");
    for (size_t k = 0; k < day.mash.steps.size(); k++) {
        const MashStepPlan& step = day.mash.steps[k];
        add_line(page, html_escape(step.step.name) + " : " + f2(step.step.temperature) + " °C, " +
                           f2(step.step.minutes) + " min (" + mash_kind_text(step.step.kind) +
                           ") : " + html_escape(mash_action_text(step, day.mash, k == 0)) + "<br>");
    }
    for (const BrewDayRow& row : brew_day_rows(day))
        add_line(page, html_escape(row.label) + " : " + html_escape(row.value) + "<br>");
}

static void add_breakdown(std::string& page, const RecipeReport& report)
{
    const Recipe& recipe = report.recipe;
    const BreakdownTable table = breakdown_table(breakdown(
        recipe.lines.data(), recipe.lines.size(), report.settings, recipe.forced, &report.estimates));
    add_line(page, "<h3>Détail des estimations :</h3>");
    add_line(page, "<table border='1' cellspacing='0' cellpadding='3'>");
    std::string header = "<tr>";
    for (const std::string& cell : table.header)
        header += "<th>" + html_escape(cell) + "</th>";
    add_line(page, header + "</tr>");
    for (const std::vector<std::string>& row : table.rows) {
        std::string text = "<tr>";
        for (size_t column = 0; column < row.size(); column++)
            text += (column == 1 ? "<td>" : "<td align='right'>") + html_escape(row[column]) + "</td>";
        add_line(page, text + "</tr>");
    }
    add_line(page, "</table>");
    for (const std::string& setting : table.settings)
        add_line(page, html_escape(setting) + "<br>");
}

// The water and the mash pH: the summary, then each line's share of the charge balance.
static void add_water(std::string& page, const RecipeReport& report)
{
    add_line(page, "<h3>Eau et pH d'empâtage :</h3>");
    for (const std::string& text : water_summary_lines(report.estimates))
        add_line(page, html_escape(text) + "<br>");
    for (const std::string& text : report.water_breakdown)
        add_line(page, "- " + html_escape(text) + "<br>");
}

// The recipe's notes, when it has some, each of their lines a line of the page.
static void add_notes(std::string& page, const std::string& notes)
{
    if (notes.empty())
        return;
    add_line(page, "<h3>Notes :</h3>");
    std::string text = html_escape(notes);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end()); // the page's lines end in LF only
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 5))
        text.replace(at, 1, "<br>\n");
    add_line(page, text + "<br>");
}

// The recipe's planned fermentation steps, when it plans some.
static void add_fermentation(std::string& page, const std::vector<FermentationStep>& steps)
{
    if (steps.empty())
        return;
    add_line(page, "<h3>Fermentation :</h3>");
    for (size_t i = 0; i < steps.size(); i++)
        add_line(page, html_escape(fermentation_step_text(steps[i], i + 1)) + "<br>");
}

std::string report_page(const RecipeReport& report, const PictureAddress& address)
{
    std::string page;
    const Recipe& recipe = report.recipe;
    const StyleEntry& style = recipe.style;
    const Estimates& e = report.estimates;
    add_line(page, "<html><head><title>Cuvelo : Créateur de recette de bière</title><meta "
                   "http-equiv='content-type' content='text/html; charset=utf-8' /></head><body>");
    add_line(page, "<h2>Cuvelo : Créateur de recette de bière</h2>");
    add_line(page, "<h3>Recette : " + html_escape(recipe.title) + "</h3>");
    add_line(page, "( " + html_escape(report.file_base_name) + " )<br>");
    add_line(page, "<h3>Style :</h3>");
    add_line(page, image_tag(style.picture, address) + "<br><br>");
    add_line(page, html_escape(style.category) + " - " + html_escape(style.name) + "<br><br>");
    add_line(page, html_escape(style.description) + "<br><br>");
    add_line(page,
             "Densité Initiale : " + html_escape(style.og_min) + " - " + html_escape(style.og_max) + "<br>");
    add_line(page,
             "Densité Finale : " + html_escape(style.fg_min) + " - " + html_escape(style.fg_max) + "<br>");
    add_line(page, "Couleur : " + html_escape(style.ebc_min) + " - " + html_escape(style.ebc_max) + "<br>");
    add_line(page, "Amertume : " + html_escape(style.ibu_min) + " - " + html_escape(style.ibu_max) + "<br>");
    add_line(page, "<h3>Ingrédients :</h3>");
    for (const RecipeLine& line : recipe.lines) {
        add_line(page, image_tag(line.picture, address) + " " + html_escape(line.quantity) + " " +
                           html_escape(line.designation) + " " + html_escape(line.value) + " " +
                           html_escape(line.yield) + " " + html_escape(line.time) + " " +
                           html_escape(line.step) + "<br>");
    }
    add_line(page, "<h3>Estimations :</h3>");
    add_line(page, "Volume final : " + f2(e.final_volume) + " L<br>");
    add_line(page, "Eau pour l'empâtage : " + f2(e.mash_water) + " L<br>");
    add_line(page, "Eau pour le rinçage : " + f2(e.rinse_water) + " L<br>");
    add_line(page, "Malt : " + f2(e.malt_kg) + " KG<br>");
    add_line(page, "Houblon : " + f2(grams_of_kg(e.hop_kg)) + " G<br>");
    add_line(page, "Densité Initiale : " + f2(e.initial_density) + "<br>");
    add_line(page, "Densité Finale : " + f2(e.final_density) + "<br>");
    add_line(page, "Alcool : " + f2(e.alcohol) + " %VOL<br>");
    add_line(page, "Couleur : " + f2(e.colour_ebc) + " EBC<br>");
    add_line(page, "Amerture : " + f2(e.bitterness_ibu) + " IBU<br>");
    add_line(page, "<br>Prix de revient : " + f2(report.cost) + " €<br>");
    add_line(page, "<br>Carbonatation : " + html_escape(recipe.carbonation) + "<br>");
    add_line(page, "- Sucre : " + f2(e.sugar_per_litre) + " G/L" + "<br>");
    add_line(page, "- Extrait : " + f2(e.extract_per_litre) + " G/L" + "<br>");
    add_notes(page, recipe.plan.notes);
    add_fermentation(page, recipe.plan.fermentation);
    add_breakdown(page, report);
    add_brew_day(page, report);
    add_water(page, report);
    add_line(page, "<br><br></body></html>");
    // The page says it is UTF-8: a text of an older file is shown converted, as the window shows it.
    return display_text(page);
}

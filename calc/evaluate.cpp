// calc/evaluate.cpp — the recipe on screen and its estimates: every read and write of the workspace that
// calc/ makes is here, around pure rules.
#include "calc/evaluate.h"

#include "calc/cost.h"
#include "calc/priming.h"
#include "calc/recipe_settings.h"
#include "calc/scale.h"
#include "calc/water.h"
#include "calc/water_chemistry.h"
#include "calc/water_solver.h"
#include "calc/water_text.h"
#include "core/quantity.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/water_profiles.h"

#include <cmath>

Settings settings_on_screen()
{
    return settings_for_recipe(ws.settings, ws.plan);
}

void evaluate_recipe()
{
    // Kept between evaluations, so that the per-line figures need no allocation once the recipe is full.
    static std::vector<LineEstimate> per_line;
    const size_t count = static_cast<size_t>(ws.line_count);
    const ForcedVolume forced{ws.volume_forced == 1, ws.forced_volume};
    const Estimates e = estimate(&ws.lines[1], count, settings_on_screen(), forced, &per_line);

    // The priming figures are not the evaluation's: they stay until the next priming.
    const double sugar_per_litre = ws.estimates.sugar_per_litre;
    const double extract_per_litre = ws.estimates.extract_per_litre;
    ws.estimates = e;
    ws.estimates.sugar_per_litre = sugar_per_litre;
    ws.estimates.extract_per_litre = extract_per_litre;
    if (forced.on) {
        ws.calc_mash_water_l = e.mash_water;
        ws.calc_sparge_water_l = e.rinse_water;
    }

    // A line that no longer counts (its step or category changed) keeps no figures from before.
    RecipeLine* lines = &ws.lines[1];
    const LineEstimate* figures = per_line.data();
    for (size_t k = 0; k < count; k++) {
        const LineEstimate& f = figures[k];
        RecipeLine& line = lines[k];
        // Most lines of a recipe count for nothing and hold no figures: they are left unwritten.
        if (f.fermentable || f.hop || line.gravity_points != 0 || line.colour_points != 0 ||
            line.line_ibu != 0) {
            line.gravity_points = f.fermentable ? f.points : 0;
            line.colour_points = f.fermentable ? f.colour : 0;
            line.line_ibu = f.hop ? f.ibu : 0;
        }
        if (f.forced_water)
            lines[k].quantity = quantity_text(f.forced_litres, Unit::litre, 2);
    }
    // The water lines now hold the litres the forced volume gives.
    put_water_estimates(water_chemistry(lines, count, water_profiles()), ws.settings.ph_correction,
                        ws.estimates);
}

RecipeChange mash_ph_change_on_screen(double target)
{
    const IngredientEntry* lactic = nullptr;
    for (int i = 1; i <= ws.ingredient_count && !lactic; i++)
        if (category_of(ws.ingredients[i].category) == Category::other_addition &&
            additive_of_key(ws.ingredients[i].value) == Additive::lactic)
            lactic = &ws.ingredients[i];
    return solve_mash_ph(recipe_on_screen(), water_profiles(), target, ws.settings.ph_correction, lactic);
}

RecipeChange water_profile_change_on_screen(const std::string& name)
{
    const WaterProfile* target = find_water_profile(water_profiles(), name);
    if (!target) {
        RecipeChange change;
        change.message = "Aucun profil d'eau ne s'appelle « " + name + " » (voir bases/eaux.txt).";
        return change;
    }
    return solve_water_profile(recipe_on_screen(), water_profiles(), *target);
}

void apply_whole_recipe_change(const RecipeChange& change)
{
    if (!change.done)
        return;
    Recipe recipe = change.recipe;
    // A line the solver added has no picture yet.
    for (RecipeLine& line : recipe.lines)
        if (!line.picture_pixbuf)
            line = stored_line(line);
    put_recipe_on_screen(recipe);
}

WaterChemistry water_chemistry_on_screen()
{
    return water_chemistry(&ws.lines[1], static_cast<size_t>(ws.line_count), water_profiles());
}

double recipe_cost_on_screen()
{
    return recipe_cost(&ws.lines[1], static_cast<size_t>(ws.line_count), settings_on_screen(), ws.plan);
}

std::string priming_text_on_screen()
{
    const double volumes = text_to_number(ws.carbonation);
    const Priming priming = priming_for(volumes);
    ws.estimates.sugar_per_litre = priming.sugar_per_litre;
    ws.estimates.extract_per_litre = priming.extract_per_litre;
    return priming_text(priming, volumes, ws.estimates.final_volume);
}

RecipeReport recipe_report_on_screen()
{
    RecipeReport report;
    report.cost = recipe_cost_on_screen();
    priming_text_on_screen(); // only its per-litre figures are shown
    report.recipe = recipe_on_screen();
    report.file_base_name = ws.file_base_name;
    report.estimates = ws.estimates;
    report.settings = settings_on_screen();
    report.water_breakdown =
        water_breakdown_lines(water_chemistry_on_screen(), &ws.lines[1], static_cast<size_t>(ws.line_count));
    const std::string measured = measured_ph_text(ws.plan.measured_ph, ws.estimates);
    if (!measured.empty())
        report.water_breakdown.insert(report.water_breakdown.begin(), measured);
    const BrewDay day = brew_day_on_screen();
    report.strike_celsius = day.mash.strike_temperature;
    report.sparge_celsius = day.mash.sparge_temperature;
    return report;
}

ResultsText results_text_on_screen()
{
    ResultsText texts = results_text(ws.estimates, ws.style, settings_on_screen(), ws.style_display_mode,
                                     ws.volume_forced == 1);
    add_brew_day_labels(texts, brew_day_on_screen());
    return texts;
}

std::vector<RecipeLine> recipe_lines_on_screen()
{
    return std::vector<RecipeLine>(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
}

ForcedVolume forced_volume_on_screen()
{
    return ForcedVolume{ws.volume_forced == 1, ws.forced_volume};
}

std::vector<IngredientEntry> ingredient_database()
{
    return std::vector<IngredientEntry>(ws.ingredients.begin() + 1,
                                        ws.ingredients.begin() + 1 + ws.ingredient_count);
}

void apply_recipe_change(const RecipeChange& change)
{
    // A change made for another list (the recipe changed meanwhile) must not land on the wrong lines.
    const Recipe& changed = change.recipe;
    if (!change.done || changed.lines.size() != static_cast<size_t>(ws.line_count))
        return;
    for (size_t k = 0; k < changed.lines.size(); k++)
        ws.lines[k + 1].quantity = changed.lines[k].quantity;
    if (ws.volume_forced == 1 && changed.forced.on)
        ws.forced_volume = changed.forced.litres;
}

static void set_first_water_line(const char* step, double litres)
{
    const size_t count = static_cast<size_t>(ws.line_count);
    const size_t k = first_water_line(&ws.lines[1], count, step);
    if (k < count)
        ws.lines[1 + k].quantity = quantity_text(litres, Unit::litre, 2);
}

void compute_forced_water(double target_litres)
{
    const ForcedWater water =
        forced_water(target_litres, settings_on_screen(), ws.estimates.malt_kg, ws.estimates.hop_kg);
    ws.calc_mash_water_l = water.mash;
    set_first_water_line("EMPATAGE", water.mash);
    ws.calc_sparge_water_l = water.rinse;
    set_first_water_line("RINCAGE", water.rinse);
}

void set_forced_volume_on_screen(double litres)
{
    // An infinite volume could not be saved or shown; like 0 it turns the mode off.
    if (litres > 0 && std::isfinite(litres)) {
        ws.volume_forced = 1;
        ws.forced_volume = litres;
        compute_forced_water(ws.forced_volume);
    } else {
        ws.volume_forced = 0;
        ws.forced_volume = 0;
        ws.calc_sparge_water_l = 0;
        ws.calc_mash_water_l = 0;
    }
}

std::string set_carbonation_on_screen(double volumes)
{
    ws.carbonation = number_to_text(volumes) + " VOL";
    return carbonation_message(ws.carbonation, priming_text_on_screen());
}

// A tab or line end in the title would split its line of the recipe file; a blank takes its place.
static std::string one_line(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return result;
}

void set_title_on_screen(const std::string& title)
{
    ws.title = one_line(title);
}

std::string scale_recipe_on_screen(double litres)
{
    const RecipeChange change = scale_to_volume(recipe_on_screen(), settings_on_screen(), litres);
    apply_recipe_change(change);
    return change.message;
}

BrewDay brew_day_on_screen()
{
    return brew_day(ws.estimates, settings_on_screen(), ws.plan);
}

void set_brewhouse_on_screen(double efficiency_percent, double boil_minutes)
{
    ws.plan.efficiency = efficiency_percent;
    ws.plan.boil_minutes = boil_minutes;
}

void set_notes_on_screen(const std::string& notes)
{
    ws.plan.notes = notes;
}

BrewDay brew_day_with_mash_on_screen(const std::vector<MashStep>& steps)
{
    BrewingPlan plan = ws.plan;
    plan.mash = steps;
    return brew_day(ws.estimates, settings_on_screen(), plan);
}

void set_mash_on_screen(const std::vector<MashStep>& steps)
{
    ws.plan.mash = steps;
}

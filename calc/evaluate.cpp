// calc/evaluate.cpp — the estimates of the recipe on screen, kept in the workspace.
#include "calc/evaluate.h"

#include "calc/cost.h"
#include "core/quantity.h"
#include "core/workspace.h"

void evaluate_recipe()
{
    // Kept between evaluations, so that the per-line figures need no allocation once the recipe is full.
    static std::vector<LineEstimate> per_line;
    const size_t count = static_cast<size_t>(ws.line_count);
    const ForcedVolume forced{ws.volume_forced == 1, ws.forced_volume};
    const Estimates e = estimate(&ws.lines[1], count, ws.settings, forced, &per_line);

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
}

double recipe_cost_on_screen()
{
    return recipe_cost(&ws.lines[1], static_cast<size_t>(ws.line_count), ws.settings);
}

// recipe/formats/beerxml_volumes.cpp — the export's volumes from the estimates and the settings: Cuvelo's own
// losses, restated as the format's deadspace, absorption and evaporation.
#include "recipe/formats/beerxml_volumes.h"

#include <algorithm>

namespace
{

// Densities with which Brewtarget adds a sugar's or an extract's own volume to the kettle (kg/L): the
// boil-off written takes it back, so that its final volume stays Cuvelo's.
constexpr double kSugarKgPerLitre = 1.587;
constexpr double kLiquidExtractKgPerLitre = 1.412;

double dissolved_litres(const LineFigures& f)
{
    if (!counts_as_fermentable(f) || is_grain(f.category))
        return 0;
    return f.kg / (f.category == Category::liquid_extract ? kLiquidExtractKgPerLitre : kSugarKgPerLitre);
}

} // namespace

bool counts_as_fermentable(const LineFigures& f)
{
    if (is_grain(f.category))
        return f.step == Step::mash;
    const bool sugar = f.category == Category::sugar || f.category == Category::powder_extract ||
                       f.category == Category::liquid_extract;
    return sugar && f.step == Step::boil;
}

bool is_adjunct(Category category)
{
    return category == Category::grain || category == Category::flakes;
}

ExportVolumes export_volumes(const RecipeReport& report)
{
    const Estimates& e = report.estimates;
    const Settings& s = report.settings;
    ExportVolumes v;
    v.mash_water = e.mash_water;
    v.rinse_water = e.rinse_water;
    v.boil_minutes = s.boil_minutes;
    // The forced volume's rule (calc/water) leaves the boil loss's share of the hops' absorption out of the
    // batch and adds a rounding margin of 5 mL to the rinse: the batch size written is the one that, forced
    // again on import, brews the same final volume.
    const double boil_share = s.loss_boil / 100;
    const double forced_gap = boil_share * s.loss_hops * e.hop_kg - 0.005 * (1 - boil_share);
    if (report.recipe.forced.on)
        v.batch_size = report.recipe.forced.litres;
    else
        v.batch_size = e.final_volume > 0 ? std::max(0.0, e.final_volume + forced_gap) : 0;
    // The kettle as the estimates count it: mash water less its loss, the rinse, less the grains' absorption.
    double kettle = e.mash_water - s.loss_mash / 100 * e.mash_water + e.rinse_water;
    if (kettle > 0)
        kettle -= s.loss_grain * e.malt_kg;
    v.boil_size = std::max(0.0, kettle);

    double adjunct_kg = 0, dissolved = 0;
    for (const RecipeLine& line : report.recipe.lines) {
        const LineFigures f = brewing_figures_of(line);
        if (is_adjunct(f.category) && f.step == Step::mash)
            adjunct_kg += f.kg;
        dissolved += dissolved_litres(f);
    }
    v.absorption = s.loss_grain;
    v.lauter_deadspace = s.loss_mash / 100 * e.mash_water + s.loss_grain * adjunct_kg;
    v.top_up = std::max(0.0, e.top_up_water);
    v.boil_off = std::max(0.0, v.boil_size + dissolved - (e.final_volume - v.top_up));
    const double hours = v.boil_minutes > 0 ? v.boil_minutes / 60 : 1;
    v.evaporation_per_hour = v.boil_off / hours;
    const double kettle_with_sugars = v.boil_size + dissolved;
    v.evaporation_percent =
        kettle_with_sugars > 0 ? std::min(100.0, 100 * v.evaporation_per_hour / kettle_with_sugars) : 0;
    v.tun_volume = e.mash_water + e.malt_kg;
    return v;
}

// calc/water.cpp — the mash and rinse water that give a forced final volume, written into the water lines.
#include "calc/water.h"

#include "core/quantity.h"
#include "core/workspace.h"

ForcedWater forced_water(double target_litres, const Settings& s, double malt_kg, double hop_kg)
{
    ForcedWater water;
    water.mash = s.litres_per_kilo * malt_kg;
    // Undo, in reverse, each loss that the evaluation applies; hop absorption comes after the boil loss here,
    // and the 0.005 keeps the rounded line quantity from falling short.
    double rinse = target_litres * 1 / (1 - s.loss_boil / 100);
    rinse = s.loss_hops * hop_kg + rinse;
    rinse = s.loss_grain * malt_kg + rinse;
    rinse = s.loss_mash / 100 * water.mash + rinse;
    rinse = rinse - water.mash;
    rinse = 0.005 + rinse;
    if (!(rinse >= 0))
        rinse = 0;
    water.rinse = rinse;
    return water;
}

size_t first_water_line(const RecipeLine* lines, size_t count, const char* step)
{
    for (size_t k = 0; k < count; k++)
        if (lines[k].category == "EAU" && lines[k].step == step)
            return k;
    return count;
}

size_t first_water_line(const LineFigures* lines, size_t count, Step step)
{
    for (size_t k = 0; k < count; k++)
        if (lines[k].category == Category::water && lines[k].step == step)
            return k;
    return count;
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
        forced_water(target_litres, ws.settings, ws.estimates.malt_kg, ws.estimates.hop_kg);
    ws.calc_mash_water_l = water.mash;
    set_first_water_line("EMPATAGE", water.mash);
    ws.calc_sparge_water_l = water.rinse;
    set_first_water_line("RINCAGE", water.rinse);
}

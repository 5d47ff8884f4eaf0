// calc/water.cpp — the mash and rinse water that give a forced final volume, and the lines that take it.
#include "calc/water.h"

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

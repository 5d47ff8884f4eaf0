// calc/water.cpp — the mash and rinse water that give a forced final volume, written into the water lines.
#include "calc/water.h"

#include "calc/format.h"
#include "core/workspace.h"

// The first water line of a step takes the computed quantity; later ones keep theirs.
static void set_first_water_line(const char* step, double litres)
{
    for (int k = 1; k <= ws.line_count; k++) {
        RecipeLine& line = ws.lines[k];
        if (line.category == "EAU" && line.step == step) {
            line.quantity = format_decimals(litres, 2) + " L";
            return;
        }
    }
}

void compute_forced_water(double target_litres)
{
    const Settings& s = ws.settings;
    const Estimates& e = ws.estimates;

    double mash = s.litres_per_kilo * e.malt_kg;
    ws.calc_mash_water_l = mash;
    set_first_water_line("EMPATAGE", mash);

    // Undo, in reverse, each loss that the evaluation applies; hop absorption comes after the boil loss here,
    // and the 0.005 keeps the rounded line quantity from falling short.
    double rinse = target_litres * 1 / (1 - s.loss_boil / 100);
    rinse = s.loss_hops * e.hop_kg + rinse;
    rinse = s.loss_grain * e.malt_kg + rinse;
    rinse = s.loss_mash / 100 * mash + rinse;
    rinse = rinse - mash;
    rinse = 0.005 + rinse;
    if (!(rinse >= 0))
        rinse = 0;
    ws.calc_sparge_water_l = rinse;
    set_first_water_line("RINCAGE", rinse);
}

// calc/water.h — the mash and rinse water that give a forced final volume.
#pragma once

#include "core/line_figures.h"
#include "core/records.h"

#include <cstddef>

// Litres of mash and rinse water.
struct ForcedWater {
    double mash = 0;
    double rinse = 0;
};

// The water that gives `target_litres` of final volume from these grain and hop weights under the settings.
ForcedWater forced_water(double target_litres, const Settings& settings, double malt_kg, double hop_kg);

// Index of the first water line (EAU) of the step ("EMPATAGE" or "RINCAGE") in lines[0, count); count when
// there is none. That line takes the computed quantity; later ones keep theirs.
size_t first_water_line(const RecipeLine* lines, size_t count, const char* step);

// The same over the lines' figures, for the step Step::mash or Step::rinse.
size_t first_water_line(const LineFigures* lines, size_t count, Step step);

// calc/stage_volumes.h — the wort's volume at each stage of the brew day, and the gravity before the boil.
#pragma once

#include "core/records.h"

// The volumes of a brew, in litres; the densities are density × 1000 (0 when there is no wort).
struct StageVolumes {
    double pre_boil_litres = 0;
    double pre_boil_density = 0;
    double post_boil_litres = 0; // hot, at the end of the boil
    double fermenter_litres = 0; // cooled, less the kettle's losses and the hops' absorption, topped up
    double packaged_litres = 0;  // less what stays in the fermenter
    // --- Top-up: the water poured into the fermenter after the boil, which fermenter_litres includes.
    double top_up_litres = 0;
};

// The volumes from the estimates' water, grain and hops under `settings`, the boil lasting `boil_minutes`.
// Evaporation is the boil-off in litres per hour when set, else the boil loss in percent; with the brew-day
// settings at 0 the fermenter gets exactly the estimates' final volume. The estimates' top-up water goes into
// the fermenter, not the kettle.
StageVolumes stage_volumes(const Estimates& e, const Settings& settings, double boil_minutes);

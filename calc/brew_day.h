// calc/brew_day.h — a recipe's brew day: its mash schedule carried out and its volumes at each stage.
#pragma once

#include "calc/mash_water.h"
#include "calc/stage_volumes.h"
#include "core/records.h"

struct BrewDay {
    MashPlan mash;
    StageVolumes volumes;
    double boil_minutes = 0;
};

// The brew day of a recipe evaluated to `e` under `settings`, its plan's steps and boil (or the brewery's).
BrewDay brew_day(const Estimates& e, const Settings& settings, const BrewingPlan& plan);

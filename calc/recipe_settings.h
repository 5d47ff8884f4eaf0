// calc/recipe_settings.h — the settings a recipe is brewed under: the brewery's, with what the recipe sets
// for itself in its brewing plan taking their place.
#pragma once

#include "core/records.h"

// The configuration's settings with the plan's efficiency (percent) and boil time in place of the brewery's
// when the plan sets them (0 or more); every other setting is the configuration's.
Settings settings_for_recipe(const Settings& configured, const BrewingPlan& plan);

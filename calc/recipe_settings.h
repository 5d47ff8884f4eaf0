// calc/recipe_settings.h — the settings a recipe is brewed under: the brewery's, with what the recipe sets
// for itself in its brewing plan taking their place.
#pragma once

#include "core/records.h"

#include <string>

// The configuration's settings with the plan's efficiency (percent) and boil time in place of the brewery's
// when the plan sets them (0 or more), and the conversion temperature of the plan's rests when it has some;
// every other setting is the configuration's.
Settings settings_for_recipe(const Settings& configured, const BrewingPlan& plan);

// Reads a plan figure as typed in its dialog ("72,5", "60 min"): an empty text gives -1 (the brewery's
// setting); a number from 0 to `most` gives itself. False for anything else.
bool plan_figure_of(const std::string& text, double most, double* value);

// The text a dialog shows for a plan figure: "" for the brewery's setting, else the number.
std::string plan_figure_text(double value);

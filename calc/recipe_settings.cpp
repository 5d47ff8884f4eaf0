// calc/recipe_settings.cpp — a recipe's own efficiency and boil time over the brewery's settings.
#include "calc/recipe_settings.h"

#include <cmath>

Settings settings_for_recipe(const Settings& configured, const BrewingPlan& plan)
{
    Settings s = configured;
    // A plan figure below 0 (or not a number) means "the brewery's": a file without it computes as before.
    if (plan.efficiency >= 0 && std::isfinite(plan.efficiency))
        s.efficiency = plan.efficiency / 100;
    if (plan.boil_minutes >= 0 && std::isfinite(plan.boil_minutes))
        s.boil_minutes = plan.boil_minutes;
    return s;
}

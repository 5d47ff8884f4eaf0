// calc/recipe_settings.cpp — a recipe's own efficiency, boil time and rests over the brewery's settings.
#include "calc/recipe_settings.h"

#include "calc/attenuation.h"
#include "core/text.h"

#include <glib.h>

#include <cmath>

Settings settings_for_recipe(const Settings& configured, const BrewingPlan& plan)
{
    Settings s = configured;
    // A plan figure below 0 (or not a number) means "the brewery's": a file without it computes as before.
    if (plan.efficiency >= 0 && std::isfinite(plan.efficiency))
        s.efficiency = plan.efficiency / 100;
    if (plan.boil_minutes >= 0 && std::isfinite(plan.boil_minutes))
        s.boil_minutes = plan.boil_minutes;
    // The recipe's own rests say how fermentable its wort is; without them the brewery's rests do.
    if (!plan.mash.empty())
        s.conversion_celsius = conversion_temperature(plan.mash);
    return s;
}

bool plan_figure_of(const std::string& text, double most, double* value)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        *value = -1;
        return true;
    }
    std::string number = commas_to_points(text.substr(first));
    char* end = nullptr;
    const double x = g_ascii_strtod(number.c_str(), &end);
    if (end == number.c_str() || !std::isfinite(x) || x < 0 || x > most)
        return false;
    // What follows the number may only be its unit, as the dialog shows it.
    std::string rest(end);
    rest.erase(0, rest.find_first_not_of(" "));
    if (!(rest.empty() || rest == "%" || rest == "min"))
        return false;
    *value = x;
    return true;
}

std::string plan_figure_text(double value)
{
    return value >= 0 ? number_to_text(value) : std::string();
}

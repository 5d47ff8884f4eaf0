// calc/entered_value.cpp — what validating the value entry dialog does to the recipe, without the dialog.
#include "calc/entered_value.h"

#include "calc/priming.h"
#include "calc/scale.h"
#include "calc/water.h"
#include "core/text.h"
#include "core/workspace.h"

#include <cmath>

// A tab or line end in the title would split its line of the recipe file; a blank takes its place.
static std::string one_line(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return result;
}

std::string apply_entered_value_effects(int purpose, const std::string& number_text,
                                        const std::string& plain_text)
{
    // The dialog already turns commas into points; doing it again keeps a decimal comma from cutting the
    // number.
    const double number = text_to_number(commas_to_points(number_text));
    switch (purpose) {
    case VALUE_FORCED_VOLUME: {
        double litres = number;
        // An infinite volume could not be saved or shown; like 0 it turns the mode off.
        if (litres > 0 && std::isfinite(litres)) {
            ws.volume_forced = 1;
            ws.forced_volume = litres;
            compute_forced_water(ws.forced_volume);
        } else {
            ws.volume_forced = 0;
            ws.forced_volume = 0;
            ws.calc_sparge_water_l = 0;
            ws.calc_mash_water_l = 0;
        }
        return "";
    }
    case VALUE_CARBONATION:
        ws.carbonation = number_to_text(number) + " VOL";
        return "Pour une carbonatation de " + ws.carbonation + " :" + "\r" + "\r" + priming_text();
    case VALUE_TITLE:
        ws.title = one_line(plain_text);
        return "";
    case VALUE_SCALE_VOLUME: {
        const RecipeChange change =
            scale_to_volume(recipe_lines_on_screen(), ws.settings, forced_volume_on_screen(), number);
        apply_recipe_change(change);
        return change.message;
    }
    default:
        return "";
    }
}

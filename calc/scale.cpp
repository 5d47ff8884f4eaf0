// calc/scale.cpp — a recipe brought to another final volume, and the precision quantities are written with.
#include "calc/scale.h"

#include "calc/format.h"
#include "calc/water.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"

#include <cctype>
#include <cmath>

// Where the number that starts a text ends: blanks, a sign, digits, a point, an exponent. Read by hand, since
// the library ignores the user's locale.
static size_t number_end(const std::string& text)
{
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos)
        return text.size();
    if (text[i] == '+' || text[i] == '-')
        i++;
    bool digits = false;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) {
        digits = digits || text[i] != '.';
        i++;
    }
    if (!digits)
        return 0;
    if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            j++;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                j++;
            i = j;
        }
    }
    return i;
}

double quantity_amount(const std::string& quantity)
{
    return text_to_number(quantity);
}

std::string written_quantity(const RecipeLine& line, double amount)
{
    const Unit unit = unit_of(line.quantity);
    const Category category = category_of(line.category);
    const bool fermentable = is_grain(category) || category == Category::sugar ||
                             category == Category::powder_extract || category == Category::liquid_extract;
    switch (unit) {
    case Unit::litre:
        return quantity_text(amount, unit, 2);
    case Unit::kilogram:
        return quantity_text(amount, unit, 3);
    case Unit::gram:
        return quantity_text(amount, unit, fermentable ? 0 : 1);
    default:
        break;
    }
    const size_t end = number_end(line.quantity);
    if (end == 0)
        return line.quantity; // no number to scale: "" or a word
    return upper_ascii(format_decimals(amount, 2)) + line.quantity.substr(end);
}

// Moves the first rinse water line (else the first mash water line) by hundredths of a litre while that
// brings the final volume nearer to `litres`.
static void trim_water(std::vector<RecipeLine>& lines, const Settings& settings, double litres)
{
    size_t water = lines.size();
    for (const char* step : {"RINCAGE", "EMPATAGE"}) {
        water = first_water_line(lines.data(), lines.size(), step);
        if (water < lines.size())
            break;
    }
    if (water == lines.size())
        return;
    double miss = std::fabs(estimate(lines, settings, ForcedVolume{}).final_volume - litres);
    for (int step = 0; step < 20 && miss > 0.001; step++) {
        RecipeLine& line = lines[water];
        const std::string kept = line.quantity;
        const double amount = quantity_amount(kept);
        const double v = estimate(lines, settings, ForcedVolume{}).final_volume;
        line.quantity = written_quantity(line, amount + (v < litres ? 0.01 : -0.01));
        const double now = std::fabs(estimate(lines, settings, ForcedVolume{}).final_volume - litres);
        if (!(now < miss)) {
            line.quantity = kept;
            break;
        }
        miss = now;
    }
}

RecipeChange scale_to_volume(const std::vector<RecipeLine>& lines, const Settings& settings,
                             ForcedVolume forced, double litres)
{
    RecipeChange change;
    const double volume = estimate(lines, settings, forced).final_volume;
    if (!(litres > 0) || !std::isfinite(litres)) {
        change.message = "Le volume final voulu doit être un nombre de litres plus grand que 0.";
        return change;
    }
    if (!(volume > 0)) {
        change.message = "La recette n'a pas encore de volume final : ajoutez de l'eau avant de l'adapter.";
        return change;
    }
    // A forced volume stands for the final volume the brewer asked for: the lines follow it, and the water
    // then gives what forcing `litres` gives.
    const double factor = litres / (forced.on && forced.litres > 0 ? forced.litres : volume);
    change.lines = lines;
    for (RecipeLine& line : change.lines) {
        if (line.quantity.empty())
            continue;
        line.quantity = written_quantity(line, quantity_amount(line.quantity) * factor);
    }
    change.forced = forced;
    if (forced.on)
        change.forced.litres = litres;
    else
        trim_water(change.lines, settings, litres);
    change.done = true;
    return change;
}

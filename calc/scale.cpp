// calc/scale.cpp — a recipe brought to another final volume, and the precision quantities are written with.
#include "calc/scale.h"

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

// As a brewer's scales show it: the hundredth under a gram, the tenth under a kilogram, the gram above.
std::string written_weight(double grams)
{
    static const struct {
        double below;
        int decimals;
        double scale;
    } kSteps[] = {{1, 2, 100}, {1000, 1, 10}};
    for (const auto& step : kSteps)
        // Rounded half up as format_decimals rounds, so that the step is chosen by what is written.
        if (std::floor((grams + 0.5 / step.scale) * step.scale) / step.scale < step.below)
            return quantity_text(grams, Unit::gram, step.decimals);
    return quantity_text(grams / 1000, Unit::kilogram, 3);
}

std::string written_quantity(const RecipeLine& line, double amount)
{
    switch (unit_of(line.quantity)) {
    case Unit::litre:
        return quantity_text(amount, Unit::litre, 2);
    case Unit::millilitre:
        return quantity_text(amount, Unit::millilitre, 1);
    case Unit::kilogram:
        return written_weight(amount * 1000);
    case Unit::gram:
        return written_weight(amount);
    default:
        break;
    }
    const size_t end = number_end(line.quantity);
    if (end == 0)
        return line.quantity; // no number to scale: "" or a word
    return upper_ascii(format_decimals(amount, 2)) + line.quantity.substr(end);
}

// True when `amount` of the line's own unit passes what one line may hold.
static bool past_line_limit(const RecipeLine& line, double amount)
{
    switch (unit_of(line.quantity)) {
    case Unit::litre:
        return !(amount <= kLargestLineLitres);
    case Unit::millilitre:
        return !(amount <= kLargestLineLitres * kMillilitresPerLitre);
    case Unit::kilogram:
        return !(amount <= kLargestLineKg);
    case Unit::gram:
        return !(amount <= kLargestLineKg * 1000);
    default:
        return !(amount <= kLargestLineAmount);
    }
}

// Moves the first rinse water line (else the first mash water line) by hundredths of a litre while that
// brings the final volume nearer to `litres`; every water line of the same quantity moves with it, so that
// equal lines stay equal. Gives the final volume it ends with.
static double trim_water(std::vector<RecipeLine>& lines, const Settings& settings, double litres)
{
    size_t water = lines.size();
    for (const char* step : {"RINCAGE", "EMPATAGE"}) {
        water = first_water_line(lines.data(), lines.size(), step);
        if (water < lines.size())
            break;
    }
    if (water == lines.size())
        return estimate(lines, settings, ForcedVolume{}).final_volume;
    std::vector<size_t> group;
    for (size_t k = 0; k < lines.size(); k++)
        if (category_of(lines[k].category) == Category::water && lines[k].quantity == lines[water].quantity)
            group.push_back(k);
    double volume = estimate(lines, settings, ForcedVolume{}).final_volume;
    for (int step = 0; step < 20 && std::fabs(volume - litres) > 0.001; step++) {
        const std::string kept = lines[water].quantity;
        const double amount = quantity_amount(kept) + (volume < litres ? 0.01 : -0.01);
        if (!(amount > 0))
            break;
        for (size_t k : group)
            lines[k].quantity = written_quantity(lines[k], amount);
        const double now = estimate(lines, settings, ForcedVolume{}).final_volume;
        if (!(std::fabs(now - litres) < std::fabs(volume - litres))) {
            for (size_t k : group)
                lines[k].quantity = kept;
            break;
        }
        volume = now;
    }
    return volume;
}

// The forced volume that makes the recipe give `litres`, to the hundredth: forced water leaves the hops'
// absorption after the boil loss, so forcing `litres` itself gives a little less. Gives the final volume
// it ends with in `landed`.
static double forced_litres_for(const std::vector<RecipeLine>& lines, const Settings& settings, double litres,
                                double* landed)
{
    ForcedVolume forced{true, litres};
    *landed = estimate(lines, settings, forced).final_volume;
    for (int step = 0; step < 4 && std::fabs(litres - *landed) > 0.005; step++) {
        forced.litres = std::round((forced.litres + litres - *landed) * 100) / 100;
        *landed = estimate(lines, settings, forced).final_volume;
    }
    return forced.litres;
}

static std::string litres_text(double litres)
{
    return format_decimals(litres, 2) + " L";
}

RecipeChange scale_to_volume(const Recipe& recipe, const Settings& settings, double litres)
{
    const std::vector<RecipeLine>& lines = recipe.lines;
    const ForcedVolume forced = recipe.forced;
    RecipeChange change;
    if (!(litres >= kSmallestScaledVolume && litres <= kLargestScaledVolume)) {
        change.message = "Le volume final voulu doit être compris entre " +
                         format_decimals(kSmallestScaledVolume, 2) + " et " +
                         format_decimals(kLargestScaledVolume, 2) + " litres.";
        return change;
    }
    // The volume the recipe gives, whether or not it reaches a forced one.
    const double volume = estimate(lines, settings, forced).final_volume;
    if (!(volume > 0)) {
        change.message = "La recette n'a pas encore de volume final : ajoutez de l'eau avant de l'adapter.";
        return change;
    }
    const double factor = litres / volume;
    std::vector<RecipeLine> scaled = lines;
    for (RecipeLine& line : scaled) {
        const double amount = quantity_amount(line.quantity);
        if (amount == 0)
            continue; // nothing to scale, and "0 KG" keeps its unit
        const std::string name = "« " + line.designation + " »";
        if (amount < 0) {
            change.message = name + " a une quantité négative : corrigez-la avant d'adapter la recette.";
            return change;
        }
        const double wanted = amount * factor;
        if (past_line_limit(line, wanted)) {
            change.message = "À " + litres_text(litres) + ", " + name +
                             " dépasserait la plus grande quantité d'une ligne : choisissez un volume plus "
                             "petit.";
            return change;
        }
        std::string written = written_quantity(line, wanted);
        if (quantity_amount(written) == 0) {
            change.message = "À " + litres_text(litres) + ", " + name +
                             " ne pèserait plus rien une fois arrondi : choisissez un volume plus grand.";
            return change;
        }
        line.quantity = std::move(written);
    }
    ForcedVolume scaled_forced = forced;
    double landed = 0;
    if (forced.on)
        scaled_forced.litres = forced_litres_for(scaled, settings, litres, &landed);
    else
        landed = trim_water(scaled, settings, litres);
    if (!(std::fabs(landed - litres) <= kScaledVolumeTolerance)) {
        change.message = "La recette adaptée donnerait " + litres_text(landed) + " et non " +
                         litres_text(litres) + " : son eau ne se laisse pas ajuster assez juste.";
        return change;
    }
    change.recipe = recipe;
    change.recipe.lines = std::move(scaled);
    change.recipe.forced = scaled_forced;
    change.done = true;
    return change;
}

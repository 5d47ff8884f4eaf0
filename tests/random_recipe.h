// tests/random_recipe.h — brewable recipes drawn at random, for the rules that must hold for every recipe.
#pragma once

#include "core/records.h"
#include "core/text.h"

#include <random>
#include <string>
#include <vector>

// A recipe of these lines under this forced volume, as scaling and the target solver take it.
inline Recipe recipe_of(const std::vector<RecipeLine>& lines, ForcedVolume forced = ForcedVolume{})
{
    Recipe recipe;
    recipe.lines = lines;
    recipe.forced = forced;
    return recipe;
}

// A pale-to-dark all-grain recipe: two waters, one to three base malts, one to two darker grains, maybe a
// sugar, one to three bittering hops and an aroma hop (no bitterness), one yeast.
inline std::vector<RecipeLine> random_recipe(std::mt19937& random)
{
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    auto count = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    // Written by the program's own rule: the suite also runs under a locale with a decimal comma.
    auto number = [](double x, int decimals) { return format_decimals(x, decimals); };
    std::vector<RecipeLine> lines;
    auto add = [&](const char* category, const std::string& quantity, const std::string& value,
                   const std::string& yield, const std::string& time, const char* step) {
        RecipeLine l;
        l.category = category;
        l.designation = std::string(category) + " " + std::to_string(lines.size() + 1);
        l.quantity = quantity;
        l.value = value;
        l.yield = yield;
        l.time = time;
        l.step = step;
        lines.push_back(l);
    };
    add("EAU", number(uniform(15, 25), 1) + " L", "", "", "", "EMPATAGE");
    add("EAU", number(uniform(10, 18), 1) + " L", "", "", "", "RINCAGE");
    for (int n = count(1, 3); n > 0; n--)
        add(n == 1 ? "MALT" : "MALTFROMENT", number(uniform(1, 2.5), 3) + " KG", number(uniform(3, 10), 1),
            number(uniform(75, 82), 0), "", "EMPATAGE");
    for (int n = count(1, 2); n > 0; n--)
        add(n == 1 ? "MALTSPECIAL" : "GRAIN", number(uniform(50, 500), 0) + " G",
            number(uniform(40, 1400), 0), number(uniform(65, 75), 0), "", "EMPATAGE");
    if (count(0, 1))
        add("SUCRE", number(uniform(100, 800), 0) + " G", "0", "100", "", "EBULLITION");
    for (int n = count(1, 3); n > 0; n--)
        add(n == 1 ? "HOUBLONCONE" : "HOUBLONPELLET", number(uniform(10, 60), 1) + " G",
            number(uniform(3, 14), 1), "", number(uniform(10, 60), 0), "EBULLITION");
    add("HOUBLONCONE", number(uniform(10, 40), 1) + " G", "5", "", "0", "AROMATISATION");
    add("LEVURE", "11 G", "", number(uniform(70, 80), 0), "", "FERMENTATION");
    return lines;
}

// The unusual recipes brewers still write, on top of random_recipe's.
enum class RecipeShape {
    plain,
    tiny_lines,  // tens of special malts of 10 g and pinches of hops or salts of a few tenths of a gram
    equal_lines, // a water, a grain and a hop each twice, with the same quantity
};

// A random_recipe of that shape: the tiny lines are appended, an equal line sits right after its twin.
inline std::vector<RecipeLine> random_recipe(std::mt19937& random, RecipeShape shape)
{
    std::vector<RecipeLine> lines = random_recipe(random);
    auto count = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    if (shape == RecipeShape::tiny_lines) {
        const int specials = count(10, 90);
        for (int n = 0; n < specials; n++) {
            RecipeLine l;
            l.category = "MALTSPECIAL";
            l.designation = "Malt spécial n°" + std::to_string(8 + n);
            l.quantity = "0.01 KG";
            l.value = std::to_string(8 + n);
            l.yield = "75";
            l.step = "EMPATAGE";
            lines.push_back(l);
        }
        for (int n = count(1, 4); n > 0; n--) {
            RecipeLine l;
            l.category = n % 2 ? "HOUBLONPELLET" : "AUTRE";
            l.designation = "Pincée " + std::to_string(n);
            l.quantity = format_decimals(0.1 * count(2, 9), 1) + " G";
            l.value = "8";
            l.time = "15";
            l.step = n % 2 ? "EBULLITION" : "RINCAGE";
            lines.push_back(l);
        }
    } else if (shape == RecipeShape::equal_lines) {
        std::vector<RecipeLine> doubled;
        const int water = count(0, 1), grain = 2; // the first base malt
        int hop = -1;
        for (size_t k = 0; k < lines.size(); k++)
            if (hop < 0 && lines[k].category.compare(0, 7, "HOUBLON") == 0)
                hop = static_cast<int>(k);
        for (size_t k = 0; k < lines.size(); k++) {
            doubled.push_back(lines[k]);
            if (static_cast<int>(k) == water || static_cast<int>(k) == grain || static_cast<int>(k) == hop)
                doubled.push_back(lines[k]);
        }
        // The mash and the rinse water equal too, as in a brewer's 15 L + 15 L.
        for (RecipeLine& l : doubled)
            if (l.category == "EAU")
                l.quantity = lines[water].quantity;
        lines = doubled;
    }
    return lines;
}

// The worked example's brewery: yield 75 %, losses 10 % / 1 L per kg / 10 % / 10 L per kg, full attenuation.
inline void set_worked_example_brewery(Settings& s)
{
    s.efficiency = 0.75;
    s.loss_mash = 10;
    s.loss_grain = 1;
    s.loss_boil = 10;
    s.loss_hops = 10;
    s.attenuation_malt = 1;
    s.attenuation_sugar = 1;
}

// Settings of a home brewery, with either colour model.
inline Settings random_settings(std::mt19937& random)
{
    Settings s;
    set_worked_example_brewery(s);
    s.pellet_yield = 1.1;
    s.litres_per_kilo = 3;
    s.colour_model = random() % 2 ? ColourModel::morey : ColourModel::linear;
    return s;
}

// --- Fermentation steps: none to five, whole days and temperatures to the tenth of a degree, as a brewer
// plans them.
inline std::vector<FermentationStep> random_fermentation(std::mt19937& random)
{
    static const char* const kNames[] = {"Primaire", "Secondaire", "Garde à froid", "Refermentation", ""};
    std::vector<FermentationStep> steps(random() % 6);
    for (FermentationStep& step : steps) {
        step.name = kNames[random() % std::size(kNames)];
        step.temperature = std::uniform_int_distribution<int>(0, 300)(random) / 10.0;
        step.days = std::uniform_int_distribution<int>(1, 60)(random);
    }
    return steps;
}

// tests/random_recipe.h — brewable recipes drawn at random, for the rules that must hold for every recipe.
#pragma once

#include "core/records.h"
#include "core/text.h"

#include <random>
#include <string>
#include <vector>

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

// tests/line_figures_test.cpp — what each text of a recipe line means for its category, read as numbers.
#include "calc/estimate.h"
#include "core/line_figures.h"
#include "core/quantity.h"
#include "random_recipe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{

RecipeLine line_of(const char* category, const char* quantity, const char* value, const char* yield,
                   const char* time, const char* step, const char* price)
{
    RecipeLine l;
    l.category = category;
    l.quantity = quantity;
    l.value = value;
    l.yield = yield;
    l.time = time;
    l.step = step;
    l.price = price;
    return l;
}

} // namespace

// One row per row of the table in core/line_figures.h: value, yield and time are 7, 8 and 9 on every line,
// so each figure shows which text the category reads into it.
TEST(LineFigures, EachCategoryReadsItsOwnFields)
{
    struct Case {
        const char* category;
        const char* step;
        double colour, alpha, extract, attenuation, minutes;
    };
    static const Case kCases[] = {
        {"MALT", "EMPATAGE", 7, 0, 8, 0, 0},          {"FLOCON", "EMPATAGE", 7, 0, 8, 0, 0},
        {"MALTSPECIAL", "EBULLITION", 7, 0, 8, 0, 9}, // a boil step's time sorts the line
        {"SUCRE", "EBULLITION", 7, 0, 8, 0, 9},       {"EXTRAITLIQUIDE", "EMPATAGE", 7, 0, 8, 0, 0},
        {"HOUBLONCONE", "EBULLITION", 0, 7, 0, 0, 9}, {"HOUBLONPELLET", "FERMENTATION", 0, 7, 0, 0, 9},
        {"LEVURE", "FERMENTATION", 0, 0, 0, 8, 0},    {"LEVURE", "AROMATISATION", 0, 0, 0, 8, 9},
        {"EAU", "EMPATAGE", 0, 0, 0, 0, 0},           {"EAU", "AMERISATION", 0, 0, 0, 0, 9},
        {"AUTRE", "FERMENTATION", 0, 0, 0, 0, 9},     {"houblon", "", 0, 0, 0, 0, 9}, // any other text
    };
    for (const Case& c : kCases) {
        const LineFigures f = figures_of(line_of(c.category, "2 KG", "7", "8", "9", c.step, "3 KG"));
        EXPECT_EQ(f.category, category_of(c.category)) << c.category;
        EXPECT_EQ(f.step, step_of(c.step)) << c.category;
        EXPECT_EQ(f.colour_ebc, c.colour) << c.category << " " << c.step;
        EXPECT_EQ(f.alpha_percent, c.alpha) << c.category << " " << c.step;
        EXPECT_EQ(f.extract_percent, c.extract) << c.category << " " << c.step;
        EXPECT_EQ(f.attenuation_percent, c.attenuation) << c.category << " " << c.step;
        EXPECT_EQ(f.minutes, c.minutes) << c.category << " " << c.step;
        EXPECT_EQ(f.price, 3) << c.category;
        EXPECT_EQ(f.price_unit, Unit::kilogram) << c.category;
    }
}

// The weight rule: the unit is the last two bytes, and both weights come from the one number written.
TEST(LineFigures, QuantityGivesItsUnitAmountAndWeight)
{
    struct Case {
        const char* quantity;
        Unit unit;
        double amount, kg, grams;
    };
    static const Case kCases[] = {
        {"5 KG", Unit::kilogram, 5, 5, 5000},
        {"5KG", Unit::kilogram, 5, 5, 5000},
        {"250 G", Unit::gram, 250, 0.25, 250},
        {"0.3 G", Unit::gram, 0.3, 0.3 / 1000, 0.3},
        {"250G", Unit::none, 250, 0, 0},
        {"250 g", Unit::none, 250, 0, 0},
        {"20 L", Unit::litre, 20, 0, 0},
        {"ABC KG", Unit::kilogram, 0, 0, 0},
        {"", Unit::none, 0, 0, 0},
        {"12", Unit::none, 12, 0, 0},
    };
    for (const Case& c : kCases) {
        const LineFigures f = figures_of(line_of("MALT", c.quantity, "", "", "", "EMPATAGE", ""));
        EXPECT_EQ(f.unit, c.unit) << c.quantity;
        EXPECT_EQ(f.amount, c.amount) << c.quantity;
        EXPECT_EQ(f.kg, c.kg) << c.quantity;
        EXPECT_EQ(f.grams, c.grams) << c.quantity;
        // The same rule as the quantity module's, which the file readers and the cost share.
        EXPECT_EQ(f.kg, weight_of(c.quantity).kg) << c.quantity;
        EXPECT_EQ(f.grams, weight_of(c.quantity).grams) << c.quantity;
    }
}

// The brewing figures are the figures without the price, and a quantity rewritten reads as a fresh line.
TEST(LineFigures, BrewingFiguresAndRewrittenQuantitiesAgreeWithAFreshReading)
{
    std::mt19937 random(22);
    for (int n = 0; n < 50; n++) {
        for (RecipeLine line : random_recipe(random)) {
            line.price = "1.5 KG";
            const LineFigures all = figures_of(line);
            const LineFigures brewing = brewing_figures_of(line);
            EXPECT_EQ(brewing.price, 0);
            EXPECT_EQ(brewing.price_unit, Unit::none);
            EXPECT_EQ(brewing.amount, all.amount);
            EXPECT_EQ(brewing.grams, all.grams);
            EXPECT_EQ(brewing.minutes, all.minutes);
            EXPECT_EQ(all.price, 1.5);

            const double amount = std::uniform_real_distribution<double>(0, 5000)(random);
            line.quantity = quantity_text(amount, all.unit, 3);
            const LineFigures fresh = figures_of(line);
            const LineFigures rewritten = with_quantity(all, line.quantity);
            EXPECT_EQ(rewritten.amount, fresh.amount) << line.quantity;
            EXPECT_EQ(rewritten.kg, fresh.kg) << line.quantity;
            EXPECT_EQ(rewritten.grams, fresh.grams) << line.quantity;
            const LineFigures set = with_amount(all, fresh.amount);
            EXPECT_EQ(set.kg, fresh.kg) << line.quantity;
            EXPECT_EQ(set.grams, fresh.grams) << line.quantity;
        }
    }
}

// The estimates of the lines and of their figures are the same numbers, bit for bit.
TEST(LineFigures, EstimatesOfTheFiguresAreThoseOfTheLines)
{
    std::mt19937 random(7);
    for (int n = 0; n < 100; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random);
        const Settings settings = random_settings(random);
        std::vector<LineFigures> figures;
        for (const RecipeLine& line : lines)
            figures.push_back(figures_of(line));
        for (const bool forced : {false, true}) {
            const ForcedVolume volume{forced, 21.5};
            const Estimates a = estimate(lines, settings, volume);
            const Estimates b = estimate(figures.data(), figures.size(), settings, volume);
            EXPECT_EQ(a.initial_density, b.initial_density);
            EXPECT_EQ(a.final_density, b.final_density);
            EXPECT_EQ(a.colour_ebc, b.colour_ebc);
            EXPECT_EQ(a.bitterness_ibu, b.bitterness_ibu);
            EXPECT_EQ(a.final_volume, b.final_volume);
        }
    }
}

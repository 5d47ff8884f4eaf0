// tests/estimate_test.cpp — the estimates of a candidate list of lines, apart from the recipe on screen, and
// the quantity rules they read.
#include "calc/estimate.h"
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "core/quantity.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

#include <vector>

// The lines of the workspace as a plain list, numbered from 0.
static std::vector<RecipeLine> recipe_lines()
{
    return std::vector<RecipeLine>(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
}

static void expect_same_estimates(const Estimates& a, const Estimates& b)
{
    EXPECT_EQ(a.final_volume, b.final_volume);
    EXPECT_EQ(a.mash_water, b.mash_water);
    EXPECT_EQ(a.rinse_water, b.rinse_water);
    EXPECT_EQ(a.initial_density, b.initial_density);
    EXPECT_EQ(a.final_density, b.final_density);
    EXPECT_EQ(a.colour_ebc, b.colour_ebc);
    EXPECT_EQ(a.bitterness_ibu, b.bitterness_ibu);
    EXPECT_EQ(a.alcohol, b.alcohol);
}

// A candidate evaluated as the solver would: the figures match the recipe on screen, which stays untouched,
// water lines included, while the forced volume marks the lines that would take the computed water.
TEST(Estimate, CandidateLinesLeaveTheRecipeOnScreenAlone)
{
    for (const bool forced : {false, true}) {
        load_worked_example();
        ws.settings.litres_per_kilo = 3;
        const std::vector<RecipeLine> candidate = recipe_lines();
        std::vector<LineEstimate> per_line;
        const Estimates e = estimate(candidate, ws.settings, ForcedVolume{forced, 20}, &per_line);
        EXPECT_EQ(ws.estimates.initial_density, 0) << forced;
        EXPECT_EQ(ws.lines[1].quantity, "20 L") << forced;
        EXPECT_EQ(candidate[0].quantity, "20 L") << forced;

        ws.volume_forced = forced;
        ws.forced_volume = 20;
        evaluate_recipe();
        expect_same_estimates(e, ws.estimates);
        ASSERT_EQ(per_line.size(), 5u);
        for (int k = 0; k < 5; k++) {
            EXPECT_EQ(per_line[k].forced_water, forced && k < 2) << k;
            EXPECT_EQ(per_line[k].fermentable, k == 2) << k;
            EXPECT_EQ(per_line[k].hop, k == 3) << k;
        }
        EXPECT_EQ(per_line[2].points, ws.lines[3].gravity_points);
        EXPECT_EQ(per_line[3].ibu, ws.lines[4].line_ibu);
        if (forced) {
            EXPECT_EQ(per_line[0].forced_litres, 15); // 3 L per kg of 5 kg
            EXPECT_EQ(ws.lines[1].quantity, "15 L");
            EXPECT_EQ(ws.lines[2].quantity, "14.13 L"); // 14.1272… rounded to the hundredth
        }
    }
}

TEST(Estimate, NoLinesGiveNoEstimates)
{
    reset_workspace();
    use_worked_example_settings();
    std::vector<LineEstimate> per_line(3);
    const Estimates e = estimate(std::vector<RecipeLine>(), ws.settings, ForcedVolume{}, &per_line);
    EXPECT_TRUE(per_line.empty());
    EXPECT_EQ(e.initial_density, 0);
    EXPECT_EQ(e.colour_ebc, 0);
    EXPECT_EQ(e.bitterness_ibu, 0);
}

struct QuantityCase {
    const char* text;
    Unit unit;
    double kg;
    double grams;
};
static const QuantityCase kQuantities[] = {
    {"20 L", Unit::litre, 0, 0},        {"5 KG", Unit::kilogram, 5, 5000}, {"5KG", Unit::kilogram, 5, 5000},
    {"40 G", Unit::gram, 0.04, 40},     {"40G", Unit::none, 0, 0},         {"0.5 g", Unit::none, 0, 0},
    {"2.5 VOL", Unit::none, 0, 0},      {"L", Unit::none, 0, 0},           {"", Unit::none, 0, 0},
    {"1.5E3 G", Unit::gram, 1.5, 1500}, {"2 ML", Unit::millilitre, 0, 0},  {"2ML", Unit::millilitre, 0, 0},
    {"2 ml", Unit::none, 0, 0},
};

TEST(Quantity, UnitAndWeightComeFromTheLastTwoBytes)
{
    for (const QuantityCase& c : kQuantities) {
        EXPECT_EQ(unit_of(c.text), c.unit) << c.text;
        EXPECT_DOUBLE_EQ(weight_of(c.text).kg, c.kg) << c.text;
        EXPECT_DOUBLE_EQ(weight_of(c.text).grams, c.grams) << c.text;
    }
}

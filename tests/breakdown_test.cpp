// tests/breakdown_test.cpp — each line's share of the estimates shown: the shares add up to the totals as
// the results panel writes them, for the worked example and for any recipe.
#include "calc/breakdown.h"
#include "calc/breakdown_text.h"
#include "calc_recipes.h"
#include "core/text.h"
#include "random_recipe.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// A figure in hundredths as the results panel writes it.
static long long shown(double x)
{
    return std::llround(text_to_number(format_decimals(x, 2)) * 100);
}

static long long hundredths(double x)
{
    return std::llround(x * 100);
}

// The sums of the shares, in hundredths, against the totals shown; the percentages make 100.0 per figure.
static void expect_shares_add_up(const Breakdown& b, const std::string& context)
{
    long long gravity = 0, colour = 0, ibu = 0, gravity_tenths = 0, colour_tenths = 0, ibu_tenths = 0;
    for (const BreakdownLine& l : b.lines) {
        gravity += hundredths(l.gravity);
        colour += hundredths(l.colour);
        ibu += hundredths(l.ibu);
        gravity_tenths += std::llround(l.gravity_percent * 10);
        colour_tenths += std::llround(l.colour_percent * 10);
        ibu_tenths += std::llround(l.ibu_percent * 10);
    }
    const Estimates& e = b.estimates;
    EXPECT_EQ(gravity, e.initial_density > 0 ? shown(e.initial_density) - 100000 : 0) << context;
    EXPECT_EQ(colour + hundredths(b.colour_base), shown(e.colour_ebc)) << context;
    EXPECT_EQ(ibu, shown(e.bitterness_ibu)) << context;
    EXPECT_EQ(gravity_tenths, gravity == 0 ? 0 : 1000) << context;
    EXPECT_EQ(colour_tenths, colour == 0 ? 0 : 1000) << context;
    EXPECT_EQ(ibu_tenths, ibu == 0 ? 0 : 1000) << context;
    EXPECT_EQ(b.gravity_unassigned, 0) << context;
    EXPECT_EQ(b.colour_unassigned, 0) << context;
    EXPECT_EQ(b.ibu_unassigned, 0) << context;
}

TEST(Breakdown, WorkedExampleSharesAreTheTotalsShown)
{
    load_worked_example();
    const Breakdown b = breakdown(&ws.lines[1], ws.line_count, ws.settings, ForcedVolume{});
    expect_shares_add_up(b, "worked example");
    ASSERT_EQ(b.lines.size(), 5u);
    EXPECT_EQ(b.lines[2].gravity, 47.43); // the malt makes all of 1047.43
    EXPECT_EQ(b.lines[2].colour, 15.81);  // 17.56 EBC less the scale's 1.75
    EXPECT_EQ(b.colour_base, 1.75);
    EXPECT_EQ(b.lines[3].ibu, 23.48);
    EXPECT_NEAR(b.lines[3].time_factor, 0.9172, 1e-4);                         // tanh(π / 2)
    EXPECT_NEAR(b.lines[3].gravity_factor, std::pow(0.000125, 0.04743), 1e-4); // at the boil gravity 1047.43

    const BreakdownTable table = breakdown_table(b);
    ASSERT_EQ(table.rows.size(), 7u); // five lines, the colour base, the total
    EXPECT_EQ(table.rows[5][4], "1.75");
    EXPECT_EQ(table.rows[6][1], "Total (densité initiale 1047.43)");
    EXPECT_EQ(table.rows[6][2], "47.43");
    EXPECT_EQ(table.rows[6][4], "17.56");
    EXPECT_EQ(table.rows[6][6], "23.48");
    EXPECT_EQ(table.rows[0][2], ""); // water takes no share
    EXPECT_EQ(table.settings[0], "Rendement de brassage : 75 %");
}

// Randomised recipes, both colour models, with and without a forced volume: every split is exact, and no
// line's share strays from its proportional part by more than the rounding of the split.
TEST(Breakdown, SharesAddUpForAnyRecipe)
{
    std::mt19937 random(14);
    for (int n = 0; n < 300; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random);
        const Settings settings = random_settings(random);
        const ForcedVolume forced{n % 3 == 0, 18.0 + n % 10};
        const Breakdown b = breakdown(lines.data(), lines.size(), settings, forced);
        const std::string context = "recipe " + std::to_string(n);
        expect_shares_add_up(b, context);
        std::vector<LineEstimate> per_line;
        const Estimates e = estimate(lines, settings, forced, &per_line);
        EXPECT_EQ(e.bitterness_ibu, b.estimates.bitterness_ibu) << context;
        double ibu_weight = 0;
        for (const LineEstimate& l : per_line)
            ibu_weight += l.ibu;
        for (size_t k = 0; k < lines.size(); k++)
            EXPECT_NEAR(b.lines[k].ibu, shown(e.bitterness_ibu) / 100.0 * per_line[k].ibu / ibu_weight, 0.01)
                << context << " line " << k + 1;
    }
}

struct ApportionCase {
    long long units;
    std::vector<double> weights;
    std::vector<long long> parts;
};

TEST(Breakdown, ApportionGivesWholePartsThatSumExactly)
{
    const ApportionCase cases[] = {
        {100, {1, 1, 1}, {34, 33, 33}}, // the leftover goes to the first of equal remainders
        {1000, {2, 1}, {667, 333}},     // largest remainder rounds up
        {7, {0, 5, 0}, {0, 7, 0}},      // lines without weight take nothing
        {-10, {1, 3}, {-2, -8}},        // a negative total: the tie goes to the first too
        {10, {0, 0}, {0, 0}},           // nothing to weigh by: nothing given
        {10, {1, -1}, {0, 0}},          // weights that cancel out
        {5, {3, 3, -1}, {3, 3, -1}},    // a negative weight takes its part off
        {0, {1, 2}, {0, 0}},
        {100, {1e300, -1e300, 1}, {0, 0, 0}}, // parts past any count: nothing split
    };
    for (const ApportionCase& c : cases)
        EXPECT_EQ(apportion(c.units, c.weights), c.parts) << c.units;
}

// The brewing models: the shares still add up, the table names the models, and a hop line says its
// utilisation and where it isomerised (boil, hop stand at its temperature, dry hop).
TEST(Breakdown, BrewingModelsAreNamedAndEachHopSaysItsUse)
{
    std::mt19937 random(24);
    for (int n = 0; n < 100; n++) {
        std::vector<RecipeLine> lines = random_recipe(random);
        Settings settings = random_settings(random);
        settings.gravity_model = GravityModel::extract;
        settings.bitterness_model = BitternessModel::tinseth;
        RecipeLine dry = lines.back();
        dry.category = "HOUBLONPELLET";
        dry.quantity = "50 G";
        dry.value = "12";
        dry.time = "4";
        dry.step = "FERMENTATION";
        lines.push_back(dry);
        const Breakdown b = breakdown(lines.data(), lines.size(), settings, ForcedVolume{n % 3 == 0, 20});
        expect_shares_add_up(b, "recipe " + std::to_string(n));
        const BreakdownTable table = breakdown_table(b);
        EXPECT_EQ(table.header[8], "Utilisation");
        const auto& settings_lines = table.settings;
        EXPECT_EQ(settings_lines[settings_lines.size() - 2],
                  "Modèle de densité : extrait dans le volume final (°Plato)");
        EXPECT_EQ(settings_lines.back().rfind("Modèle d'amertume : Tinseth", 0), 0u);
        for (size_t k = 0; k < lines.size(); k++) {
            const std::string& use = table.rows[k][9];
            if (!b.lines[k].hop) {
                EXPECT_EQ(use, "") << k;
            } else if (lines[k].step == "AROMATISATION") {
                EXPECT_EQ(use, "infusion 80 °C") << k;
            } else if (lines[k].step == "FERMENTATION") {
                EXPECT_EQ(use, "à cru") << k;
            } else {
                EXPECT_EQ(use, "ébullition") << k;
            }
        }
        EXPECT_EQ(table.rows[lines.size() - 1][8], "0 %"); // the dry hop: no bitterness
        EXPECT_EQ(table.rows[lines.size() - 1][6], "0");
    }
    // The classic models add no line: the settings end with the colour model, as they always did.
    const std::vector<RecipeLine> lines = random_recipe(random);
    const BreakdownTable classic =
        breakdown_table(breakdown(lines.data(), lines.size(), random_settings(random), ForcedVolume{}));
    EXPECT_EQ(classic.settings.back().rfind("Modèle de couleur", 0), 0u);
    EXPECT_EQ(classic.header[8], "Facteur temps");
}

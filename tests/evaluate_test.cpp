// tests/evaluate_test.cpp — the estimates of a recipe: weights, volume, densities, colour, alcohol,
// bitterness.
#include "calc/evaluate.h"
#include "calc/format.h"
#include "calc_recipes.h"
#include "core/quantity.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

struct WeightCase {
    const char* quantity;
    double kg;
};
static const WeightCase kWeights[] = {
    {"5 KG", 5}, {"250 G", 0.25}, {"5KG", 5}, // only the last two characters count
    {"250G", 0}, {"250 g", 0},    {"5 L", 0}, {"G", 0}, {"", 0}, {"ABC KG", 0},
};

TEST(Evaluate, QuantityInKgReadsTheUnitFromTheLastTwoCharacters)
{
    for (const WeightCase& c : kWeights)
        EXPECT_DOUBLE_EQ(quantity_in_kg(c.quantity), c.kg) << c.quantity;
}

TEST(Evaluate, DensityOfPointsTruncatesToHundredths)
{
    EXPECT_DOUBLE_EQ(density_of_points(0), 999.5);           // 259 / 259.12955
    EXPECT_DOUBLE_EQ(density_of_points(11.8577), 1047.43);   // the worked example
    EXPECT_DOUBLE_EQ(density_of_points(16.5525432), 1067.7); // 1067.709..., not rounded up
}

static std::string f2(double x)
{
    return format_decimals(x, 2);
}

TEST(Evaluate, WorkedExample)
{
    load_worked_example();
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_DOUBLE_EQ(e.malt_kg, 5);
    EXPECT_DOUBLE_EQ(e.hop_kg, 0.04);
    EXPECT_DOUBLE_EQ(e.mash_water, 20);
    EXPECT_DOUBLE_EQ(e.rinse_water, 10);
    EXPECT_NEAR(e.final_volume, 20.3, 1e-12); // 20 - 2 + 10 - 5 = 23, - 2.3, - 0.4
    EXPECT_NEAR(ws.lines[3].gravity_points, 11.8577, 0.0001);
    EXPECT_NEAR(ws.lines[3].colour_points, 8.0 / 6 * 11.857707509881424, 1e-12);
    EXPECT_NEAR(e.colour_ebc, 17.56, 1e-9);
    EXPECT_NEAR(e.initial_density, 1047.43, 1e-9);
    EXPECT_NEAR(e.final_density, 1011.06, 1e-9); // Pf = 0.25 P
    EXPECT_NEAR(e.alcohol, 4.7855, 0.0001);
    EXPECT_NEAR(e.bitterness_ibu, 23.48, 0.005);
    EXPECT_DOUBLE_EQ(ws.lines[4].line_ibu, e.bitterness_ibu);
    EXPECT_EQ(f2(e.final_volume), "20.3");
    EXPECT_EQ(f2(e.colour_ebc), "17.56");
    EXPECT_EQ(f2(e.initial_density), "1047.43");
    EXPECT_EQ(f2(e.final_density), "1011.06");
    EXPECT_EQ(f2(e.alcohol), "4.79");
    EXPECT_EQ(f2(e.bitterness_ibu), "23.48");
}

TEST(Evaluate, EvaluationStartsFromScratchButKeepsThePriming)
{
    load_worked_example();
    ws.estimates.sugar_per_litre = 6.26;
    ws.estimates.extract_per_litre = 11.48;
    evaluate_recipe();
    evaluate_recipe();
    EXPECT_DOUBLE_EQ(ws.estimates.malt_kg, 5);
    EXPECT_NEAR(ws.estimates.initial_density, 1047.43, 1e-9);
    EXPECT_DOUBLE_EQ(ws.estimates.sugar_per_litre, 6.26);
    EXPECT_DOUBLE_EQ(ws.estimates.extract_per_litre, 11.48);
}

TEST(Evaluate, WithoutYeastNothingFerments)
{
    reset_workspace();
    use_worked_example_settings();
    add_worked_example_lines_without_yeast();
    evaluate_recipe();
    EXPECT_NEAR(ws.estimates.initial_density, 1047.43, 1e-9);
    EXPECT_DOUBLE_EQ(ws.estimates.final_density, ws.estimates.initial_density);
    EXPECT_EQ(ws.estimates.alcohol, 0);
}

TEST(Evaluate, TwoYeastsGiveTheMeanAttenuation)
{
    reset_workspace();
    use_worked_example_settings();
    add_worked_example_lines_without_yeast();
    add_recipe_line("", "LEVURE", "A", "11 G", "", "70", "", "FERMENTATION", "");
    add_recipe_line("", "LEVURE", "B", "11 G", "", "80", "", "FERMENTATION", "");
    evaluate_recipe();
    EXPECT_NEAR(ws.estimates.final_density, 1011.06, 1e-9); // as with one yeast at 75
}

TEST(Evaluate, AYeastOutsideFermentationDoesNotCount)
{
    reset_workspace();
    use_worked_example_settings();
    add_worked_example_lines_without_yeast();
    add_recipe_line("", "LEVURE", "A", "11 G", "", "75", "", "EBULLITION", "");
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.alcohol, 0);
}

TEST(Evaluate, EmptyRecipeGivesZeroEverywhere)
{
    reset_workspace();
    use_worked_example_settings();
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    const double all[] = {e.malt_kg,         e.hop_kg,        e.final_volume, e.mash_water,     e.rinse_water,
                          e.initial_density, e.final_density, e.colour_ebc,   e.bitterness_ibu, e.alcohol};
    for (double value : all)
        EXPECT_EQ(value, 0);
}

TEST(Evaluate, WaterOnly)
{
    reset_workspace();
    ws.settings.loss_mash = 10;
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_DOUBLE_EQ(e.final_volume, 18);
    EXPECT_EQ(e.colour_ebc, 0);      // the sum is 1.75 exactly
    EXPECT_EQ(e.initial_density, 0); // 999.5 is below 1000
    EXPECT_EQ(e.final_density, 0);   // no fermentable: undefined shares
    EXPECT_EQ(e.alcohol, 0);
    EXPECT_EQ(e.bitterness_ibu, 0);
}

TEST(Evaluate, GrainWithoutWaterGivesNoDensityColourOrAlcohol)
{
    reset_workspace();
    use_worked_example_settings();
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EMPATAGE", "");
    add_recipe_line("", "LEVURE", "Ale", "11 G", "", "75", "", "FERMENTATION", "");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "");
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_DOUBLE_EQ(e.malt_kg, 5);
    EXPECT_EQ(e.final_volume, 0);
    EXPECT_EQ(e.initial_density, 0);
    EXPECT_EQ(e.final_density, 0);
    EXPECT_EQ(e.colour_ebc, 0);
    EXPECT_EQ(e.alcohol, 0);
    EXPECT_EQ(e.bitterness_ibu, 0);
}

TEST(Evaluate, BitternessIsCappedWhenTheLossesLeaveNoVolume)
{
    reset_workspace();
    ws.settings.loss_mash = 100; // all the water is lost, but there is water
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "");
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.final_volume, 0);
    EXPECT_EQ(ws.estimates.bitterness_ibu, 9999);
}

TEST(Evaluate, UndefinedBitternessBecomesZero)
{
    reset_workspace();
    ws.settings.loss_mash = 100;
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "0", "EBULLITION", ""); // 0 / 0
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.bitterness_ibu, 0);
}

TEST(Evaluate, UndefinedPointsGiveZeroEstimates)
{
    reset_workspace();
    ws.settings.efficiency = 0.75;
    ws.settings.loss_mash = 100; // no volume left, water present
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "MALT", "Pale", "0 KG", "8", "80", "", "EMPATAGE", ""); // 0 / (0 + 0)
    add_recipe_line("", "LEVURE", "Ale", "11 G", "", "75", "", "FERMENTATION", "");
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_EQ(e.colour_ebc, 0);
    EXPECT_EQ(e.initial_density, 0);
    EXPECT_EQ(e.final_density, 0);
    EXPECT_EQ(e.alcohol, 0);
    EXPECT_EQ(e.bitterness_ibu, 0);
}

TEST(Evaluate, SugarRaisesTheDensityButNotTheBoilGravity)
{
    load_worked_example();
    add_recipe_line("", "SUCRE", "Sucre", "1 KG", "0", "100", "", "EBULLITION", "");
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_NEAR(e.initial_density, 1067.7, 1e-9);
    EXPECT_NEAR(e.final_density, 1015.72, 1e-9);
    EXPECT_NEAR(e.alcohol, 6.8394737, 1e-6);
    EXPECT_NEAR(e.bitterness_ibu, 23.481992662032166, 1e-9); // same as without the sugar
    EXPECT_NEAR(e.colour_ebc, 17.56, 1e-9);                  // no colour in the sugar
}

TEST(Evaluate, ExtractsRaiseTheBoilGravityAndColourWithTheYield)
{
    const char* extracts[] = {"EXTRAITPOUDRE", "EXTRAITLIQUIDE"};
    for (const char* category : extracts) {
        load_worked_example();
        ws.settings.attenuation_sugar = 0.9;
        add_recipe_line("", category, "Extrait", "1 KG", "10", "80", "", "EBULLITION", "");
        evaluate_recipe();
        const Estimates& e = ws.estimates;
        EXPECT_NEAR(ws.lines[6].gravity_points, 3.7558685, 1e-6) << category; // no brewhouse yield
        EXPECT_NEAR(e.colour_ebc, 22.25, 1e-9) << category;                   // colour with the yield
        EXPECT_NEAR(e.initial_density, 1063.58, 1e-9) << category;
        EXPECT_NEAR(e.final_density, 1015.56, 1e-9) << category; // grain share 5/6 at 100 %, the rest at 90 %
        EXPECT_NEAR(e.alcohol, 6.3184211, 1e-6) << category;
        EXPECT_NEAR(e.bitterness_ibu, 20.309538, 1e-5) << category; // denser boil, less bitterness
    }
}

TEST(Evaluate, IngredientsInTheWrongStepContributeNothing)
{
    load_worked_example();
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EBULLITION", "");
    add_recipe_line("", "SUCRE", "Sucre", "1 KG", "0", "100", "", "EMPATAGE", "");
    add_recipe_line("", "EXTRAITPOUDRE", "Extrait", "1 KG", "10", "80", "", "FERMENTATION", "");
    add_recipe_line("", "AUTRE", "Mousse", "1 KG", "10", "80", "60", "EBULLITION", "");
    add_recipe_line("", "EAU", "Eau", "10 L", "", "", "", "EBULLITION", "");
    for (int k = 6; k <= ws.line_count; k++)
        ws.lines[k].gravity_points = ws.lines[k].colour_points = ws.lines[k].line_ibu = -1;
    evaluate_recipe();
    const Estimates& e = ws.estimates;
    EXPECT_DOUBLE_EQ(e.malt_kg, 5);
    EXPECT_DOUBLE_EQ(e.mash_water, 20);
    EXPECT_DOUBLE_EQ(e.rinse_water, 10);
    EXPECT_EQ(f2(e.final_volume), "20.3");
    EXPECT_EQ(f2(e.initial_density), "1047.43");
    EXPECT_EQ(f2(e.final_density), "1011.06");
    EXPECT_EQ(f2(e.colour_ebc), "17.56");
    EXPECT_EQ(f2(e.bitterness_ibu), "23.48");
    for (int k = 6; k <= ws.line_count; k++) {
        EXPECT_EQ(ws.lines[k].gravity_points, 0) << k; // no stale figures from a step it had before
        EXPECT_EQ(ws.lines[k].colour_points, 0) << k;
        EXPECT_EQ(ws.lines[k].line_ibu, 0) << k;
    }
}

TEST(Evaluate, KeywordsAreCaseSensitive)
{
    load_worked_example();
    ws.lines[3].category = "Malt";
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.malt_kg, 0);
    EXPECT_EQ(ws.estimates.initial_density, 0);
}

TEST(Evaluate, HopWithoutTimeInFermentationAddsNothing)
{
    load_worked_example();
    add_recipe_line("", "HOUBLONCONE", "Dry hop", "40 G", "5", "", "0", "FERMENTATION", "");
    evaluate_recipe();
    EXPECT_DOUBLE_EQ(ws.estimates.hop_kg, 0.04);
    EXPECT_EQ(ws.lines[6].line_ibu, 0);
    EXPECT_NEAR(ws.estimates.bitterness_ibu, 23.481992662032166, 1e-9);
}

TEST(Evaluate, EveryHopLineCountsForBitternessWhateverItsStep)
{
    load_worked_example();
    add_recipe_line("", "HOUBLONCONE", "Late", "40 G", "5", "", "60", "FERMENTATION", "");
    evaluate_recipe();
    EXPECT_DOUBLE_EQ(ws.estimates.hop_kg, 0.04); // not boiled: no weight, no absorption
    EXPECT_NEAR(ws.estimates.final_volume, 20.3, 1e-12);
    EXPECT_NEAR(ws.estimates.bitterness_ibu, 2 * 23.481992662032166, 1e-9);
}

TEST(Evaluate, PelletsBitterByThePelletYield)
{
    load_worked_example();
    ws.settings.pellet_yield = 0.5;
    ws.lines[4].category = "HOUBLONPELLET";
    ws.lines[4].quantity = "0.04 KG"; // 40 g written in kilograms
    evaluate_recipe();
    EXPECT_DOUBLE_EQ(ws.estimates.hop_kg, 0.04);
    EXPECT_NEAR(ws.estimates.bitterness_ibu, 0.5 * 23.481992662032166, 1e-9);
}

TEST(Evaluate, QuantityWithoutUnitWeighsNothing)
{
    load_worked_example();
    ws.lines[3].quantity = "5000G";
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.malt_kg, 0);
    EXPECT_EQ(ws.lines[3].gravity_points, 0);
    EXPECT_EQ(ws.estimates.initial_density, 0);
}

TEST(Evaluate, NegativeVolumeBecomesZero)
{
    load_worked_example();
    ws.settings.loss_grain = 10; // 50 L absorbed by 5 kg
    evaluate_recipe();
    EXPECT_EQ(ws.estimates.final_volume, 0);
}

TEST(Evaluate, ForcedVolumeReplacesTheWaterOfTheLines)
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.litres_per_kilo = 3;
    add_worked_example_lines_without_yeast();
    add_recipe_line("", "EAU", "Eau", "7 L", "", "", "", "EMPATAGE", ""); // a second mash water line
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    evaluate_recipe();
    EXPECT_EQ(ws.lines[1].quantity, "15 L");
    EXPECT_EQ(ws.lines[2].quantity, "14.13 L");
    EXPECT_EQ(ws.lines[5].quantity, "7 L");
    EXPECT_DOUBLE_EQ(ws.estimates.mash_water, 15); // the forced value alone
    EXPECT_NEAR(ws.estimates.rinse_water, 14.1272222, 1e-6);
    EXPECT_NEAR(ws.estimates.final_volume, 19.9645, 1e-4);
    EXPECT_EQ(f2(ws.estimates.final_volume), "19.96");
}

TEST(Evaluate, ForcedVolumeFollowsTheGrain)
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.litres_per_kilo = 3;
    add_worked_example_lines_without_yeast();
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    evaluate_recipe();
    ws.lines[3].quantity = "6 KG";
    evaluate_recipe();
    EXPECT_EQ(ws.lines[1].quantity, "18 L");
    EXPECT_EQ(ws.estimates.mash_water, 18);
    EXPECT_NEAR(ws.estimates.final_volume, 19.9645, 1e-4);
}

TEST(Evaluate, EachHopLineTakesTheBitternessOfItsOwnTimeAndWeight)
{
    // Without hop absorption the hops change neither the volume nor the boil gravity, so each hop line of a
    // long recipe must bitter exactly as it does alone; the times alternate and outnumber any small set.
    static const char* const kTimes[] = {"60", "15", "60", "5", "90",  "15", "30",  "45",  "10",
                                         "20", "75", "1",  "0", "120", "60", "2.5", "NAN", "-0"};
    auto base = [] {
        reset_workspace();
        use_worked_example_settings();
        ws.settings.loss_hops = 0;
        ws.settings.pellet_yield = 0.8;
        add_worked_example_lines_without_yeast();
        ws.line_count = 3; // water, rinse water and malt only
    };
    auto add_hop = [](int k) {
        add_recipe_line("", k % 3 ? "HOUBLONCONE" : "HOUBLONPELLET", "Hop", k % 2 ? "0.03 KG" : "25 G",
                        std::to_string(4 + k), "", kTimes[k], k % 4 ? "EBULLITION" : "FERMENTATION", "");
    };
    const int hops = sizeof kTimes / sizeof kTimes[0];
    base();
    for (int k = 0; k < hops; k++)
        add_hop(k);
    evaluate_recipe();
    double together[sizeof kTimes / sizeof kTimes[0]];
    for (int k = 0; k < hops; k++)
        together[k] = ws.lines[4 + k].line_ibu;
    for (int k = 0; k < hops; k++) {
        base();
        add_hop(k);
        evaluate_recipe();
        if (std::isnan(together[k]))
            EXPECT_TRUE(std::isnan(ws.lines[4].line_ibu)) << kTimes[k];
        else
            EXPECT_EQ(ws.lines[4].line_ibu, together[k]) << kTimes[k];
    }
    EXPECT_GT(together[0], together[1]); // 60 minutes bitter more than 15
}

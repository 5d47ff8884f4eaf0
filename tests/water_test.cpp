// tests/water_test.cpp — the mash and rinse water computed for a forced final volume.
#include "calc/water.h"
#include "calc/evaluate.h"
#include "calc/format.h"
#include "core/workspace.h"

#include "calc_recipes.h"

#include <gtest/gtest.h>

// The settings of the forced-volume example, with 5 kg of grain and 40 g of hops already summed.
static void prepare_forced_example()
{
    reset_workspace();
    use_forced_volume_example();
}

TEST(Water, ForcedVolumeExample)
{
    prepare_forced_example();
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "RINCAGE", "");
    add_recipe_line("", "EAU", "Eau", "30 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "8 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "9 L", "", "", "", "RINCAGE", "");
    compute_forced_water(20);
    EXPECT_DOUBLE_EQ(ws.calc_mash_water_l, 15);
    EXPECT_NEAR(ws.calc_sparge_water_l, 14.1272222, 1e-6);
    EXPECT_EQ(ws.lines[3].quantity, "15 L");    // the first mash water line
    EXPECT_EQ(ws.lines[2].quantity, "14.13 L"); // the first rinse water line
    EXPECT_EQ(ws.lines[4].quantity, "8 L");
    EXPECT_EQ(ws.lines[5].quantity, "9 L");
    EXPECT_EQ(ws.lines[1].quantity, "5 KG");
}

TEST(Water, TheEvaluationThenComesCloseToTheTarget)
{
    prepare_forced_example();
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EMPATAGE", "");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "");
    add_recipe_line("", "EAU", "Eau", "1 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "1 L", "", "", "", "RINCAGE", "");
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    evaluate_recipe();
    EXPECT_NEAR(ws.estimates.final_volume, 19.9645, 1e-4);
    EXPECT_EQ(format_decimals(ws.estimates.final_volume, 2), "19.96");
}

TEST(Water, WithoutWaterLinesNothingIsWritten)
{
    prepare_forced_example();
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EBULLITION", "");
    add_recipe_line("", "Eau", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    compute_forced_water(20);
    EXPECT_EQ(ws.lines[1].quantity, "20 L");
    EXPECT_EQ(ws.lines[2].quantity, "20 L");
    EXPECT_DOUBLE_EQ(ws.calc_mash_water_l, 15);
}

TEST(Water, RinseWaterNeverGoesNegative)
{
    prepare_forced_example();
    ws.settings.litres_per_kilo = 30; // 150 L of mash water for a 20 L target
    add_recipe_line("", "EAU", "Eau", "10 L", "", "", "", "RINCAGE", "");
    compute_forced_water(20);
    EXPECT_EQ(ws.calc_sparge_water_l, 0);
    EXPECT_EQ(ws.lines[1].quantity, "0 L");
}

TEST(Water, UndefinedRinseWaterBecomesZero)
{
    prepare_forced_example();
    ws.settings.loss_boil = 100; // 0 / 0 for a target of 0
    compute_forced_water(0);
    EXPECT_EQ(ws.calc_sparge_water_l, 0);
}

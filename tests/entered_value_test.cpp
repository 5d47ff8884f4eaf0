// tests/entered_value_test.cpp — the effects of validating the value entry dialog for its three purposes.
#include "calc/entered_value.h"
#include "core/text.h"
#include "core/workspace.h"

#include "calc_recipes.h"

#include <gtest/gtest.h>

// 5 kg of grain and 40 g of hops evaluated, with the settings of the forced-volume example.
static void prepare_recipe()
{
    reset_workspace();
    set_recipe_start_values();
    use_forced_volume_example();
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "10 L", "", "", "", "RINCAGE", "");
}

TEST(EnteredValue, ForcedVolumeWritesTheWater)
{
    prepare_recipe();
    EXPECT_EQ(apply_entered_value_effects(VALUE_FORCED_VOLUME, "20", "20"), "");
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_DOUBLE_EQ(ws.forced_volume, 20);
    EXPECT_DOUBLE_EQ(ws.calc_mash_water_l, 15);
    EXPECT_NEAR(ws.calc_sparge_water_l, 14.1272222, 1e-6);
    EXPECT_EQ(ws.lines[1].quantity, "15 L");
    EXPECT_EQ(ws.lines[2].quantity, "14.13 L");
}

TEST(EnteredValue, ZeroOrNoNumberTurnsTheForcedVolumeOff)
{
    const char* entries[] = {"0", "", "ABC", "-5", "INF"};
    for (const char* entry : entries) {
        prepare_recipe();
        apply_entered_value_effects(VALUE_FORCED_VOLUME, "20", "20");
        apply_entered_value_effects(VALUE_FORCED_VOLUME, entry, entry);
        EXPECT_EQ(ws.volume_forced, 0) << entry;
        EXPECT_EQ(ws.forced_volume, 0) << entry;
        EXPECT_EQ(ws.calc_mash_water_l, 0) << entry;
        EXPECT_EQ(ws.calc_sparge_water_l, 0) << entry;
        EXPECT_EQ(ws.lines[1].quantity, "15 L") << entry; // the last quantities written stay
        EXPECT_EQ(ws.lines[2].quantity, "14.13 L") << entry;
    }
}

TEST(EnteredValue, CarbonationIsStoredAsANumberOfVolumes)
{
    struct Case {
        const char* entry;
        const char* carbonation;
    } cases[] = {
        {"2,5", "2.5 VOL"}, {"2.50", "2.5 VOL"}, {"3 VOL", "3 VOL"}, {"", "0 VOL"}, {"ABC", "0 VOL"}};
    for (const Case& c : cases) {
        prepare_recipe();
        // The dialog hands over the entry with its commas turned into points.
        apply_entered_value_effects(VALUE_CARBONATION, commas_to_points(c.entry), c.entry);
        EXPECT_EQ(ws.carbonation, c.carbonation) << c.entry;
    }
}

TEST(EnteredValue, CarbonationMessage)
{
    prepare_recipe();
    ws.estimates.final_volume = 20.3;
    EXPECT_EQ(apply_entered_value_effects(VALUE_CARBONATION, "2.5", "2.5"),
              "Pour une carbonatation de 2.5 VOL :\r"
              "\r"
              "Il faut par Litre :\r"
              "6.26 G de sucre en poudre ou 11.48 G d'extrait de malt.\r"
              "\r"
              "Soit au total pour cette recette :\r"
              "127.08 G de sucre en poudre ou 233.04 G d'extrait de malt.");
}

TEST(EnteredValue, CarbonationTooLowIsImpossible)
{
    prepare_recipe();
    EXPECT_EQ(apply_entered_value_effects(VALUE_CARBONATION, "0.86", "0.86"),
              "Pour une carbonatation de 0.86 VOL :\r\rImpossible !");
    EXPECT_EQ(apply_entered_value_effects(VALUE_CARBONATION, "", ""),
              "Pour une carbonatation de 0 VOL :\r\rImpossible !");
}

TEST(EnteredValue, TitleIsThePlainText)
{
    prepare_recipe();
    EXPECT_EQ(apply_entered_value_effects(VALUE_TITLE, "MA BIèRE, 2", "Ma bière, 2"), "");
    EXPECT_EQ(ws.title, "Ma bière, 2");
    apply_entered_value_effects(VALUE_TITLE, "", "Deux\tlignes\r\nici");
    EXPECT_EQ(ws.title, "Deux lignes  ici"); // would split the title's line of the recipe file
}

TEST(EnteredValue, OtherPurposesChangeNothing)
{
    prepare_recipe();
    EXPECT_EQ(apply_entered_value_effects(99, "20", "Titre"), "");
    EXPECT_EQ(apply_entered_value_effects(0, "20", "Titre"), "");
    EXPECT_EQ(ws.volume_forced, 0);
    EXPECT_EQ(ws.title, "");
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.lines[1].quantity, "20 L");
}

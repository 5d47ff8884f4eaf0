// tests/screen_edits_test.cpp — what the value dialog's commands do to the recipe on screen: force the
// volume, set the carbonation, set the title (calc/evaluate.h).
#include "calc/evaluate.h"
#include "core/text.h"
#include "core/workspace.h"

#include "calc_recipes.h"

#include <gtest/gtest.h>

// The number the value dialog hands over: the entry read with its commas turned into points.
static double entered(const std::string& entry)
{
    return text_to_number(commas_to_points(entry));
}

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
    set_forced_volume_on_screen(entered("20"));
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
        set_forced_volume_on_screen(entered("20"));
        set_forced_volume_on_screen(entered(entry));
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
        set_carbonation_on_screen(entered(c.entry));
        EXPECT_EQ(ws.carbonation, c.carbonation) << c.entry;
    }
}

TEST(EnteredValue, CarbonationMessage)
{
    prepare_recipe();
    ws.estimates.final_volume = 20.3;
    EXPECT_EQ(set_carbonation_on_screen(entered("2.5")),
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
    EXPECT_EQ(set_carbonation_on_screen(entered("0.86")),
              "Pour une carbonatation de 0.86 VOL :\r\rImpossible !");
    EXPECT_EQ(set_carbonation_on_screen(entered("")), "Pour une carbonatation de 0 VOL :\r\rImpossible !");
}

TEST(EnteredValue, TitleIsThePlainText)
{
    prepare_recipe();
    set_title_on_screen("Ma bière, 2");
    EXPECT_EQ(ws.title, "Ma bière, 2");
    set_title_on_screen("Deux\tlignes\r\nici");
    EXPECT_EQ(ws.title, "Deux lignes  ici"); // would split the title's line of the recipe file
}

// tests/results_text_test.cpp — the label texts of the results panel and the style button text.
#include "calc/results_text.h"
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

static const std::string kBlanks(33, ' ');

static void use_default_style()
{
    ws.style = StyleEntry{
        "Pas de Catégorie", "Pas de Style",      "0", "9999", "0", "9999", "0", "9999", "0", "9999",
        "style0",           "Pas de description"};
}

// The worked example evaluated under the default style, warning colours set.
static void evaluate_worked_example()
{
    load_worked_example();
    use_default_style();
    ws.settings.colour_min = "0000AA";
    ws.settings.colour_max = "AA0000";
    evaluate_recipe();
}

TEST(ResultsText, WorkedExampleUnderTheDefaultStyleIsAllBlack)
{
    evaluate_worked_example();
    ResultsText r = results_text_on_screen();
    EXPECT_EQ(r.labels[1], "Min - Max");
    EXPECT_EQ(r.labels[2], "<span foreground=\"#000\">Volume Final : 20.3 L</span>");
    EXPECT_EQ(r.labels[3], "Densité Initiale : ");
    EXPECT_EQ(r.labels[4], "<span foreground=\"#000\">1047.43</span>");
    EXPECT_EQ(r.labels[5], "0-9999");
    EXPECT_EQ(r.labels[6], "Malt : 5 KG");
    EXPECT_EQ(r.labels[7], "Densité Finale :");
    EXPECT_EQ(r.labels[8], "<span foreground=\"#000\">1011.06</span>");
    EXPECT_EQ(r.labels[9], "0-9999");
    EXPECT_EQ(r.labels[10], "Houblon : 40 G");
    EXPECT_EQ(r.labels[11], "Amertume :");
    EXPECT_EQ(r.labels[12], "<span foreground=\"#000\">23.48 IBU</span>");
    EXPECT_EQ(r.labels[13], "0-9999");
    EXPECT_EQ(r.labels[14], "Alcool : 4.79 %Vol.");
    EXPECT_EQ(r.labels[15], "Couleur :");
    EXPECT_EQ(r.labels[16], "<span foreground=\"#000\">17.56 EBC</span>");
    EXPECT_EQ(r.labels[17], "0-9999");
    EXPECT_EQ(r.labels[18], "<span background=\"#E58500\">" + kBlanks + "</span>"); // 17.56 rounds to 18
    EXPECT_EQ(r.style_button, " Pas de Style");
    EXPECT_TRUE(r.style_button_changes);
}

TEST(ResultsText, InitialDensityAgainstItsRange)
{
    struct Case {
        const char* min;
        const char* max;
        const char* colour;
        const char* sign;
    } cases[] = {
        {"1050", "1060", "#0000AA", " ▼"}, // below the minimum
        {"1040", "1045", "#AA0000", " ▲"}, // above the maximum
        {"1047.43", "1060", "#000", ""},   // on the minimum
        {"1040", "1047.43", "#000", ""},   // on the maximum
        {"1050", "1040", "#0000AA", " ▼"}, // minimum tested first
        {"1,040", "1060", "#000", ""},     // a comma stops the number at 1
    };
    for (const Case& c : cases) {
        evaluate_worked_example();
        ws.style.og_min = c.min;
        ws.style.og_max = c.max;
        ResultsText r = results_text_on_screen();
        EXPECT_EQ(r.labels[4],
                  std::string("<span foreground=\"") + c.colour + "\">1047.43" + c.sign + "</span>")
            << c.min;
        EXPECT_EQ(r.labels[5], std::string(c.min) + "-" + c.max);
    }
}

TEST(ResultsText, EachEstimateHasItsOwnRange)
{
    evaluate_worked_example();
    ws.style.fg_min = "1012";   // 1011.06 below
    ws.style.ibu_max = "20";    // 23.48 above
    ws.style.ebc_min = "17.56"; // on the bound
    ws.style.ebc_max = "";      // an empty bound reads as 0
    ResultsText r = results_text_on_screen();
    // Out of range reads without colour too: "▼" below, "▲" above.
    EXPECT_EQ(r.labels[8], "<span foreground=\"#0000AA\">1011.06 ▼</span>");
    EXPECT_EQ(r.labels[12], "<span foreground=\"#AA0000\">23.48 IBU ▲</span>");
    EXPECT_EQ(r.labels[16], "<span foreground=\"#AA0000\">17.56 EBC ▲</span>");
    EXPECT_EQ(r.labels[17], "17.56-");
    EXPECT_EQ(r.labels[4], "<span foreground=\"#000\">1047.43</span>");
}

TEST(ResultsText, EmptyRecipe)
{
    reset_workspace();
    use_default_style();
    evaluate_recipe();
    ResultsText r = results_text_on_screen();
    EXPECT_EQ(r.labels[2], "<span foreground=\"#000\">Volume Final : 0 L</span>");
    EXPECT_EQ(r.labels[4], "<span foreground=\"#000\">0</span>"); // 0 is inside 0-9999
    EXPECT_EQ(r.labels[6], "Malt : 0 KG");
    EXPECT_EQ(r.labels[8], "<span foreground=\"#000\">0</span>");
    EXPECT_EQ(r.labels[10], "Houblon : 0 G");
    EXPECT_EQ(r.labels[12], "<span foreground=\"#000\">0 IBU</span>");
    EXPECT_EQ(r.labels[14], "Alcool : 0 %Vol.");
    EXPECT_EQ(r.labels[16], "<span foreground=\"#000\">0 EBC</span>");
    EXPECT_EQ(r.labels[18], "<span background=\"#FFFFFF\">" + kBlanks + "</span>");
}

TEST(ResultsText, ZeroedEstimatesAreComparedLikeAnyOther)
{
    reset_workspace();
    use_default_style();
    ws.style.og_min = "1040";
    ws.settings.colour_min = "123";
    evaluate_recipe();
    EXPECT_EQ(results_text_on_screen().labels[4], "<span foreground=\"#123\">0 ▼</span>");
}

TEST(ResultsText, ForcedVolumeShowsInBlue)
{
    evaluate_worked_example();
    ws.settings.litres_per_kilo = 3;
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    evaluate_recipe();
    EXPECT_EQ(results_text_on_screen().labels[2], "<span foreground=\"#00F\">Volume Final : 19.96 L</span>");
}

TEST(ResultsText, StyleButtonByDisplayMode)
{
    evaluate_worked_example();
    const char* expected[] = {" Pas de Style", " Pas de Catégorie", " Pas de description"};
    for (int mode = 0; mode < 3; mode++) {
        ws.style_display_mode = mode;
        ResultsText r = results_text_on_screen();
        EXPECT_EQ(r.style_button, expected[mode]) << mode;
        EXPECT_TRUE(r.style_button_changes) << mode;
    }
    ws.style_display_mode = 3;
    EXPECT_FALSE(results_text_on_screen().style_button_changes);
}

TEST(ResultsText, HopWeightInGrams)
{
    evaluate_worked_example();
    ws.estimates.hop_kg = 0.04;
    EXPECT_EQ(results_text_on_screen().labels[10], "Houblon : 40 G");
    ws.estimates.hop_kg = 0.0125;
    EXPECT_EQ(results_text_on_screen().labels[10], "Houblon : 12.5 G");
}

TEST(ResultsText, SwatchFollowsTheColourScale)
{
    evaluate_worked_example();
    struct Case {
        double ebc;
        const char* colour;
    } cases[] = {{0, "#FFFFFF"},   {0.49, "#FFFFFF"},  {2.6, "#FFD878"}, {79.4, "#36080A"},
                 {500, "#000000"}, {1e300, "#000000"}, {-3, "#FFFFFF"}}; // no scale below 0: white
    for (const Case& c : cases) {
        ws.estimates.colour_ebc = c.ebc;
        EXPECT_EQ(results_text_on_screen().labels[18],
                  std::string("<span background=\"") + c.colour + "\">" + kBlanks + "</span>")
            << c.ebc;
    }
}

TEST(ResultsText, TextsFromFilesAreEscaped)
{
    evaluate_worked_example();
    ws.style.name = "Porter & <Stout>";
    ws.style.category = "A&B";
    ws.style.description = "<i>x</i>";
    ws.style.og_min = "<1040";
    ws.style.og_max = "1060&";
    ResultsText r = results_text_on_screen();
    EXPECT_EQ(r.style_button, " Porter &amp; &lt;Stout&gt;");
    EXPECT_EQ(r.labels[5], "&lt;1040-1060&amp;");
    ws.style_display_mode = 1;
    EXPECT_EQ(results_text_on_screen().style_button, " A&amp;B");
    ws.style_display_mode = 2;
    EXPECT_EQ(results_text_on_screen().style_button, " &lt;i&gt;x&lt;/i&gt;");
}

TEST(ResultsText, EscapeMarkup)
{
    EXPECT_EQ(escape_markup(""), "");
    EXPECT_EQ(escape_markup("Bière \"blonde\""), "Bière \"blonde\"");
    EXPECT_EQ(escape_markup("a<b>&c;"), "a&lt;b&gt;&amp;c;");
}

TEST(ResultsText, BrokenWarningColourFallsBack)
{
    evaluate_worked_example();
    ws.settings.colour_min = "";
    ws.settings.colour_max = "#F00";
    ws.style.og_min = "1050";
    ws.style.ibu_max = "10";
    ResultsText r = results_text_on_screen();
    EXPECT_EQ(r.labels[4], "<span foreground=\"#FF8C00\">1047.43 ▼</span>");
    EXPECT_EQ(r.labels[12], "<span foreground=\"#FF0000\">23.48 IBU ▲</span>");
}

// The mash pH's label: a dash when there is none; coloured and signed outside 5.2 to 5.6, plain inside; the
// brewery's correction said.
TEST(ResultsText, MashPhColouredAndSignedOutsideItsRange)
{
    Settings s;
    s.colour_min = "0000AA";
    s.colour_max = "AA0000";
    StyleEntry style;
    Estimates e;
    EXPECT_EQ(results_text(e, style, s, 0, false).labels[19], "pH d'empâtage : -");
    const struct {
        double ph, correction;
        const char* shown;
    } kCases[] = {
        {5.4, 0, "<span foreground=\"#000\">5.40</span>"},
        {5.1, 0, "<span foreground=\"#0000AA\">5.10 ▼</span>"},
        {5.75, 0, "<span foreground=\"#AA0000\">5.75 ▲</span>"},
        {5.45, -0.05, "<span foreground=\"#000\">5.45 (correction -0.05)</span>"},
    };
    for (const auto& c : kCases) {
        e.mash_ph = c.ph;
        e.ph_correction = c.correction;
        e.so4_cl_ratio = 2;
        const std::string label = results_text(e, style, s, 0, false).labels[19];
        EXPECT_EQ(label.find("pH d'empâtage : " + std::string(c.shown)), 0u) << label;
        EXPECT_NE(label.find("SO4/Cl 2"), std::string::npos) << label;
    }
}

// Labels 20 and 21: the brew day's water and volumes, figures to two decimals as the other rows.
TEST(ResultsText, BrewDayWaterAndVolumesRows)
{
    struct Case {
        double strike_litres, strike_temperature, sparge_litres, pre_boil, density, post_boil, fermenter;
        const char* water;
        const char* volumes;
        double top_up = 0;
    };
    static const Case kCases[] = {
        {15, 72.2867, 12, 28.1, 1045.204, 25.3, 23, // the worked example's water, at 3 L/kg and 66 °C
         "Eau : empâtage 15 L à 72.3 °C, rinçage 12 L à 77 °C",
         "Avant ébullition : 28.1 L à 1045.2 ; après : 25.3 L ; en fermenteur : 23 L"},
        {20, 0, 0, 0, 0, 0, 0, // no grain, no schedule: no strike temperature; no rinse: no temperature
         "Eau : empâtage 20 L, rinçage 0 L",
         "Avant ébullition : 0 L à 0 ; après : 0 L ; en fermenteur : 0 L"},
        {15, 66, 5, 19.4, 1058.1, 17.5, 23.25, // topped up: the water row names it, the fermenter includes it
         "Eau : empâtage 15 L à 66 °C, rinçage 5 L à 77 °C, appoint au fermenteur 8 L",
         "Avant ébullition : 19.4 L à 1058.1 ; après : 17.5 L ; en fermenteur : 23.25 L", 8},
    };
    for (const Case& c : kCases) {
        BrewDay day;
        day.mash.strike_litres = c.strike_litres;
        day.mash.strike_temperature = c.strike_temperature;
        day.mash.sparge_litres = c.sparge_litres;
        day.mash.sparge_temperature = c.sparge_litres > 0 ? 77 : 0;
        day.volumes.pre_boil_litres = c.pre_boil;
        day.volumes.pre_boil_density = c.density;
        day.volumes.post_boil_litres = c.post_boil;
        day.volumes.fermenter_litres = c.fermenter;
        day.volumes.top_up_litres = c.top_up;
        ResultsText r;
        add_brew_day_labels(r, day);
        EXPECT_EQ(r.labels[20], c.water);
        EXPECT_EQ(r.labels[21], c.volumes);
    }
    // On screen the rows follow the recipe's brew day.
    evaluate_worked_example();
    const BrewDay day = brew_day_on_screen();
    ResultsText expected;
    add_brew_day_labels(expected, day);
    EXPECT_EQ(results_text_on_screen().labels[20], expected.labels[20]);
    EXPECT_EQ(results_text_on_screen().labels[21], expected.labels[21]);
    EXPECT_NE(expected.labels[21].find(format_decimals(day.volumes.fermenter_litres, 2) + " L"),
              std::string::npos);
}

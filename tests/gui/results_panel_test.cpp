// tests/gui/results_panel_test.cpp — what the eighteen result labels show after each refresh.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

using ResultsPanel = GuiTest;

static std::string span(const std::string& colour, const std::string& text)
{
    return "<span foreground=\"" + colour + "\">" + text + "</span>";
}

TEST_F(ResultsPanel, EmptyRecipeShowsZerosInBlackAndAWhiteSwatch)
{
    const std::string expected[kResultLabels + 1] = {
        "",
        "Min - Max",
        span("#000", "Volume Final : 0 L"),
        "Densité Initiale : ",
        span("#000", "0"),
        "0-9999",
        "Malt : 0 KG",
        "Densité Finale :",
        span("#000", "0"),
        "0-9999",
        "Houblon : 0 G",
        "Amertume :",
        span("#000", "0 IBU"),
        "0-9999",
        "Alcool : 0 %Vol.",
        "Couleur :",
        span("#000", "0 EBC"),
        "0-9999",
        "<span background=\"#FFFFFF\">" + std::string(33, ' ') + "</span>",
        "pH d'empâtage : -",
        "Eau : empâtage 0 L, rinçage 0 L",
        "Avant ébullition : 0 L à 0 ; après : 0 L ; en fermenteur : 0 L"};
    for (int k = 1; k <= kResultLabels; k++) {
        EXPECT_EQ(label_markup(k), expected[k]) << "label " << k;
        EXPECT_TRUE(gtk_label_get_use_markup(GTK_LABEL(ui.result_labels[k]))) << "label " << k;
    }
}

TEST_F(ResultsPanel, MarkupTakesEffectSoNoTagIsShown)
{
    const std::string shown = gtk_label_get_text(GTK_LABEL(ui.result_labels[2]));
    EXPECT_EQ(shown, "Volume Final : 0 L");
}

TEST_F(ResultsPanel, EstimatesOutsideTheStyleTakeTheConfiguredColours)
{
    // Styles of the fixture want 1040-1060, 1008-1014, 20-40 IBU and 8-20 EBC; COULEUR_MIN is 00F, MAX F00.
    click_toolbar(CMD_STYLE_MENU);
    activate_menu_path(ui.style_menu, {"Lagers", "Style 1"});
    gtk_menu_popdown(GTK_MENU(ui.style_menu));
    EXPECT_EQ(label_markup(4), span("#00F", "0 ▼")) << "an empty recipe is below every range";
    EXPECT_EQ(label_markup(12), span("#00F", "0 IBU ▼"));
    EXPECT_EQ(label_markup(9), "1008-1014");
    EXPECT_EQ(label_markup(13), "20-40");
    EXPECT_EQ(label_markup(17), "8-20");
}

TEST_F(ResultsPanel, RefreshRewritesEveryLabelFromTheRecipe)
{
    build_small_recipe();
    for (int k = 1; k <= kResultLabels; k++)
        gtk_label_set_text(GTK_LABEL(ui.result_labels[k]), "stale");
    refresh_results();
    EXPECT_EQ(label_markup(6), "Malt : 5 KG");
    EXPECT_EQ(label_markup(10), "Houblon : 40 G");
    // 15 L of mash water for 5 kg of grain; the strike temperature from the configuration's first rest.
    EXPECT_EQ(label_markup(20).rfind("Eau : empâtage 15 L à ", 0), 0u) << label_markup(20);
    EXPECT_EQ(label_markup(21).find("Avant ébullition : 0 L"), std::string::npos) << label_markup(21);
    for (int k = 1; k <= kResultLabels; k++)
        EXPECT_NE(label_markup(k), "stale") << "label " << k;
}

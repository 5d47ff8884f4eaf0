// tests/gui/mash_window_test.cpp — the recipe's mash schedule edited in its window through the real handlers:
// the list and figures follow each edit, Valider is one undo step, the file keeps the steps.
#include "gui_support.h"

#include "calc/evaluate.h"
#include "calc/mash_water.h"
#include "core/history.h"
#include "core/text.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/mash_window.h"

#include <fstream>
#include <sstream>

using MashWindowTest = GuiTest;

namespace
{

void collect(GtkWidget* widget, gpointer found)
{
    static_cast<std::vector<GtkWidget*>*>(found)->push_back(widget);
    if (GTK_IS_CONTAINER(widget))
        gtk_container_foreach(GTK_CONTAINER(widget), collect, found);
}

// Every widget of the window whose type is `type`, in the order they were attached.
std::vector<GtkWidget*> widgets_of(GtkWidget* window, GType type)
{
    std::vector<GtkWidget*> all, found;
    gtk_container_foreach(GTK_CONTAINER(window), collect, &all);
    for (GtkWidget* widget : all)
        if (G_TYPE_CHECK_INSTANCE_TYPE(widget, type))
            found.push_back(widget);
    std::reverse(found.begin(), found.end()); // a table lists its children last attached first
    return found;
}

void click(const std::string& label)
{
    GtkWidget* button = dialog_button(mash_window(), label);
    ASSERT_NE(button, nullptr) << label;
    gtk_button_clicked(GTK_BUTTON(button));
    drain_events();
}

// The list's rows as shown: name, °C, minutes, kind, action.
std::vector<std::vector<std::string>> shown_steps()
{
    GtkWidget* list = widgets_of(mash_window(), GTK_TYPE_TREE_VIEW).at(0);
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(list));
    std::vector<std::vector<std::string>> rows;
    GtkTreeIter row;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &row); more;
         more = gtk_tree_model_iter_next(model, &row)) {
        std::vector<std::string> texts;
        for (int c = 0; c < 5; c++) {
            gchar* text = nullptr;
            gtk_tree_model_get(model, &row, c, &text, -1);
            texts.push_back(text ? text : "");
            g_free(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

// The figures under the list: the window's label that names the strike water.
std::string shown_figures()
{
    for (GtkWidget* label : widgets_of(mash_window(), GTK_TYPE_LABEL)) {
        const std::string text = gtk_label_get_text(GTK_LABEL(label));
        if (text.find("Eau d'empâtage") != std::string::npos)
            return text;
    }
    return "";
}

std::string file_text(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace

TEST_F(MashWindowTest, EditedScheduleIsOneUndoStepSavedAsPalierLines)
{
    build_small_recipe();
    evaluate_recipe();
    const BrewDay before = brew_day_on_screen();
    ASSERT_GT(before.mash.strike_temperature, 0);
    ASSERT_TRUE(ws.plan.mash.empty());
    history_mark_saved();

    run_function("Paliers d'empâtage");
    ASSERT_NE(mash_window(), nullptr);
    // The brewery's rests to start with, the first one reached with the strike water.
    const std::vector<std::vector<std::string>> brewery = shown_steps();
    ASSERT_FALSE(brewery.empty());
    EXPECT_EQ(brewery[0][4].rfind("Empâter avec ", 0), 0u) << brewery[0][4];
    const std::string brewery_figures = shown_figures();
    EXPECT_FALSE(gtk_widget_get_sensitive(dialog_button(mash_window(), "Paliers de l'_installation")))
        << "they are the brewery's already";

    std::vector<GtkWidget*> entries = widgets_of(mash_window(), GTK_TYPE_ENTRY);
    ASSERT_EQ(entries.size(), 3u); // name, temperature, minutes
    GtkWidget* combo = widgets_of(mash_window(), GTK_TYPE_COMBO_BOX).at(0);
    // Only the rest at 64 °C, then a rise to 72 °C by boiling water and a mash-out by decoction.
    while (shown_steps().size() > 1)
        click("_Supprimer");
    type_into(entries[0], "Saccharification");
    type_into(entries[1], "64,5 °C");
    type_into(entries[2], "45");
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0); // the rest left was the brewery's last, heated
    click("_Ajouter");
    EXPECT_EQ(shown_steps().size(), 2u);
    type_into(entries[0], "Dextrines");
    type_into(entries[1], "72");
    type_into(entries[2], "20 min");
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 0); // infusion
    click("_Ajouter");
    type_into(entries[0], "Fin");
    type_into(entries[1], "78");
    gtk_combo_box_set_active(GTK_COMBO_BOX(combo), 2); // décoction
    drain_events();
    const std::vector<std::vector<std::string>> steps = shown_steps();
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0][0], "Saccharification");
    EXPECT_EQ(steps[0][1], "64.5");
    EXPECT_EQ(steps[1][3], "infusion");
    EXPECT_EQ(steps[1][4].rfind("Verser ", 0), 0u) << steps[1][4];
    EXPECT_EQ(steps[2][3], "décoction");
    EXPECT_EQ(steps[2][4].rfind("Décocter ", 0), 0u) << steps[2][4];
    // The figures follow the edits before anything is validated: a cooler first rest, a colder strike.
    EXPECT_NE(shown_figures(), brewery_figures);
    EXPECT_NE(shown_figures().find("Eau bouillante des infusions"), std::string::npos);
    EXPECT_TRUE(ws.plan.mash.empty()) << "nothing applied before Valider";

    // A refused figure keeps the window open and changes nothing; the brewer cannot leave it for another
    // step.
    type_into(entries[1], "140");
    GtkTreeSelection* selection =
        gtk_tree_view_get_selection(GTK_TREE_VIEW(widgets_of(mash_window(), GTK_TYPE_TREE_VIEW).at(0)));
    GtkTreeIter first;
    ASSERT_TRUE(gtk_tree_model_get_iter_first(
        gtk_tree_view_get_model(GTK_TREE_VIEW(widgets_of(mash_window(), GTK_TYPE_TREE_VIEW).at(0))), &first));
    gtk_tree_selection_select_iter(selection, &first);
    drain_events();
    EXPECT_FALSE(gtk_tree_selection_iter_is_selected(selection, &first));
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(entries[1])), "140");
    click("Valider");
    EXPECT_NE(mash_window(), nullptr);
    EXPECT_NE(gtk_widget_get_tooltip_text(entries[1]), nullptr);
    EXPECT_TRUE(ws.plan.mash.empty());
    type_into(entries[1], "78");
    click("Valider");
    EXPECT_EQ(mash_window(), nullptr);

    ASSERT_EQ(ws.plan.mash.size(), 3u);
    EXPECT_EQ(ws.plan.mash[0].name, "Saccharification");
    EXPECT_DOUBLE_EQ(ws.plan.mash[0].temperature, 64.5);
    EXPECT_DOUBLE_EQ(ws.plan.mash[0].minutes, 45);
    EXPECT_EQ(ws.plan.mash[2].kind, MashStepKind::decoction);
    EXPECT_TRUE(recipe_is_modified());
    const BrewDay after = brew_day_on_screen();
    const Settings settings = settings_on_screen();
    EXPECT_NEAR(
        after.mash.strike_temperature,
        strike_temperature(ws.estimates.mash_water / ws.estimates.malt_kg, settings.grain_temperature, 64.5) +
            settings.tun_heat_loss,
        1e-9)
        << "the strike water now aims at the first rest typed";
    EXPECT_NE(after.mash.strike_temperature, before.mash.strike_temperature);
    ASSERT_EQ(after.mash.steps.size(), 3u);
    EXPECT_GT(after.mash.steps[1].water_litres, 0);
    EXPECT_GT(after.mash.steps[2].decoction_share, 0);
    EXPECT_NE(label_markup(20).find(format_decimals(after.mash.strike_temperature, 1) + " °C"),
              std::string::npos)
        << label_markup(20) << ": the results panel shows the new strike water";

    const std::string path = fixture_folder() + "/recettes/paliers";
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_SAVE);
        EXPECT_FALSE(watcher.gave_up);
    }
    const std::string saved = file_text(path + ".cvl");
    EXPECT_NE(saved.find("PALIER\tSaccharification\t64.5\t45\tINFUSION"), std::string::npos) << saved;
    EXPECT_NE(saved.find("PALIER\tFin\t78\t10\tDECOCTION"), std::string::npos) << saved;

    ASSERT_TRUE(history_undo()); // the whole schedule at once
    EXPECT_TRUE(ws.plan.mash.empty());
    EXPECT_DOUBLE_EQ(brew_day_on_screen().mash.strike_temperature, before.mash.strike_temperature);
}

TEST_F(MashWindowTest, BreweryRestsEmptyThePlanAndMovesReorder)
{
    MashStep a, b;
    a.name = "A";
    a.temperature = 52;
    a.minutes = 15;
    b.name = "B";
    b.temperature = 67;
    b.minutes = 60;
    b.kind = MashStepKind::direct_heat;
    ws.plan.mash = {a, b};
    run_function("Paliers d'empâtage");
    ASSERT_NE(mash_window(), nullptr);
    ASSERT_EQ(shown_steps().size(), 2u);
    // The first step is selected: Descendre takes it below the second.
    click("_Descendre");
    EXPECT_EQ(shown_steps()[0][0], "B");
    EXPECT_EQ(shown_steps()[1][0], "A");
    click("_Monter");
    EXPECT_EQ(shown_steps()[0][0], "A");
    click("Paliers de l'_installation");
    EXPECT_NE(shown_steps()[0][0], "A");
    EXPECT_FALSE(gtk_widget_get_sensitive(dialog_button(mash_window(), "Paliers de l'_installation")));
    click("Valider");
    EXPECT_TRUE(ws.plan.mash.empty()) << "the brewery's rests are the configuration's, not a copy";
    ASSERT_TRUE(history_undo());
    EXPECT_EQ(ws.plan.mash.size(), 2u);
    // Annuler (and Échap) change nothing.
    run_function("Paliers d'empâtage");
    click("_Supprimer");
    click("Annuler");
    EXPECT_EQ(mash_window(), nullptr);
    EXPECT_EQ(ws.plan.mash.size(), 2u);
}

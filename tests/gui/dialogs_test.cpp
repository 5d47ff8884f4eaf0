// tests/gui/dialogs_test.cpp — the line edit dialog and the value entry dialog, through their buttons.
#include "gui_support.h"

#include "core/workspace.h"
#include "refdata/water_profiles.h"
#include "ui/commands.h"
#include "ui/dialog_kit.h"
#include "ui/widgets.h"

#include <glib/gstdio.h>

using Dialogs = GuiTest;

static std::string entry_text(GtkWidget* entry)
{
    return gtk_entry_get_text(GTK_ENTRY(entry));
}

static void collect_labels(GtkWidget* widget, gpointer found)
{
    if (!gtk_widget_get_visible(widget))
        return; // the hint under the fields, until a field is refused
    if (GTK_IS_LABEL(widget) && !GTK_IS_BUTTON(gtk_widget_get_parent(widget)))
        static_cast<std::vector<std::string>*>(found)->push_back(gtk_label_get_text(GTK_LABEL(widget)));
    else if (GTK_IS_CONTAINER(widget) && !GTK_IS_BUTTON(widget))
        gtk_container_foreach(GTK_CONTAINER(widget), collect_labels, found);
}

static std::vector<std::string> window_labels(GtkWidget* window)
{
    std::vector<std::string> labels;
    gtk_container_foreach(GTK_CONTAINER(window), collect_labels, &labels);
    std::reverse(labels.begin(), labels.end()); // a table lists its children last attached first
    return labels;
}

static void click(GtkWidget* window, const std::string& label)
{
    GtkWidget* button = dialog_button(window, label);
    ASSERT_NE(button, nullptr) << label;
    gtk_button_clicked(GTK_BUTTON(button));
    drain_events();
}

// Closes a window the way the window manager's close button does.
static void close_by_window_manager(GtkWidget* window)
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    event->any.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

static void expect_small_modal_window(GtkWidget* window, int width, int height, const char* title)
{
    int w = 0, h = 0;
    gtk_widget_get_size_request(window, &w, &h);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(window)));
    EXPECT_FALSE(gtk_window_get_resizable(GTK_WINDOW(window)));
    EXPECT_TRUE(gtk_window_get_destroy_with_parent(GTK_WINDOW(window)));
    EXPECT_EQ(gtk_widget_get_events(window), 0x210E);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(window)), title);
    EXPECT_TRUE(gtk_widget_get_visible(window));
}

TEST_F(Dialogs, LineDialogShowsTheSelectedLineAfterOneSpace)
{
    build_small_recipe();
    select_row(3);
    click_toolbar(CMD_MODIFY);
    ASSERT_NE(ui.edit_dialog, nullptr);
    expect_small_modal_window(ui.edit_dialog, 250, 200, "Modifier l'ingrédient :");
    EXPECT_EQ(window_labels(ui.edit_dialog),
              (std::vector<std::string>{" Saaz", "Quantité", "Valeur", "Rendement", "Temps", "Étape"}));
    EXPECT_EQ(entry_text(ui.edit_quantity_entry), " 40 G");
    EXPECT_EQ(entry_text(ui.edit_value_entry), " 3.5");
    EXPECT_EQ(entry_text(ui.edit_yield_entry), " 0");
    EXPECT_EQ(entry_text(ui.edit_time_entry), " 60");
    EXPECT_NE(dialog_button(ui.edit_dialog, "Fermer"), nullptr);
}

TEST_F(Dialogs, LineDialogValidateStoresNumbersAndClearsTheSelection)
{
    build_small_recipe();
    select_row(2);
    click_toolbar(CMD_MODIFY);
    type_into(ui.edit_quantity_entry, " 2,5 kg ");
    type_into(ui.edit_value_entry, "4,5");
    type_into(ui.edit_yield_entry, " 78 ");
    type_into(ui.edit_time_entry, " 0,5 ");
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(list_rows()[1],
              (std::vector<std::string>{"2", "2.5 KG", "Pilsen", "4.5", "78", "0.5", "EMPATAGE"}));
    EXPECT_EQ(label_markup(6), "Malt : 2.5 KG");
    EXPECT_EQ(ws.selected_line, 0);
    EXPECT_EQ(ui.edit_dialog, nullptr);
}

// Plain decimals only: an exponent was shown as typed ("1E3") while the estimates read 1.
TEST_F(Dialogs, NumberWithAnExponentIsRefusedUntilCorrected)
{
    build_small_recipe();
    const auto rows = list_rows();
    select_row(3);
    click_toolbar(CMD_MODIFY);
    type_into(ui.edit_quantity_entry, "4e1 g");
    type_into(ui.edit_value_entry, "1e3");
    click(ui.edit_dialog, "Valider");
    ASSERT_NE(ui.edit_dialog, nullptr) << "refused";
    EXPECT_EQ(list_rows(), rows);
    type_into(ui.edit_quantity_entry, "40 g");
    type_into(ui.edit_value_entry, "1000");
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ui.edit_dialog, nullptr);
    EXPECT_EQ(ws.lines[3].value, "1000");
}

TEST_F(Dialogs, LineDialogValidateWithoutTypingGivesTheSameTexts)
{
    build_small_recipe();
    const auto rows = list_rows();
    select_row(3);
    click_toolbar(CMD_MODIFY);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(list_rows(), rows);
}

TEST_F(Dialogs, LineDialogTabsAndLineEndsBecomeSpaces)
{
    build_small_recipe();
    select_row(2);
    click_toolbar(CMD_MODIFY);
    type_into(ui.edit_quantity_entry, "5\tKG");
    type_into(ui.edit_value_entry, "3\r\n");
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ws.lines[2].quantity, "5 KG");
    EXPECT_EQ(ws.lines[2].value, "3");
}

// The step list: a boiled hop made a dry hop from the window, then put back; a line's step is kept when it is
// left alone.
TEST_F(Dialogs, LineDialogChangesTheLineStep)
{
    build_small_recipe();
    select_row(3);
    click_toolbar(CMD_MODIFY);
    ASSERT_NE(ui.edit_step_combo, nullptr);
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_step_combo)), 2); // EBULLITION
    gtk_combo_box_set_active(GTK_COMBO_BOX(ui.edit_step_combo), 5);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ws.lines[3].step, "FERMENTATION");
    EXPECT_EQ(list_rows()[2].back(), "FERMENTATION");
    EXPECT_EQ(ui.edit_step_combo, nullptr);

    select_row(3);
    click_toolbar(CMD_MODIFY);
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_step_combo)), 5);
    gtk_combo_box_set_active(GTK_COMBO_BOX(ui.edit_step_combo), 4);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ws.lines[3].step, "AROMATISATION");

    ws.lines[2].step = "AUTRE ÉTAPE";
    select_row(2);
    click_toolbar(CMD_MODIFY);
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_step_combo)), -1);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ws.lines[2].step, "AUTRE ÉTAPE");
}

TEST_F(Dialogs, LineDialogCloseChangesNothing)
{
    build_small_recipe();
    const auto rows = list_rows();
    select_row(2);
    click_toolbar(CMD_MODIFY);
    type_into(ui.edit_quantity_entry, "9 KG");
    click(ui.edit_dialog, "Fermer");
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(ws.selected_line, 2);
    EXPECT_EQ(ui.edit_dialog, nullptr);
}

TEST_F(Dialogs, HandlesAreClearedWhenTheWindowManagerClosesADialog)
{
    build_small_recipe();
    select_row(1);
    click_toolbar(CMD_MODIFY);
    ASSERT_NE(ui.edit_dialog, nullptr);
    close_by_window_manager(ui.edit_dialog);
    EXPECT_EQ(ui.edit_dialog, nullptr);
    EXPECT_EQ(ui.edit_label, nullptr);
    EXPECT_EQ(ui.edit_quantity_entry, nullptr);
    EXPECT_EQ(ui.edit_value_entry, nullptr);
    EXPECT_EQ(ui.edit_yield_entry, nullptr);
    EXPECT_EQ(ui.edit_time_entry, nullptr);
    EXPECT_EQ(ws.selected_line, 1);

    run_function("Titre de la recette");
    ASSERT_NE(ui.value_dialog, nullptr);
    close_by_window_manager(ui.value_dialog);
    EXPECT_EQ(ui.value_dialog, nullptr);
    EXPECT_EQ(ui.value_entry, nullptr);
    EXPECT_EQ(window_title(), "*CUVELO V0.9 : Créateur de recette de bière") << "the lines added, not saved";
}

TEST_F(Dialogs, ForcedVolumeDialogStartsFromTheEstimateAndForcesTheWater)
{
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_WATER_MENU, "Eaux", "12 L Eau de rinçage");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    add_from_menu(CMD_HOP_MENU, "Houblons", "40 G Saaz");
    const std::string volume = label_markup(2);
    run_function("Forcer le volume final");
    ASSERT_NE(ui.value_dialog, nullptr);
    expect_small_modal_window(ui.value_dialog, 250, 100, "Saisie");
    EXPECT_EQ(window_labels(ui.value_dialog),
              std::vector<std::string>{"Forcer le volume finale (L) :\r(Mettre 0 pour annuler)"});
    const std::string start = entry_text(ui.value_entry);
    EXPECT_EQ(start.substr(0, 1), " ");
    EXPECT_EQ(start.substr(start.size() - 2), " L");
    EXPECT_NE(volume.find("Volume Final :" + start.substr(0, start.size() - 2) + " L"), std::string::npos);

    // The settings of the fixture: 3 L per kg, 10 % mash loss, 1 L per kg of grain, 10 % boil, 10 L per kg of
    // hops.
    type_into(ui.value_entry, "20");
    click(ui.value_dialog, "Valider");
    EXPECT_EQ(ui.value_dialog, nullptr);
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(ws.forced_volume, 20);
    EXPECT_EQ(list_rows()[0][1], "15 L");
    EXPECT_EQ(list_rows()[1][1], "14.13 L");
    EXPECT_EQ(label_markup(2), "<span foreground=\"#00F\">Volume Final : 19.96 L</span>");
}

TEST_F(Dialogs, ZeroVolumeTurnsTheForcingOffAndKeepsTheWater)
{
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "4 KG Pale Ale");
    run_function("Forcer le volume final");
    type_into(ui.value_entry, " 20 L");
    click(ui.value_dialog, "Valider");
    ASSERT_EQ(ws.volume_forced, 1);
    ASSERT_EQ(list_rows()[0][1], "12 L");
    run_function("Forcer le volume final");
    type_into(ui.value_entry, "0");
    click(ui.value_dialog, "Valider");
    EXPECT_EQ(ws.volume_forced, 0);
    EXPECT_EQ(list_rows()[0][1], "12 L");
    EXPECT_EQ(label_markup(2).find("#00F"), std::string::npos);
}

TEST_F(Dialogs, CarbonationIsStoredAndItsPrimingShown)
{
    run_function("Carbonatation");
    ASSERT_NE(ui.value_dialog, nullptr);
    EXPECT_EQ(window_labels(ui.value_dialog), std::vector<std::string>{"Carbonatation (VOL) :"});
    EXPECT_EQ(entry_text(ui.value_entry), " 2.5 VOL");
    type_into(ui.value_entry, " 2,5 ");
    DialogWatcher watcher;
    click(ui.value_dialog, "Valider");
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_INFO);
    EXPECT_TRUE(watcher.seen[0].transient_for_main);
    const std::string heading =
        "Pour une carbonatation de 2.5 VOL :\r\rIl faut par Litre :\r6.26 G de sucre en poudre "
        "ou 11.48 G d'extrait de malt.\r\rSoit au total pour cette recette :\r";
    EXPECT_EQ(watcher.seen[0].text.substr(0, heading.size()), heading);
}

TEST_F(Dialogs, TooLowCarbonationSaysImpossible)
{
    run_function("Carbonatation");
    type_into(ui.value_entry, "0,8");
    DialogWatcher watcher;
    click(ui.value_dialog, "Valider");
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].text, "Pour une carbonatation de 0.8 VOL :\r\rImpossible !");
}

TEST_F(Dialogs, TitleKeepsInnerSpacesAndCaseAndLosesTabs)
{
    run_function("Titre de la recette");
    ASSERT_NE(ui.value_dialog, nullptr);
    EXPECT_EQ(window_labels(ui.value_dialog), std::vector<std::string>{"Titre de la recette :"});
    EXPECT_EQ(entry_text(ui.value_entry), " ");
    type_into(ui.value_entry, "  Ma\tblonde d'été\n ");
    click(ui.value_dialog, "Valider");
    EXPECT_EQ(ws.title, "Ma blonde d'été");
    EXPECT_EQ(window_title(), "CUVELO V0.9 : *Ma blonde d'été");
}

// --- Water profiles are picked from a list that shows their ions, never typed.

// Bundles three profiles in the fixture's bases for the test's life.
class WaterProfileList
{
  public:
    WaterProfileList()
    {
        const std::string text = "# profils d'essai\nOsmosée\t0\t0\t0\t0\t0\t0\t7.0\n"
                                 "Volvic\t12\t8\t12\t9\t15\t74\t7.0\nPilsen\t7\t2\t2\t5\t5\t15\t7.0\n";
        g_file_set_contents(path().c_str(), text.c_str(), -1, nullptr);
        load_water_profiles();
    }
    ~WaterProfileList()
    {
        g_remove(path().c_str());
        load_water_profiles();
    }

  private:
    static std::string path()
    {
        return fixture_folder() + "/bases/eaux.txt";
    }
};

// The rows a profile list shows, top to bottom.
static std::vector<std::string> combo_rows(GtkWidget* combo)
{
    std::vector<std::string> rows;
    GtkTreeModel* model = gtk_combo_box_get_model(GTK_COMBO_BOX(combo));
    GtkTreeIter iter;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter)) {
        gchar* shown = nullptr;
        gtk_tree_model_get(model, &iter, 1, &shown, -1);
        rows.push_back(shown ? shown : "");
        g_free(shown);
    }
    return rows;
}

TEST_F(Dialogs, AimedWaterProfileIsPickedFromTheListWithItsIons)
{
    const WaterProfileList profiles;
    build_small_recipe();
    DialogWatcher watcher;
    run_function("Viser un profil d'eau");
    ASSERT_NE(ui.value_dialog, nullptr);
    EXPECT_EQ(ui.value_entry, nullptr);
    ASSERT_NE(ui.value_profile_combo, nullptr);
    expect_small_modal_window(ui.value_dialog, 440, 100, "Saisie"); // wide enough for a profile's ions
    const std::vector<std::string> rows = combo_rows(ui.value_profile_combo);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], "Volvic : Ca 12, Mg 8, Na 12, SO4 9, Cl 15, HCO3 74 mg/L");
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.value_profile_combo)), 2) << "Pilsen first";
    gtk_combo_box_set_active(GTK_COMBO_BOX(ui.value_profile_combo), 1);
    click(ui.value_dialog, "Valider");
    EXPECT_EQ(ui.value_dialog, nullptr);
    EXPECT_EQ(ui.value_profile_combo, nullptr);
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].text.find("Aucun profil d'eau ne s'appelle"), std::string::npos)
        << watcher.seen[0].text;
}

TEST_F(Dialogs, WaterLinesProfileIsPickedInTheLineDialog)
{
    const WaterProfileList profiles;
    build_small_recipe();
    select_row(1);
    click_toolbar(CMD_MODIFY);
    ASSERT_NE(ui.edit_dialog, nullptr);
    EXPECT_EQ(ui.edit_value_entry, nullptr);
    ASSERT_NE(ui.edit_profile_combo, nullptr);
    EXPECT_EQ(
        window_labels(ui.edit_dialog),
        (std::vector<std::string>{" Eau de brassage", "Quantité", "Profil", "Rendement", "Temps", "Étape"}));
    // The line's own text names no profile: it stays first, so that validating keeps it.
    std::vector<std::string> rows = combo_rows(ui.edit_profile_combo);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], "0 (profil inconnu)");
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_profile_combo)), 0);
    gtk_combo_box_set_active(GTK_COMBO_BOX(ui.edit_profile_combo), 2);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(list_rows()[0][3], "VOLVIC");
    EXPECT_EQ(ws.lines[1].value, "VOLVIC");
    // Opened again, the list shows the line's profile chosen; validating unchanged keeps its text.
    select_row(1);
    click_toolbar(CMD_MODIFY);
    rows = combo_rows(ui.edit_profile_combo);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_EQ(gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_profile_combo)), 1);
    click(ui.edit_dialog, "Valider");
    EXPECT_EQ(ws.lines[1].value, "VOLVIC");
    EXPECT_EQ(ui.edit_profile_combo, nullptr);
}

// tests/gui/keyboard_test.cpp — the program from the keyboard and in French: shortcuts, tooltips and
// accessible names, menus under their buttons, dialogs that answer Entrée and Échap and refuse what is not a
// number, choosers in French and in the right folder, the list that takes a larger window's height.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/dialog_kit.h"
#include "ui/toolbar.h"
#include "ui/widgets.h"

#include <fstream>
#include <gdk/gdkkeysyms.h>
#include <glib/gstdio.h>

using Keyboard = GuiTest;

// Entrée in a field activates the default button, which shows itself pressed for a quarter of a second
// before it is clicked.
static void press_enter_in(GtkWidget* entry)
{
    gtk_widget_activate(entry);
    const gint64 end = g_get_monotonic_time() + 400000;
    while (g_get_monotonic_time() < end) {
        drain_events();
        g_usleep(5000);
    }
}

// Sends a key press to a dialog window, as the keyboard does when it has the focus.
static void press_key_in(GtkWidget* window, guint key)
{
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    event->key.send_event = TRUE;
    event->key.keyval = key;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

TEST_F(Keyboard, EveryToolbarButtonSaysWhatItDoesToTheEyeAndToAScreenReader)
{
    const std::pair<int, const char*> keys[] = {{CMD_NEW, "Ctrl+N"},        {CMD_OPEN, "Ctrl+O"},
                                                {CMD_SAVE, "Ctrl+S"},       {CMD_SAVE, "Ctrl+Maj+S"},
                                                {CMD_MODIFY, "Entrée"},     {CMD_MOVE_UP, "Alt+Haut"},
                                                {CMD_MOVE_DOWN, "Alt+Bas"}, {CMD_DELETE, "Suppr"}};
    for (int command : {CMD_NEW, CMD_OPEN, CMD_SAVE, CMD_HTML_REPORT, CMD_STYLE_MENU, CMD_WATER_MENU,
                        CMD_MALT_MENU, CMD_HOP_MENU, CMD_SUGAR_MENU, CMD_YEAST_MENU, CMD_FUNCTION_MENU,
                        CMD_MODIFY, CMD_MOVE_UP, CMD_MOVE_DOWN, CMD_DELETE}) {
        GtkWidget* button = toolbar_button(command);
        ASSERT_NE(button, nullptr) << command;
        gchar* tip = gtk_widget_get_tooltip_text(button);
        const std::string tooltip = tip ? tip : "";
        g_free(tip);
        EXPECT_GT(tooltip.size(), 10u) << command;
        EXPECT_EQ(atk_object_get_name(gtk_widget_get_accessible(button)), tooltip) << command;
        EXPECT_TRUE(gtk_widget_get_can_focus(button)) << "reachable with Tab: " << command;
        for (const auto& key : keys) {
            if (key.first == command) {
                EXPECT_NE(tooltip.find(key.second), std::string::npos) << tooltip;
            }
        }
    }
}

TEST_F(Keyboard, MenusOpenUnderTheirButton)
{
    for (int command : {CMD_MALT_MENU, CMD_FUNCTION_MENU, CMD_STYLE_MENU}) {
        click_toolbar(command);
        GtkWidget* menu = command == CMD_FUNCTION_MENU ? ui.function_menu
                          : command == CMD_STYLE_MENU  ? ui.style_menu
                                                       : ui.category_menus[command];
        ASSERT_TRUE(gtk_widget_get_visible(menu));
        GtkWidget* button = toolbar_button(command);
        GtkAllocation area;
        gtk_widget_get_allocation(button, &area);
        gint button_x = 0, button_y = 0, menu_x = 0, menu_y = 0;
        gdk_window_get_origin(gtk_widget_get_window(button), &button_x, &button_y);
        gdk_window_get_origin(gtk_widget_get_window(gtk_widget_get_toplevel(menu)), &menu_x, &menu_y);
        EXPECT_EQ(menu_x, button_x + area.x) << command;
        EXPECT_EQ(menu_y, button_y + area.y + area.height) << command;
        gtk_menu_popdown(GTK_MENU(menu));
        drain_events();
    }
}

TEST_F(Keyboard, LineDialogRefusesWhatIsNotANumberUntilItIsFixed)
{
    build_small_recipe();
    const auto rows = list_rows();
    // Without a window manager nothing gives the window the keyboard focus: the test gives it.
    GdkEvent* focus = gdk_event_new(GDK_FOCUS_CHANGE);
    focus->focus_change.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(ui.main_window)));
    focus->focus_change.send_event = TRUE;
    focus->focus_change.in = TRUE;
    gtk_main_do_event(focus);
    gdk_event_free(focus);
    gtk_widget_grab_focus(ui.recipe_view);
    select_row(2);
    press_key(GDK_Return); // Entrée on the list edits the line
    ASSERT_NE(ui.edit_dialog, nullptr);
    type_into(ui.edit_quantity_entry, "beaucoup");
    type_into(ui.edit_value_entry, "2,5");
    press_enter_in(ui.edit_value_entry); // Entrée in a field is Valider
    ASSERT_NE(ui.edit_dialog, nullptr) << "Valider does nothing yet";
    EXPECT_TRUE(entry_is_refused(ui.edit_quantity_entry));
    EXPECT_FALSE(entry_is_refused(ui.edit_value_entry));
    EXPECT_NE(dialog_hint(ui.edit_dialog).find("KG"), std::string::npos) << dialog_hint(ui.edit_dialog);
    EXPECT_EQ(list_rows(), rows);

    type_into(ui.edit_quantity_entry, "5,5 kg");
    EXPECT_FALSE(entry_is_refused(ui.edit_quantity_entry)) << "the mark goes once the field is edited";
    press_enter_in(ui.edit_quantity_entry);
    EXPECT_EQ(ui.edit_dialog, nullptr);
    EXPECT_EQ(ws.lines[2].quantity, "5.5 KG");
    EXPECT_EQ(ws.lines[2].value, "2.5");

    // Échap closes it and changes nothing.
    select_row(1);
    click_toolbar(CMD_MODIFY);
    type_into(ui.edit_quantity_entry, "30 L");
    press_key_in(ui.edit_dialog, GDK_Escape);
    EXPECT_EQ(ui.edit_dialog, nullptr);
    EXPECT_EQ(ws.lines[1].quantity, "15 L");
}

TEST_F(Keyboard, ValueDialogRefusesAVolumeInWords)
{
    build_small_recipe();
    run_function("Forcer le volume final");
    ASSERT_NE(ui.value_dialog, nullptr);
    type_into(ui.value_entry, "vingt");
    press_enter_in(ui.value_entry);
    ASSERT_NE(ui.value_dialog, nullptr);
    EXPECT_TRUE(entry_is_refused(ui.value_entry));
    EXPECT_NE(dialog_hint(ui.value_dialog).find("litres"), std::string::npos);
    EXPECT_EQ(ws.volume_forced, 0);
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.value_dialog, "Annuler")));
    drain_events();
    EXPECT_EQ(ui.value_dialog, nullptr);
    EXPECT_EQ(ws.volume_forced, 0);
}

// F1 opens the help (the other shortcuts are pressed in the unsaved-work scenarios).
TEST_F(Keyboard, F1OpensTheHelp)
{
    DialogWatcher watcher;
    press_key(GDK_F1); // the fixture's browser cannot start: the help says so
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_NE(watcher.seen[0].text.find("cuvelo-navigateur-absent"), std::string::npos);
    EXPECT_EQ(watcher.seen[0].title, "CUVELO");
}

TEST_F(Keyboard, ChoosersSpeakFrenchAndOpenInTheRecipeFolder)
{
    char* here = g_get_current_dir();
    const std::string working = here;
    g_free(here);
    const std::string folder = fixture_folder() + "/recettes/cave";
    g_mkdir_with_parents(folder.c_str(), 0755);
    std::ofstream(folder + "/brune.cvl") << "TITRE\tBrune\n";
    {
        DialogWatcher watcher;
        watcher.choose_file(folder + "/brune.cvl");
        press_key(GDK_o, GDK_CONTROL_MASK);
        ASSERT_EQ(watcher.seen.size(), 1u);
        // The last folder used by an earlier test, else the working folder: never "Recently Used".
        EXPECT_EQ(watcher.seen[0].folder.compare(0, working.size(), working), 0) << watcher.seen[0].folder;
        EXPECT_EQ(watcher.seen[0].buttons, (std::vector<std::string>{"Ouvrir", "Annuler"}));
    }
    EXPECT_EQ(ws.title, "Brune");
    {
        DialogWatcher watcher;
        watcher.choose_file("");
        press_key(GDK_o, GDK_CONTROL_MASK);
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].folder, folder) << "the recipe's folder";
    }
    press_key(GDK_n, GDK_CONTROL_MASK);
    {
        DialogWatcher watcher;
        watcher.choose_file("");
        press_key(GDK_s, GDK_CONTROL_MASK);
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].folder, folder) << "the last folder used";
        EXPECT_EQ(watcher.seen[0].buttons, (std::vector<std::string>{"Enregistrer", "Annuler"}));
    }
    // The opened recipe is among GTK's recent files.
    gchar* uri = g_filename_to_uri((folder + "/brune.cvl").c_str(), nullptr, nullptr);
    EXPECT_TRUE(gtk_recent_manager_has_item(gtk_recent_manager_get_default(), uri));
    g_free(uri);
}

TEST_F(Keyboard, ALargerWindowGivesItsHeightToTheRecipeList)
{
    GtkAllocation list_before, results_before;
    gtk_widget_get_allocation(ui.recipe_scroller, &list_before);
    gtk_widget_get_allocation(ui.results_table, &results_before);
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(ui.main_window), &width, &height);
    gtk_window_resize(GTK_WINDOW(ui.main_window), width, height + 100);
    GtkAllocation list_after = list_before, results_after;
    for (int wait = 0; wait < 200 && list_after.height == list_before.height; wait++) {
        g_usleep(5000);
        drain_events();
        gtk_widget_get_allocation(ui.recipe_scroller, &list_after);
    }
    gtk_widget_get_allocation(ui.results_table, &results_after);
    gtk_window_resize(GTK_WINDOW(ui.main_window), width, height);
    GtkAllocation list_back = list_after;
    for (int wait = 0; wait < 200 && list_back.height != list_before.height; wait++) {
        g_usleep(5000);
        drain_events();
        gtk_widget_get_allocation(ui.recipe_scroller, &list_back);
    }
    gtk_paned_set_position(GTK_PANED(ui.inner_paned), 435);
    EXPECT_EQ(list_after.height, list_before.height + 100);
    EXPECT_EQ(results_after.height, results_before.height);
}

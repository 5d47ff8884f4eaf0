// tests/gui/gui_support.h — drives the real main window as a user would, and reads back what it shows.
#pragma once

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <string>
#include <vector>

// Runs every pending GTK event; never sleeps.
void drain_events();

// The folder the tests run in: the fixture's bases/ and generated images/.
const std::string& fixture_folder();

// Clicks the real toolbar button that carries `command`.
void click_toolbar(int command);

// The direct item of `menu` whose label starts with `label`, or null.
GtkWidget* menu_item(GtkWidget* menu, const std::string& label);

// The labels of the direct items of `menu`, in order.
std::vector<std::string> menu_labels(GtkWidget* menu);

// Activates the item reached by following `path` (label prefixes) from `menu` through the sub-menus;
// false when an item is missing.
bool activate_menu_path(GtkWidget* menu, const std::vector<std::string>& path);

// Pops up an ingredient menu with its toolbar button (1 to 5), picks an item by group and label prefix,
// and closes the menu again.
void add_from_menu(int toolbar_command, const std::string& group, const std::string& item);

// Picks a function of the function menu, popped up with its toolbar button.
void run_function(const std::string& label);

// The window title, a label's markup text, the style button's text.
std::string window_title();
std::string label_markup(int k);
std::string style_button_text();

// The recipe list as shown: one vector per row with the seven text columns (number, quantity, designation,
// value, yield, time, step).
std::vector<std::vector<std::string>> list_rows();

// Selects row n (from 1) in the recipe list, as a click does; activates it as a double click does.
void select_row(int n);
void activate_row(int n);

// Types into an entry (replacing its text).
void type_into(GtkWidget* entry, const std::string& text);

// The "clicked" button labelled `label` inside a dialog window; null when missing.
GtkWidget* dialog_button(GtkWidget* window, const std::string& label);

// Sends a key press to the main window as the keyboard does (key value, modifiers held).
void press_key(guint key, GdkModifierType mods = GdkModifierType(0));

// How many times closing the window or Ctrl+Q went as far as quitting (the tests record it instead).
int quit_count();

// One message dialog or file chooser that a DialogWatcher met.
struct SeenDialog {
    bool file_chooser = false;
    std::string title;
    std::string text; // message dialogs; the rows of a recipe chooser
    GtkMessageType message_type = GTK_MESSAGE_INFO;
    GtkFileChooserAction action = GTK_FILE_CHOOSER_ACTION_OPEN;
    std::vector<std::string> filters; // name of each filter
    std::string proposed;             // the file the chooser proposed before it was answered
    std::string folder;               // the folder the chooser showed when it was answered
    std::vector<std::string> buttons; // the labels of its action buttons, stock ones as shown, without "_"
    bool transient_for_main = false;
    int width = 0, height = 0; // the size the dialog asks for, in pixels
};

// Answers the modal dialogs that the code under test runs while the watcher lives: message dialogs are
// closed, questions get the first of `answers` they offer, file choosers get the planned path (or are
// cancelled), a BeerXML file's recipe chooser gets its planned row. Without a watcher a question fails the
// test and is answered "Annuler". Each answer comes from a GLib timeout that runs inside the dialog's own
// loop, so the real code path runs.
class DialogWatcher
{
  public:
    DialogWatcher();
    ~DialogWatcher();
    void choose_file(const std::string& path); // "" cancels
    std::vector<SeenDialog> seen;
    std::vector<SeenDialog> questions; // the text is the question, then a line end and the detail
    std::vector<std::string> answers = {"Ne pas enregistrer", "Remplacer"};
    std::string planned_path;
    bool cancel = false;
    // A Save chooser that stays open after the question its answer raised (its "Annuler" goes back to the
    // chooser) gets these paths in turn, and is cancelled past the last one.
    std::vector<std::string> paths_when_back;
    bool expect_proposal = false; // wait until the chooser proposes a file before answering
    bool gave_up = false;         // a dialog could not be answered as planned and was cancelled
    int recipe_choice = 0;        // the row the recipe chooser of a BeerXML file gets (from 0); -1 cancels

  private:
    static gboolean tick(gpointer self);
    friend gboolean answer_unexpected_questions(gpointer);
    guint source_ = 0;
    int ticks_ = 0;
    size_t returns_ = 0; // of Save choosers after a question
};

// Records quitting instead of ending the process, and fails a test that meets an unexpected question.
void install_test_hooks();

// Closes any line or value dialog left open and starts a new recipe with the New button.
void reset_to_new_recipe();

// The designations shown in the recipe list, top to bottom.
std::vector<std::string> shown_designations();

// Adds mash water, Pilsen, Saaz and the ale yeast through the toolbar's menus.
void build_small_recipe();

// Every GUI test starts from a new recipe in the one main window built at start-up.
class GuiTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        reset_to_new_recipe();
    }
    void TearDown() override
    {
        reset_to_new_recipe();
    }
};

// ui/commands.h — the commands of the main window: the numbers that toolbar buttons and menu items carry,
// and the handlers that run them. Views only show; every command runs from here.
#pragma once

#include <gtk/gtk.h>

// Toolbar buttons (on_toolbar_clicked). Numbers not listed do nothing but the refresh.
enum ToolbarCommand {
    CMD_WATER_MENU = 1,
    CMD_MALT_MENU = 2,
    CMD_HOP_MENU = 3,
    CMD_SUGAR_MENU = 4,
    CMD_YEAST_MENU = 5,
    CMD_MODIFY = 7,
    CMD_MOVE_UP = 8,
    CMD_MOVE_DOWN = 9,
    CMD_DELETE = 10,
    CMD_NEW = 20,
    CMD_OPEN = 21,
    CMD_SAVE = 22,
    CMD_FUNCTION_MENU = 25,
    CMD_STYLE_MENU = 26,
    CMD_HTML_REPORT = 27,
    // Commands without a button, reached from the keyboard.
    CMD_SAVE_AS = 40,
    CMD_UNDO = 41,
    CMD_REDO = 42,
    CMD_QUIT = 43,
    CMD_HELP = 44,
};

// Menu items (on_menu_activate), by range.
enum MenuCommand {
    MENU_GROUP = 0,              // an item that only opens its sub-menu
    MENU_INGREDIENT_FIRST = 100, // 100 to 599: the id of an ingredient entry
    MENU_INGREDIENT_LAST = 599,
    MENU_MERGE_SORT = 601,
    MENU_FORCE_VOLUME = 602,
    MENU_CARBONATION = 603,
    MENU_COST = 604,
    MENU_TITLE = 605,
    MENU_HELP = 606,
    MENU_BREAKDOWN = 607,
    MENU_EXPORT_BEERXML = 608,
    MENU_SCALE_VOLUME = 609,
    MENU_TARGETS = 610,
    MENU_EXPORT_BEERJSON = 611,
    MENU_AIM_MASH_PH = 621,
    MENU_AIM_WATER_PROFILE = 622,
    MENU_MEASURED_PH = 623,
    // The recipe's own brewhouse settings and notes.
    MENU_RECIPE_BREWHOUSE = 631,
    MENU_RECIPE_NOTES = 632,
    MENU_BREW_SHEET = 641,
    // The brewery's configuration.
    MENU_INSTALLATION = 651,
    // The recipe's mash schedule.
    MENU_MASH_SCHEDULE = 661,
    MENU_STYLE_BASE = 700, // 700 + n selects style n, for n from 1 to style_count (up to 956)
};

// Runs a command (ToolbarCommand), from a button, a shortcut or the list, then refreshes the window.
// A menu opens under `button`, or under the command's own button when it is null.
void run_command(int command, GtkWidget* button = nullptr);

// The menu items' "activate" handler: runs the item (MenuCommand), then refreshes the window. The item is
// not used.
void on_menu_activate(GtkMenuItem* item, gpointer number);

// Shows the help page in the browser, or says why it cannot.
void show_help_command();

// The recipe list's "row-activated" handler (double click, Entrée): the Modify command.
void on_row_activated(GtkTreeView* view, GtkTreePath* path, GtkTreeViewColumn* column, gpointer unused);

// The style button's "clicked" handler: shows the next of name, category, description, then refreshes.
void on_style_button_clicked(GtkButton* button, gpointer unused);

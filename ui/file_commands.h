// ui/file_commands.h — New, Open, Save, Save as, the report and quitting, with the unsaved-changes question.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Asks whether to save the modified recipe first, saves when asked to; true when the recipe may now be
// dropped (not modified, saved, or "Ne pas enregistrer"), false for "Annuler" or a save that did not happen.
bool may_drop_recipe();

// Starts a new recipe after the unsaved-changes check.
void new_recipe_command();

// Opens a recipe chosen in the chooser after the unsaved-changes check, through open_recipe_file.
void open_recipe_command();

// Opens the recipe file at `path`, a Cuvelo or a BeerXML one by its content, with a fresh history; a file
// that cannot be read is refused with a message and leaves the recipe as it was. False then. No refresh.
bool open_recipe_file(const std::string& path);

// Saves into the current file, or through the chooser when there is none or `choose` is true (Save as).
// Saving onto another existing file asks first. True when the recipe was saved.
bool save_recipe_command(bool choose);

// Writes the HTML report and shows it; says why when it cannot.
void show_report_command();

// The "Feuille de brassage" command: writes the printable brew sheet beside the report and opens it in the
// browser; says why when it cannot be written or the browser cannot be started.
void show_brew_sheet_command();

// Quits after the unsaved-changes check; returns when the brewer chose to stay.
void quit_command();

// The main window's "delete-event" (its close button): quit_command; the window never goes by itself.
gboolean on_main_window_delete(GtkWidget* window, GdkEvent* event, gpointer unused);

// The folder the choosers start in: the recipe's folder, else the last one used, else the documents folder
// (the working folder when there is none).
std::string recipe_folder();

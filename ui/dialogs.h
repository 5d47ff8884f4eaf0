// ui/dialogs.h — the line edit dialog and the value entry dialog (volume, carbonation, title).
#pragma once

#include <gtk/gtk.h>

#include <string>

// Opens the line edit dialog for line selected_line, its four values each shown after one space.
void open_edit_dialog();

// "Valider" of the line dialog (or Entrée in a field): stores the four values into the selected line,
// refreshes, clears the selection; while a typed field is not a number as it should be, marks it, shows
// what it expects and stores nothing.
void on_edit_validate(GtkButton* button, gpointer unused);

// "Fermer" of the line dialog: closes it and changes nothing.
void on_edit_close(GtkButton* button, gpointer unused);

// Opens the value entry dialog with a prompt and the start text (shown after one space) for a ValuePurpose.
void open_value_dialog(const std::string& prompt, const std::string& start_text, int purpose);

// "Valider" of the value dialog (or Entrée): applies the entered value for its purpose (the signal's user
// data); a volume or carbonation that is not a number is marked and explained, and nothing changes.
void apply_entered_value(GtkButton* button, gpointer purpose);

// An entry's text, cleaned by clean_entry_text in EntryMode `mode`.
std::string read_entry_text(GtkWidget* entry, int mode);

// True while a dialog entry is marked as refused (until it is edited).
bool entry_is_refused(GtkWidget* entry);

// The hint a dialog shows under its fields; "" while it shows none.
std::string dialog_hint(GtkWidget* window);

// The parts every small dialog is built from, so that they all look and behave alike.

// A small fixed-size modal window over the main window holding one homogeneous table that grows as widgets
// are attached, with a hidden hint under it; Échap closes it.
GtkWidget* new_dialog_window(int width, int height, const char* title, GtkWidget** table);

// Attaches a widget to the table at the given cells and shows it.
GtkWidget* attach(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top, guint bottom);

// An entry where Entrée validates the dialog (through its default button).
GtkWidget* new_entry();

// Makes `button` the one Entrée presses.
void make_default(GtkWidget* window, GtkWidget* button);

// Shows the hint under the fields, the window growing to hold it.
void show_hint(GtkWidget* window, const std::string& text);

// Tints a refused entry and gives it a warning sign and the hint as its tooltip, until it is edited.
void mark_entry(GtkWidget* entry, const std::string& hint);

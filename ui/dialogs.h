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

// ui/dialogs.h — the line edit dialog and the value entry dialog (volume, carbonation, title).
#pragma once

#include <gtk/gtk.h>

#include <string>

// Opens the line edit dialog for line selected_line, its four values each shown after one space.
void open_edit_dialog();

// "Valider" of the line dialog: stores the four values into the selected line, refreshes, clears the
// selection.
void on_edit_validate(GtkButton* button, gpointer unused);

// "Fermer" of the line dialog: closes it and changes nothing.
void on_edit_close(GtkButton* button, gpointer unused);

// Opens the value entry dialog with a prompt and the start text (shown after one space) for a ValuePurpose.
void open_value_dialog(const std::string& prompt, const std::string& start_text, int purpose);

// "Valider" of the value dialog: applies the entered value for its purpose (the signal's user data).
void apply_entered_value(GtkButton* button, gpointer purpose);

// An entry's text, cleaned by clean_entry_text in EntryMode `mode`.
std::string read_entry_text(GtkWidget* entry, int mode);

// A small fixed-size modal window holding one homogeneous table that grows as widgets are attached.
GtkWidget* new_dialog_window(int width, int height, const char* title, GtkWidget** table);

// Attaches a widget to the table at the given cells and shows it.
GtkWidget* attach(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top, guint bottom);

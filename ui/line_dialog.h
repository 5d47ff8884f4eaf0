// ui/line_dialog.h — the dialog that edits the quantity, value, yield and time of the selected line.
#pragma once

#include <gtk/gtk.h>

// Opens the line edit dialog for line selected_line, its four values each shown after one space.
void open_edit_dialog();

// "Valider" of the line dialog (or Entrée in a field): stores the four values into the selected line,
// refreshes, clears the selection; while a typed field is not a number as it should be, marks it, shows
// what it expects and stores nothing.
void on_edit_validate(GtkButton* button, gpointer unused);

// "Fermer" of the line dialog: closes it and changes nothing.
void on_edit_close(GtkButton* button, gpointer unused);

// ui/plan_dialogs.h — the recipe's own brewhouse settings (efficiency, boil time) and its notes, each in a
// small window of the function menu; every change is one undo step.
#pragma once

#include <gtk/gtk.h>

// Opens the window of the recipe's efficiency and boil time: an empty field gives back the configuration's.
void open_brewhouse_dialog();

// Opens the window of the recipe's notes: a text of several lines.
void open_notes_window();

// The open windows, for the tests; null when closed.
GtkWidget* brewhouse_dialog();
GtkWidget* notes_window();

// ui/mash_window.h — the window of the recipe's mash schedule: its steps edited on a copy, their strike,
// infusion and rinse figures shown as they change, and the whole schedule applied as one undo step.
#pragma once

#include <gtk/gtk.h>

// Opens the window of the recipe's mash steps (the brewery's rests when the recipe has none of its own).
void open_mash_window();

// The open window, for the tests; null when closed.
GtkWidget* mash_window();

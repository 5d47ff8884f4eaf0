// ui/breakdown_window.h — the window that shows each line's share of the estimates, kept up to date while
// it is open.
#pragma once

#include <gtk/gtk.h>

// Opens the window (or brings it to the front) with the breakdown of the recipe on screen, beside the main
// window or below its toolbar, never over it; Échap closes it.
void open_breakdown_window();

// Refills the open window from the recipe on screen; nothing while it is closed.
void refresh_breakdown_window();

// The window and its table, null while the window is closed.
GtkWidget* breakdown_window();
GtkTreeView* breakdown_view();

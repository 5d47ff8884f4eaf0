// ui/toolbar.h — the fifteen picture buttons across the top of the main window.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Creates the fifteen buttons, left to right, in toolbar_table, each with its French tooltip and
// accessible name.
void build_toolbar();

// Adds one button showing the picture "./images/<picture>.png" in the next free column, carrying `command`;
// `tip` is both its tooltip and its accessible name.
void add_toolbar_button(const std::string& picture, int command, const std::string& tip);

// The buttons' "clicked" handler: runs the command (ToolbarCommand) with the button as the place its menu
// opens under, then refreshes the window.
void on_toolbar_clicked(GtkWidget* button, gpointer command);

// The toolbar button that carries `command`, or null.
GtkWidget* toolbar_button(int command);

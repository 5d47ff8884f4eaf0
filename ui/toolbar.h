// ui/toolbar.h — the fifteen picture buttons across the top of the main window and their dispatcher.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Creates the fifteen buttons, left to right, in toolbar_table.
void build_toolbar();

// Adds one button showing the picture "./images/<picture>.png" in the next free column, carrying `command`.
void add_toolbar_button(const std::string& picture, int command);

// The buttons' "clicked" handler: runs the command (ToolbarCommand), then refills the list and the results.
// The button is not used; the recipe list's row activation calls it with CMD_MODIFY.
void on_toolbar_clicked(GtkWidget* button, gpointer command);

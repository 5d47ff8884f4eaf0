// ui/recipe_view.h — the list of recipe lines in the upper pane, and the selected line.
#pragma once

#include <gtk/gtk.h>

// Creates the scrolled tree view with its eight columns in the upper pane of the working area.
void build_recipe_view();

// Rebuilds the list from the recipe's lines; no row is selected afterwards, selected_line is kept.
void fill_recipe_list();

// Selects row n (from 1) and puts the keyboard cursor on it; nothing when there is no such row.
void select_recipe_row(int n);

// "changed" handler of the selection: selected_line becomes the selected row's number.
void on_selection_changed(GtkTreeSelection* selection, gpointer unused);

// The list as the refresh shows it: filled, with the selected line selected.
void show_recipe_list();

// recipe/list_edit.h — the operations that change the list of recipe lines.
#pragma once

#include "core/records.h"

// A recipe line with the entry's texts (the picture is loaded when the line is added).
RecipeLine recipe_line_of(const IngredientEntry& entry);

// Appends the database entry whose id is the menu item number; a second water for the same step is refused.
void add_database_ingredient(int item);

// Removes line k; the following lines move up one place.
void delete_line(int k);

// Exchanges line k with the line above (1 < k <= line_count).
void move_line_up(int k);

// Exchanges line k with the line below (1 <= k < line_count).
void move_line_down(int k);

// The new-recipe command: no lines, no file, the built-in style, "2.5 VOL", no title, no forced volume.
void start_new_recipe();

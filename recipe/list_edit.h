// recipe/list_edit.h — the recipe on screen as recipe/ changes it: the list operations, merging and sorting,
// opening and saving. The one file of recipe/ that reads and writes the workspace; each function is a thin
// edge over the pure rules of recipe/ and recipe/formats/.
#pragma once

#include "core/records.h"
#include "recipe/formats/foreign_recipe.h"

#include <string>

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

// The menu command: merge_lines then sort_lines; nothing on an empty recipe. Clears selected_line when
// the merge shortened the list.
void merge_and_sort();

// Sums the quantities of equal ingredients with the same unit into the earlier line (recipe/merge_sort.h).
void merge_lines();

// Computes every sort key and orders the lines by it (recipe/merge_sort.h).
void sort_lines();

// True when lines a and b are two lines and all their texts but quantity and picture are equal.
bool same_ingredient(int a, int b);

// Saves the recipe as a ".cvl" file, ".cvl" appended when the path does not end so (recipe/formats/cvl.h):
// a failed save never leaves a truncated recipe. On success file_name becomes the saved path; on failure
// nothing changes, false is returned and `why` (when not null) gets the French reason.
bool save_recipe(const std::string& path, std::string* why = nullptr);

// Makes a Cuvelo file's recipe the one on screen: the selection cleared, file_name set to `path`.
void put_file_recipe_on_screen(Recipe&& recipe, const std::string& path);

// Reads a ".cvl" recipe file into the recipe on screen (read_cvl_file, then put_file_recipe_on_screen).
// A file that cannot be read leaves the recipe on screen untouched; false then, `why` (when not null)
// giving the French reason.
bool load_recipe(const std::string& path, std::string* why = nullptr);

// Makes an imported recipe the one on screen, as a new recipe never saved (no file name), its lines stored.
void open_imported_recipe(const ImportedRecipe& recipe);

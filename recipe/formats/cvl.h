// recipe/recipe_file.h — the ".cvl" recipe file: four keyword lines, then one nine-field line per ingredient.
#pragma once

#include <string>

// Saves the recipe, appending ".cvl" when the path does not end so, through replace_file: a failed save
// never leaves a truncated recipe. On success file_name becomes the saved path; on failure nothing changes,
// false is returned and `why` (when not null) gets the French reason.
bool save_recipe(const std::string& path, std::string* why = nullptr);

// The reason given for a file that is not a recipe.
constexpr const char* kNotARecipe = "ce n'est pas un fichier recette";

// Reads a recipe file. When it cannot be opened or read to its end (not a regular file, a failed read, a
// line past kMaxLineBytes), or is not a recipe (a NUL byte, or text lines none of which is a keyword line or
// a line of nine tab-separated fields; an empty file is an empty recipe), the recipe on screen is left
// untouched, false is returned and `why` (when not null) gets the French reason; otherwise the lines are
// replaced, the keyword lines applied, file_name set and true returned.
bool load_recipe(const std::string& path, std::string* why = nullptr);

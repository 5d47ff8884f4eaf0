// recipe/formats/cvl.h — the ".cvl" recipe file: four keyword lines, the recipe's own efficiency, boil time
// and notes when it sets them, then one nine-field line per ingredient.
#pragma once

#include "core/records.h"

#include <string>

// The reason given for a file that is not a recipe.
constexpr const char* kNotARecipe = "ce n'est pas un fichier recette";

// The path a recipe is saved under: `path`, with ".cvl" appended when it does not end so.
std::string cvl_path(const std::string& path);

// The bytes of the recipe's file.
std::string cvl_bytes(const Recipe& recipe);

// Writes the recipe's file at `path` (every backslash taken as a slash) through replace_file: a failed save
// never leaves a truncated recipe. False, `why` (when not null) then giving the French reason.
bool write_cvl_file(const std::string& path, const Recipe& recipe, std::string* why);

// Reads a recipe file into `recipe`: its first kLineCapacity ingredient lines replace the recipe's, stored as
// the recipe on screen keeps them (core/workspace.h); each keyword line sets its field (the last of each
// keyword wins), the plan starts empty and the other fields the file does not name keep theirs; the volume is
// forced when the forced volume is above 0. When the file cannot be opened or read to its end (not a regular
// file, a failed read, a line past kMaxLineBytes), or is not a recipe (a NUL byte, or text lines none of
// which is a keyword line or a line of nine tab-separated fields; an empty file is an empty recipe), `recipe`
// is left untouched, false is returned and `why` (when not null) gets the French reason.
bool read_cvl_file(const std::string& path, Recipe& recipe, std::string* why);

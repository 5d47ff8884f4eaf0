// recipe/formats/recipe_format.h — which recipe format a file holds, by its content, and the one way the
// window and cuvelo-calc open a recipe file of any format.
#pragma once

#include "core/records.h"
#include "recipe/formats/foreign_recipe.h"

#include <string>

// The formats a recipe file may hold; each has its reader.
enum class RecipeFormat {
    cvl,      // Cuvelo's own text file, and any file no other format claims (its reader says what is wrong)
    beerxml,  // XML (UTF-8 or UTF-16): the BeerXML reader
    json,     // another program's JSON: the BeerJSON reader refuses it, saying what it is
    sqlite,   // another program's SQLite database: refused, with what it is
    beerjson, // JSON naming "beerjson" in its first bytes: the BeerJSON reader
};

// The format of the file at `path`, from its first bytes whatever its name. A file that cannot be opened or
// is not a regular file is read as a Cuvelo file, whose reader says why; nothing blocks on a FIFO.
RecipeFormat format_of_file(const std::string& path);

// A recipe file as it was opened.
struct OpenedFile {
    RecipeFormat format = RecipeFormat::cvl;
    bool read = false; // false: the file could not be read, `why` says why (French)
    std::string why;
    Recipe recipe;       // a Cuvelo file's recipe
    ForeignFile foreign; // another program's file: its recipes, or why it is refused
};

// Reads the file in its format. A Cuvelo file's recipe starts from `base` (recipe/formats/cvl.h: what the
// file does not name keeps the base's); another program's file gives its foreign recipes, which
// import_foreign_recipe maps once one is chosen.
OpenedFile open_any_recipe_file(const std::string& path, const Recipe& base);

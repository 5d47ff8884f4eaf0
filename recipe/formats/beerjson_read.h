// recipe/formats/beerjson_read.h — reads a BeerJSON 1.0 file (the 1.0 and 2.x numberings alike) into the
// foreign recipe records, every value converted from the unit it states; what had to be corrected is said in
// French beside each recipe.
#pragma once

#include "recipe/formats/foreign_recipe.h"

#include <string>

// The largest file read: a BeerJSON file of thousands of recipes stays far below it.
constexpr size_t kBeerJsonLargest = 16 * 1024 * 1024;

// The most values (objects, arrays, numbers, texts) a file may hold, and the deepest nesting, checked before
// the file is parsed: the parsed tree and its recursion stay bounded whatever the file.
constexpr size_t kMostJsonValues = 1000000;
constexpr int kDeepestJson = 64;

// Reads the bytes of a file. One bad field never loses its recipe, and one recipe that is not an object never
// loses the others; a file that is not BeerJSON, is malformed, too large or holds no recipe is refused with a
// French message naming what is wrong.
ForeignFile read_beerjson(const std::string& bytes);

// Reads a whole file with read_beerjson; false, with a French reason in `why`, when it cannot be read.
bool read_beerjson_file(const std::string& path, ForeignFile* content, std::string* why);

// recipe/formats/beerjson_write.h — the recipe as a BeerJSON 1.0 document, valid against the published
// schemas: every value with its unit, numbers in the "C" locale, the recipe's own plan (efficiency, boil,
// mash, notes) or the configuration's where the recipe has none.
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

// The BeerJSON document of the report's recipe, from its estimates and settings (the recipe is named by its
// file when it has no title).
std::string beerjson_document(const RecipeReport& report);

// The same with the waters' ions taken from `profiles` instead of the bundled ones.
std::string beerjson_document(const RecipeReport& report, const std::vector<WaterProfile>& profiles);

// Writes the document to `path` through a temporary file renamed over it. False, with a French reason in
// `why`, when it could not be written; nothing is left half written. The caller evaluates the recipe first.
bool export_beerjson(const std::string& path, const RecipeReport& report, std::string* why);

// recipe/formats/beerxml_write.h — the recipe as a BeerXML 1.0 file that any program, even one validating
// against a schema, reads: standard names in standard order, every required element, numbers within their
// meaning.
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

// The BeerXML document of the report's recipe, from its estimates and settings (the recipe is named by its
// file when it has no title). Each value that had to be brought within the standard's range is named, in
// French, in `clamped`.
std::string beerxml_document(const RecipeReport& report, std::vector<std::string>* clamped);

// Writes the document to `path` through a temporary file renamed over it. False, with a French reason in
// `why`, when it could not be written; nothing is left half written. The caller evaluates the recipe first.
bool export_beerxml(const std::string& path, const RecipeReport& report, std::vector<std::string>* clamped,
                    std::string* why);

// recipe/beerxml_write.h — the recipe as a BeerXML 1.0 file that any program, even one validating against a
// schema, reads: standard names in standard order, every required element, numbers within their meaning.
#pragma once

#include "core/workspace.h"

#include <string>
#include <vector>

// The BeerXML document of the recipe of `w`, from its last evaluation (w.estimates) and its settings.
// Each value that had to be brought within the standard's range is named, in French, in `clamped`.
std::string beerxml_document(const Workspace& w, std::vector<std::string>* clamped);

// Evaluates the recipe on screen and writes its document to `path` through a temporary file renamed over
// it. False, with a French reason in `why`, when it could not be written; nothing is left half written.
bool export_beerxml(const std::string& path, std::vector<std::string>* clamped, std::string* why);

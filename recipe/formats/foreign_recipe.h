// recipe/beerxml_import.h — a BeerXML recipe becomes a Cuvelo recipe: lines, style, title, carbonation and
// the batch size as forced final volume, with the French account of what was read, lost and corrected.
#pragma once

#include "core/records.h"
#include "core/workspace.h"
#include "recipe/formats/beerxml_read.h"

#include <string>
#include <vector>

struct ImportedRecipe {
    std::vector<RecipeLine> lines; // the nine texts of each line; pictures are loaded when it is applied
    StyleEntry style;
    std::string title;
    std::string carbonation;
    double forced_volume = 0; // litres: the file's batch size
    BxStated stated;
    std::vector<std::string> read;      // "5 malts et sucres", "4 houblons", ...
    std::vector<std::string> lost;      // what Cuvelo does not keep
    std::vector<std::string> corrected; // values read by their leading number, defaulted or clamped
    size_t more_corrected = 0;          // corrections beyond kMostCorrections, counted only
};

// The Cuvelo recipe of a BeerXML recipe; pictures, prices and styles come from the reference data of `w`.
ImportedRecipe import_beerxml_recipe(const BxRecipe& recipe, const Workspace& w);

// Makes the imported recipe the one on screen, as a new recipe never saved (no file name).
void apply_imported_recipe(const ImportedRecipe& recipe);

// The one French message after an import: read, lost, corrected (the file's normalising steps first), the
// file's own figures beside Cuvelo's estimates, then the file's recipes that were not read. Of bounded
// length whatever the file: names cut, at most kMostCorrections corrections listed, then how many more.
std::string import_message(const ImportedRecipe& recipe, const BeerXmlContent& file,
                           const Estimates& estimates, double efficiency_percent);

// The recipe's name, as `--list` and the recipe chooser show it ("Recette n° N" when it has none), cut
// to kMaxNameCharacters.
std::string beerxml_recipe_label(const BeerXmlContent& content, size_t index);

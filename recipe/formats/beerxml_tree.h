// recipe/formats/beerxml_tree.h — GMarkup over the normalised text of a BeerXML file, one recipe at a time
// into a small tree of bounded size; a recipe GMarkup cannot read never loses the others.
#pragma once

#include "core/workspace.h"
#include "recipe/formats/foreign_recipe.h" // kMostRecipes

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct XmlNode {
    std::string tag;
    std::string text;
    std::vector<XmlNode> children;
};

// Records of one kind read in one recipe: as many as a recipe has lines.
constexpr size_t kMostRecords = static_cast<size_t>(kLineCapacity);
// Elements kept for one recipe: far above 256 records with every field any program writes.
constexpr size_t kMostElements = 32768;

// The records a recipe holds several of, in the order of kRecordTags.
enum RecordKind { kHopRecord, kFermentableRecord, kYeastRecord, kMiscRecord, kWaterRecord, kMashStepRecord };
constexpr int kRecordKinds = 6;
extern const char* const kRecordTags[kRecordKinds];

// One recipe of the file, as it is handed over while the file is read.
struct RecipeTree {
    const XmlNode* recipe = nullptr; // its RECIPE element; null when not even its start could be read
    size_t number = 0;               // 1 for the file's first recipe
    std::string error;               // French, where reading stopped inside it; "" when it was read whole
    size_t left_out[kRecordKinds] = {};
    size_t elements_left_out = 0; // beyond kMostElements
};

// The records counted outside recipes, in the order of OutsideRecipes::counts.
constexpr int kCensusKinds = 8;
extern const char* const kCensusTags[kCensusKinds]; // "HOP", "FERMENTABLE", ... "MASH"

// What the file holds outside its recipes, for the refusal of a file without any.
struct OutsideRecipes {
    size_t counts[kCensusKinds] = {};
    bool beersmith = false;      // BeerSmith's own elements (.bsmx)
    bool html = false;           // an HTML page
    bool draft = false;          // the root of the BeerXML 2 draft
    size_t recipes_left_out = 0; // beyond kMostRecipes
};

// Reads the normalised text (one root element) and hands each recipe to `take`, in file order, as soon as it
// is read; the tree handed over lives only during the call. Linear in the text's length whatever it holds.
OutsideRecipes read_recipe_trees(const std::string& text, const std::function<void(const RecipeTree&)>& take);

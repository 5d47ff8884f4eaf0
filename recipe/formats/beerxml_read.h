// recipe/beerxml_read.h — reads a BeerXML 1.0 file into plain records, in the standard's units, whatever its
// quirks; what had to be corrected is said in French beside each recipe.
#pragma once

#include <cmath>
#include <string>
#include <vector>

// Every figure below is in the standard's units: kg, litres, minutes, specific gravity, percent, °C.
// A figure the file does not give is NaN where the import needs to know (std::isnan).
struct BxFermentable {
    std::string name;
    std::string type;  // the standard's spelling: "Grain", "Sugar", "Extract", "Dry Extract", "Adjunct"
    double amount = 0; // kg
    double yield = 0;  // percent of extract
    double colour_ebc = 0;
};

struct BxHop {
    std::string name;
    std::string use;  // "Boil", "Dry Hop", "Mash", "First Wort", "Aroma"
    std::string form; // "Pellet", "Plug", "Leaf" or ""
    double alpha = 0;
    double amount = 0;       // kg
    double time = 0;         // minutes (days for some programs' dry hops; the import does not use it then)
    double temperature = -1; // °C of a whirlpool, -1 when the file gives none
};

struct BxYeast {
    std::string name;
    double amount = 0; // kg, or litres when not a weight
    bool is_weight = false;
    double attenuation = -1; // percent; -1 when the file gives none
};

struct BxMisc {
    std::string name;
    std::string use; // "Boil", "Mash", "Primary", "Secondary", "Bottling"
    double time = 0;
    double amount = 0;
    bool is_weight = false;
};

struct BxStyle {
    bool present = false;
    std::string name, category, notes;
    double og_min = 0, og_max = 0, fg_min = 0, fg_max = 0; // specific gravity
    double ebc_min = 0, ebc_max = 0, ibu_min = 0, ibu_max = 0;
};

// What the file states about the beer, shown beside the estimates; NaN when not stated.
struct BxStated {
    double og = NAN, fg = NAN, colour_ebc = NAN, ibu = NAN, efficiency = NAN;
};

struct BxRecipe {
    std::string name;
    double batch_size = 20;  // litres
    double carbonation = -1; // volumes of CO2; -1 when not given
    BxStyle style;
    std::vector<BxFermentable> fermentables;
    std::vector<BxHop> hops;
    std::vector<BxYeast> yeasts;
    std::vector<BxMisc> miscs;
    BxStated stated;
    // What Cuvelo does not keep: counted or named for the import message.
    int mash_steps = 0;
    std::vector<std::string> waters;
    bool notes = false;
    std::string equipment;
    double boil_time = -1;
    std::vector<std::string> corrections; // French, one per value read by its leading number or defaulted
    size_t more_corrections = 0;          // those beyond kMostCorrections, counted only
    std::vector<std::string> left_out;    // French: the records not read (beyond the caps, or empty)
};

// The corrections a recipe keeps: a message lists no more, and a file cannot make them use memory without
// bound.
constexpr size_t kMostCorrections = 30;

// Adds a correction to `list` while it holds fewer than kMostCorrections; otherwise counts it in `more`.
void add_correction(std::vector<std::string>& list, size_t& more, std::string what);

struct BeerXmlContent {
    bool refused = false;
    std::string refusal; // French: what the file is, when it holds no BeerXML 1.0 recipe
    std::vector<BxRecipe> recipes;
    std::vector<std::string> steps;      // the normalising steps that fired
    std::vector<std::string> unreadable; // French, one per recipe that could not be read at all
    size_t recipes_left_out = 0;         // beyond kMostRecipes (recipe/formats/beerxml_tree.h), not read
};

// Reads the bytes of a file. One bad field never loses its recipe, and one recipe GMarkup cannot read
// never loses the others; a file holding no recipe is refused with a message naming what it holds. Time and
// memory stay proportional to the file's size: what lies beyond the caps is counted, not read.
BeerXmlContent read_beerxml(const std::string& bytes);

// Reads a whole file with read_beerxml; false, with a French reason in `why`, when it cannot be read.
bool read_beerxml_file(const std::string& path, BeerXmlContent* content, std::string* why);

// The number and unit that start a text, in the unit `unit` names ("kg", "l", "min", "sg", "ebc", "c",
// "%", ""); false when it starts with no number. `plain` is set when the text held nothing but the number.
bool beerxml_number(const std::string& text, const char* unit, double* value, bool* plain);

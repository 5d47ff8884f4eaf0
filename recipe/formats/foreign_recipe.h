// recipe/formats/foreign_recipe.h — the recipes of other programs' files in one format-neutral record, which
// every reader but the .cvl one fills, and its mapping to a Cuvelo recipe: lines, style, title, carbonation
// and the batch size as forced final volume, with the French account of what was read, lost and corrected.
#pragma once

#include "core/records.h"

#include <cmath>
#include <string>
#include <vector>

// A recipe of another program's file, as its reader understood it, whatever the format. Every figure is in
// these units: kg, litres, minutes, specific gravity, percent, °C, EBC. A figure the file does not give is
// NaN where the import needs to know (std::isnan).
struct ForeignFermentable {
    std::string name;
    std::string type;  // BeerXML's spelling: "Grain", "Sugar", "Extract", "Dry Extract", "Adjunct"
    double amount = 0; // kg
    double yield = 0;  // percent of extract
    double colour_ebc = 0;
    double di_ph = NAN; // the grain alone in distilled water, when the file gives it
};

struct ForeignHop {
    std::string name;
    std::string use;  // "Boil", "Dry Hop", "Mash", "First Wort", "Aroma"
    std::string form; // "Pellet", "Plug", "Leaf" or ""
    double alpha = 0;
    double amount = 0;       // kg
    double time = 0;         // minutes (days for some programs' dry hops; the import does not use it then)
    double temperature = -1; // °C of a whirlpool, -1 when the file gives none
};

struct ForeignYeast {
    std::string name;
    double amount = 0; // kg, or litres when not a weight
    bool is_weight = false;
    double attenuation = -1; // percent; -1 when the file gives none
};

struct ForeignMisc {
    std::string name;
    std::string use; // "Boil", "Mash", "Primary", "Secondary", "Bottling"
    double time = 0;
    double amount = 0;
    bool is_weight = false;
    std::string unit; // as the file wrote it ("tsp", "g"), for the import message
};

// A water of the file with its ions (mg/L); its pH NaN when not given.
struct ForeignWater {
    std::string name;
    Ions ions;
    double ph = NAN;
};

struct ForeignStyle {
    bool present = false;
    std::string name, category, notes;
    double og_min = 0, og_max = 0, fg_min = 0, fg_max = 0; // specific gravity
    double ebc_min = 0, ebc_max = 0, ibu_min = 0, ibu_max = 0;
};

// What the file states about the beer, shown beside the estimates; NaN when not stated.
struct StatedFigures {
    double og = NAN, fg = NAN, colour_ebc = NAN, ibu = NAN, efficiency = NAN;
    double abv = NAN; // percent by volume
};

struct ForeignRecipe {
    std::string name;
    double batch_size = 20;  // litres
    double carbonation = -1; // volumes of CO2; -1 when not given
    ForeignStyle style;
    std::vector<ForeignFermentable> fermentables;
    std::vector<ForeignHop> hops;
    std::vector<ForeignYeast> yeasts;
    std::vector<ForeignMisc> miscs;
    StatedFigures stated;
    // What Cuvelo does not keep: counted or named for the import message.
    int mash_steps = 0;
    std::vector<std::string> waters;
    bool notes = false;
    std::string equipment;
    double boil_time = -1;
    std::vector<std::string> corrections; // French, one per value read by its leading number or defaulted
    size_t more_corrections = 0;          // those beyond kMostCorrections, counted only
    std::vector<std::string> left_out;    // French: the records not read (beyond the caps, or empty)

    // What the recipe's brewing plan takes from the file: its mash rests (the rinse infusion left out) and
    // its notes. The efficiency is stated.efficiency and the boil time boil_time above.
    std::vector<MashStep> mash;
    std::string notes_text;
    // --- The fermentation's steps, which the plan takes too.
    std::vector<FermentationStep> fermentation;

    // --- Water: the waters whose ions the file gives, in its order (the names in `waters` are those
    // without).
    std::vector<ForeignWater> water_ions;

    // --- Top-up: litres of water poured into the fermenter after the boil (0: none), part of batch_size.
    double top_up_water = 0;
};

// The recipes of a file that are read; the others are counted.
constexpr size_t kMostRecipes = 5000;

// The corrections a recipe keeps: a message lists no more, and a file cannot make them use memory without
// bound.
constexpr size_t kMostCorrections = 30;

// Adds a correction to `list` while it holds fewer than kMostCorrections; otherwise counts it in `more`.
void add_correction(std::vector<std::string>& list, size_t& more, std::string what);

// What a file of another program holds: its recipes, or why it is refused, and what reading it corrected.
struct ForeignFile {
    bool refused = false;
    std::string refusal; // French: what the file is, when it holds no recipe its reader reads
    std::vector<ForeignRecipe> recipes;
    std::vector<std::string> steps;      // the normalising steps that fired
    std::vector<std::string> unreadable; // French, one per recipe that could not be read at all
    size_t recipes_left_out = 0;         // beyond kMostRecipes, not read

    // --- BeerJSON's addition: the format the import message names.
    std::string format = "BeerXML";
};

// Reads the regular file at `path` with `reader`; a file larger than `largest` bytes is handed to the reader
// as `largest` + 1 blanks, so that it is refused for its size alone without being read. False, with a
// French reason in `why`, when it is not a regular file or cannot be read.
bool read_foreign_file(const std::string& path, size_t largest, ForeignFile (*reader)(const std::string&),
                       ForeignFile* content, std::string* why);

// Why a file of another program that no reader of Cuvelo reads is refused: a SQLite database, BeerJSON or
// another program's JSON (French); "" for any other content.
std::string refusal_of_unread_format(const std::string& bytes);

// A foreign recipe as a Cuvelo recipe, and the account of the mapping.
struct ImportedRecipe {
    Recipe recipe; // the nine texts of each line; the recipe on screen stores them (core/workspace.h)
    StatedFigures stated;
    std::vector<std::string> read;      // "5 malts et sucres", "4 houblons", ...
    std::vector<std::string> lost;      // what Cuvelo does not keep
    std::vector<std::string> corrected; // values read by their leading number, defaulted or clamped
    size_t more_corrected = 0;          // corrections beyond kMostCorrections, counted only
};

// The Cuvelo recipe of a foreign recipe; pictures, prices and styles come from the reference data, the
// waters' profiles from `profiles` (the bundled ones when null).
ImportedRecipe import_foreign_recipe(const ForeignRecipe& recipe, const ReferenceData& reference,
                                     const std::vector<WaterProfile>* profiles = nullptr);

// The one French message after an import: read, lost, corrected (the file's normalising steps first), the
// file's own figures beside Cuvelo's estimates, then the file's recipes that were not read. Of bounded
// length whatever the file: names cut, at most kMostCorrections corrections listed, then how many more.
std::string import_message(const ImportedRecipe& recipe, const ForeignFile& file, const Estimates& estimates,
                           double efficiency_percent);

// The recipe's name, as `--list` and the recipe chooser show it ("Recette n° N" when it has none), cut
// to kMaxNameCharacters.
std::string foreign_recipe_label(const ForeignFile& content, size_t index);

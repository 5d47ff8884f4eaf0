// calc/targets.h — the quantities that give a wanted density, colour and bitterness.
#pragma once

#include "calc/recipe_change.h"

#include <string>

// The estimates a brewer aims at; only those that are `on` are sought.
struct Targets {
    bool og_on = false;
    double og = 0; // density × 1000
    bool ebc_on = false;
    double ebc = 0;
    bool ibu_on = false;
    double ibu = 0;
};

// How far a sought estimate may land from its target once the quantities are written.
constexpr double kTargetTolerance = 0.5;

// Reads "og=1055,ebc=20,ibu=35" (any of the three, in any order; a density below 2 is read as 1.055). False,
// with a French reason, for an unknown name, a missing number or an empty list.
bool parse_targets(const std::string& text, Targets& targets, std::string* why);

// Changes quantities only, never adds or removes lines: the density by one factor on every fermentable line
// that counts, the colour by the darkest grain line with the other fermentables rescaled to hold the density,
// the bitterness by one factor on the hop lines that give bitterness; a target the recipe already meets needs
// no such line. Done when every sought estimate is
// within kTargetTolerance after the quantities are rounded; otherwise the French message names the target
// out of reach and the nearest value the recipe can give.
RecipeChange solve_targets(const std::vector<RecipeLine>& lines, const Settings& settings,
                           ForcedVolume forced, const Targets& targets);

// calc/water_solver.h — the acid that brings the mash to a pH, and the salts that bring its water nearest a
// profile; each worked out on a copy of the recipe, as one change. Pure.
#pragma once

#include "calc/recipe_change.h"
#include "core/records.h"

#include <string>
#include <vector>

// The recipe with the quantity of its first acid line at EMPATAGE (else its acid malt) set so that the mash
// pH, the correction added, is `target` (to 0.01 mL of acid, 0.1 g of malt). Without either, a line of
// `lactic` (the database's lactic acid, or a built-in 80 % one when null) is added at EMPATAGE. Not done,
// with the French reason and the nearest pH, when no quantity reaches the target.
RecipeChange solve_mash_ph(const Recipe& recipe, const std::vector<WaterProfile>& profiles, double target,
                           double correction, const IngredientEntry* lactic);

// The recipe with non-negative quantities of its gypsum, calcium chloride, Epsom salt, table salt and baking
// soda lines at EMPATAGE chosen so that the mash water comes nearest `target` (sulfate and chloride weigh
// most). Not done, with the French reason, when it holds none of them or no mash water of known profile.
RecipeChange solve_water_profile(const Recipe& recipe, const std::vector<WaterProfile>& profiles,
                                 const WaterProfile& target);

// The salt grams per litre of mash water (in the order gypsum, calcium chloride, Epsom salt, table salt,
// baking soda; only those `usable`) that bring `start` nearest `target`: the least weighted squares over the
// six ions with every amount at least 0.
std::vector<double> nearest_salts(const Ions& start, const Ions& target, const std::vector<bool>& usable);

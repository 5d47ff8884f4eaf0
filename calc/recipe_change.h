// calc/recipe_change.h — a change of the recipe's quantities worked out on a copy; calc/evaluate.h writes it
// into the recipe on screen.
#pragma once

#include "calc/estimate.h"
#include "core/records.h"

#include <string>
#include <vector>

// What scaling or the target solver proposes: when `done`, the recipe with its new quantities and forced
// volume (nothing else of it changes); else the French reason nothing changes, and an empty recipe.
struct RecipeChange {
    bool done = false;
    Recipe recipe;
    std::string message;
};

// calc/recipe_change.h — a change of the recipe's quantities worked out on a copy; calc/evaluate.h writes it
// into the recipe on screen.
#pragma once

#include "calc/estimate.h"
#include "core/records.h"

#include <string>
#include <vector>

// What scaling or the target solver proposes: the new lines and forced volume when `done`, else the French
// reason nothing changes.
struct RecipeChange {
    bool done = false;
    std::vector<RecipeLine> lines;
    ForcedVolume forced;
    std::string message;
};

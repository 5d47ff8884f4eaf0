// calc/recipe_change.h — a change of the recipe's quantities worked out on a copy, and its one writer into
// the recipe on screen.
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

// The lines and forced volume of the recipe on screen, as the pure functions take them.
std::vector<RecipeLine> recipe_lines_on_screen();
ForcedVolume forced_volume_on_screen();

// The entries of the ingredient database loaded into the workspace, in order.
std::vector<IngredientEntry> ingredient_database();

// Writes a done change's quantities and forced volume into the recipe on screen (nothing else of the lines
// changes); does nothing for a change that is not done.
void apply_recipe_change(const RecipeChange& change);

// calc/recipe_change.cpp — a change of the recipe's quantities worked out on a copy, and its one writer into
// the recipe on screen.
#include "calc/recipe_change.h"

#include "core/workspace.h"

std::vector<RecipeLine> recipe_lines_on_screen()
{
    return std::vector<RecipeLine>(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
}

ForcedVolume forced_volume_on_screen()
{
    return ForcedVolume{ws.volume_forced == 1, ws.forced_volume};
}

std::vector<IngredientEntry> ingredient_database()
{
    return std::vector<IngredientEntry>(ws.ingredients.begin() + 1,
                                        ws.ingredients.begin() + 1 + ws.ingredient_count);
}

void apply_recipe_change(const RecipeChange& change)
{
    // A change made for another list (the recipe changed meanwhile) must not land on the wrong lines.
    if (!change.done || change.lines.size() != static_cast<size_t>(ws.line_count))
        return;
    for (size_t k = 0; k < change.lines.size(); k++)
        ws.lines[k + 1].quantity = change.lines[k].quantity;
    if (ws.volume_forced == 1 && change.forced.on)
        ws.forced_volume = change.forced.litres;
}

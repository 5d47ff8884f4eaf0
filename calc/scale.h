// calc/scale.h — a recipe brought to another final volume, and the precision quantities are written with.
#pragma once

#include "calc/recipe_change.h"

// The quantity text of `line` holding `amount` of its own unit, rounded as a brewer weighs it: litres to the
// hundredth, kilograms to the gram, grams of grain, sugar or extract to the gram and other grams (hops,
// yeast, additions) to the tenth. A quantity without a unit keeps the text after its number.
std::string written_quantity(const RecipeLine& line, double amount);

// The amount a quantity text holds in its own unit (kilograms for "KG", grams for " G", litres, or the
// leading number of a text without a unit).
double quantity_amount(const std::string& quantity);

// Every quantity multiplied by `litres` / the current final volume, the water then trimmed to the hundredth
// so that the final volume lands on `litres`; with the volume forced, by `litres` / the forced volume, which
// becomes `litres`. Not done, with the French
// reason, when the recipe has no final volume yet or `litres` is not a positive volume.
RecipeChange scale_to_volume(const std::vector<RecipeLine>& lines, const Settings& settings,
                             ForcedVolume forced, double litres);

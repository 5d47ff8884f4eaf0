// calc/scale.h — a recipe brought to another final volume, and the precision quantities are written with.
#pragma once

#include "calc/recipe_change.h"

// The final volumes a recipe may be brought to, in litres.
constexpr double kSmallestScaledVolume = 0.5;
constexpr double kLargestScaledVolume = 10000;

// The most one line may hold once scaled: weights in kilograms, water in litres, other amounts in their
// own unit.
constexpr double kLargestLineKg = 10000;
constexpr double kLargestLineLitres = 100000;
constexpr double kLargestLineAmount = 100000;

// How far the final volume of a scaled recipe may land from the wanted one, in litres.
constexpr double kScaledVolumeTolerance = 0.3;

// The quantity text of `line` holding `amount` of its own unit, rounded as a brewer weighs it: litres to
// the hundredth; weights in grams under 1 kg (to the hundredth under 1 g, the tenth above) and in
// kilograms to the gram from 1,000 g on, whatever unit the line had. A quantity without a
// unit keeps the text after its number.
std::string written_quantity(const RecipeLine& line, double amount);

// A weight of `grams` written as written_quantity writes a weight.
std::string written_weight(double grams);

// The amount a quantity text holds in its own unit (kilograms for "KG", grams for " G", litres, or the
// leading number of a text without a unit).
double quantity_amount(const std::string& quantity);

// Every quantity multiplied by `litres` over the final volume the recipe really gives (forced or not),
// so that its final volume lands within kScaledVolumeTolerance of `litres`: the water is then trimmed to
// the hundredth, or with the volume forced the forced volume becomes what gives `litres` (a hair more than
// it). Equal quantities stay equal.
// Not done, with the French reason, for a volume outside kSmallestScaledVolume..kLargestScaledVolume, a
// recipe without a final volume, or a factor that would weigh a line to nothing or past the line limits.
RecipeChange scale_to_volume(const Recipe& recipe, const Settings& settings, double litres);

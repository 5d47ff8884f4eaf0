// calc/cost.h — what a line and a whole recipe cost, from the prices and the heating time.
#pragma once

#include "core/line_figures.h"
#include "core/records.h"

#include <cstddef>

// Cost of a line's quantity at its price, which is per unit of the price's own unit (3.5 KG is 3.5 per
// kilogram); 0 when either has no unit or the units do not convert (litres priced by weight).
double line_cost(const LineFigures& line);

// Sum of the costs of lines[0, count) plus the heating of the boil and the four rests.
double recipe_cost(const RecipeLine* lines, size_t count, const Settings& settings);

// The same, the mash heated for the minutes of the recipe's own steps when it has some.
double recipe_cost(const RecipeLine* lines, size_t count, const Settings& settings, const BrewingPlan& plan);

// calc/cost.h — what a line and the whole recipe cost, from the prices and the heating time.
#pragma once

#include <string>

// Cost of a quantity at a price per unit; the units are the last two characters of both texts.
double line_cost(const std::string& quantity, const std::string& price);

// Sum of the line costs plus the heating of the boil and the four rests.
double recipe_cost();

// calc/evaluate.h — turns the recipe lines and the settings into the estimates.
#pragma once

#include <string>

// Rewrites every estimate (not the priming ones) and the three computed numbers of every line (0 for a line
// that does not count).
// While the volume is forced it also rewrites the first mash and rinse water lines.
void evaluate_recipe();

// Weight in kilograms of a quantity text: "KG" as is, " G" / 1000, anything else 0.
double quantity_in_kg(const std::string& quantity);

// Density × 1000 of a wort holding `points` percent of extract, truncated to hundredths.
double density_of_points(double points);

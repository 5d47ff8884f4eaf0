// calc/evaluate.h — the estimates of the recipe on screen, kept in the workspace.
#pragma once

#include "calc/estimate.h"

// Rewrites every estimate (not the priming ones) and the three computed numbers of every line (0 for a line
// that does not count).
// While the volume is forced it also rewrites the first mash and rinse water lines.
void evaluate_recipe();

// The cost of the recipe on screen under the settings (calc/cost.h).
double recipe_cost_on_screen();

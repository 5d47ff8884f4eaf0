// calc/evaluate.h — the estimates of the recipe on screen, kept in the workspace.
#pragma once

#include "calc/estimate.h"

// Rewrites every estimate (not the priming ones) and the computed numbers of the matching lines.
// While the volume is forced it also rewrites the first mash and rinse water lines.
void evaluate_recipe();

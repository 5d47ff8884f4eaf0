// calc/water.h — the mash and rinse water that give a forced final volume.
#pragma once

// Computes the forced water from the current grain and hop weights and writes it into the first
// mash water line and the first rinse water line.
void compute_forced_water(double target_litres);

// calc/water_chemistry.h — the water and mash pH of a recipe: its waters' profiles, salts, acids and grist
// turned into the mash's parts, the ion profiles and the pH. Pure.
#pragma once

#include "calc/mash_ph.h"
#include "calc/water_salts.h"
#include "core/records.h"

#include <cstddef>
#include <string>
#include <vector>

// What one recipe line brings to the mash's charge balance.
struct MashShare {
    size_t line = 0;  // the line's number in the list, from 0
    double meq = 0;   // its proton deficit at the mash pH (mEq); negative for what acidifies
    std::string what; // French: "malt caramel, pH en eau distillée estimé 4.93", "eau VOLVIC", "gypse" ...
};

struct WaterChemistry {
    bool computed = false;  // false: no grain, or no mash water of known profile
    double model_ph = 0;    // the pH the model gives, before the brewery's correction
    double mash_litres = 0; // the mash water of known profile
    double all_litres = 0;  // all the water of known profile
    Ions mash_ions;
    Ions all_ions;
    double so4_cl_ratio = 0;
    double residual_alkalinity = 0; // mEq/L
    std::vector<MashShare> shares;  // each line that counts, in order
    std::vector<std::string> notes; // French: why nothing is computed, waters left out, chalk counted half
};

// Residual alkalinity of a water (mEq/L): its alkalinity less Ca/3.5 and Mg/7 (Kolbach).
double residual_alkalinity(const Ions& ions);

// The chemistry of lines[0, count) with the water profiles: mash lines at EMPATAGE (waters, grains, salts,
// acids), rinse lines at RINCAGE (waters and salts, for the profile of all the water).
WaterChemistry water_chemistry(const RecipeLine* lines, size_t count,
                               const std::vector<WaterProfile>& profiles);

// The chemistry's figures into the estimates, the brewery's pH correction added; all 0 when not computed.
void put_water_estimates(const WaterChemistry& chemistry, double ph_correction, Estimates& e);

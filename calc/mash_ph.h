// calc/mash_ph.h — the mash pH by charge balance (deLange): the pH at which the protons the mash's parts
// give and take sum to zero. Pure.
#pragma once

#include <cstddef>

// What a part of the mash is, for the rule that gives its proton deficit.
enum class MashPartKind {
    malt,       // amount kg, ph its DI pH, buffering mEq/(kg·pH)
    water,      // amount litres, ph the water's pH, carbonate mmol/L of carbonate species
    fixed,      // amount mEq whatever the pH (calcium and magnesium by Kolbach, hydroxide)
    lactic,     // amount mmol of lactic acid (pKa 3.86)
    phosphoric, // amount mmol of phosphoric acid (pKa 2.15, 7.20, 12.35)
    carbonate,  // amount mmol of carbonate added as CO3 (chalk), ph unused
    bicarbonate // amount mmol of bicarbonate added as HCO3 (baking soda), from its own pH 8.3
};

// One part of the mash.
struct MashPart {
    MashPartKind kind = MashPartKind::fixed;
    double amount = 0;
    double ph = 0;
    double buffering = 0;
    double carbonate = 0;
};

// Charge per mmol of carbonate species at `ph` (pK1 6.38, pK2 10.38): from 0 (all CO2) to −2 (all CO3).
double carbonate_charge(double ph);

// Millimoles per litre of carbonate species in a water of `alkalinity_meq` mEq/L (titrated to 4.3) at `ph`.
double carbonate_of_alkalinity(double alkalinity_meq, double ph);

// The protons (mEq) the part takes up when the mash is at `ph`; negative when it gives them.
double proton_deficit(const MashPart& part, double ph);

// The pH in [3.5, 7.5] at which the parts' deficits sum to zero, to 0.0005 (an end when none does).
double mash_ph(const MashPart* parts, size_t count);

// calc/water_text.h — the water and the mash pH in French: the summary lines, and each line's share of the
// charge balance, for the breakdown window, the report and cuvelo-calc alike.
#pragma once

#include "calc/water_chemistry.h"

#include <string>
#include <vector>

// The mash pH as the results panel and the report write it: "5.42" (with " (correction +0.05)" when the
// brewery's correction applies), or "-" when it is not computed.
std::string mash_ph_text(const Estimates& e);

// The summary: the mash pH, the ion profiles of the mash water and of all the water, the SO4/Cl ratio and
// the residual alkalinity; one line saying why when there is no pH.
std::vector<std::string> water_summary_lines(const Estimates& e);

// The breakdown: one line per part of the charge balance ("3 Malt Pilsen (malt Pilsen, pH en eau distillée
// 5.75) : +12.30 mEq"), then the notes of the chemistry.
std::vector<std::string> water_breakdown_lines(const WaterChemistry& w, const RecipeLine* lines,
                                               size_t count);

// The measured pH against the prediction: "pH mesuré 5.35, prédit 5.42 : écart -0.07"; "" when the brewer
// measured none or nothing is predicted.
std::string measured_ph_text(double measured_ph, const Estimates& e);

// One water profile as a list of profiles shows it: "Pilsen : Ca 7, Mg 2, Na 2, SO4 5, Cl 5, HCO3 15 mg/L".
std::string profile_choice_text(const WaterProfile& profile);

// recipe/formats/foreign_water.h — the water side of other programs' recipes mapped onto Cuvelo's lines:
// salts and acids known by their English or French names, waters known by their ions.
#pragma once

#include "calc/water_salts.h"
#include "core/records.h"

#include <string>
#include <vector>

// The salt or acid a foreign ingredient names, in English or French, by its common or chemical name
// ("Gypsum", "sulfate de calcium", "CaCl2", "Lactic Acid 88%"); none for any other name.
Additive additive_of_name(const std::string& name);

// The strength in % of an acid named with it ("Lactic Acid 88%" gives 88); otherwise the usual one (lactic
// 80, phosphoric 10).
double acid_percent_of_name(const std::string& name, Additive acid);

// A foreign salt or acid as the texts of a Cuvelo line, or why it is refused.
struct AdditiveTexts {
    bool refused = false;
    std::string why;      // French, when refused: "1 tsp : une cuillère de sel ne se pèse pas sûrement"
    std::string quantity; // " G" for a salt, " ML" for an acid
    std::string value;    // the key
    std::string yield;    // the acid's strength in %, "0" for a salt
};

// The line texts of `amount` of the additive: kilograms when `is_weight`, else litres; `unit` is the unit
// the file wrote, as the refusal quotes it. A salt needs a weight and an acid a volume: the other is refused,
// a spoonful of powder having no safe weight.
AdditiveTexts additive_texts(Additive a, const std::string& name, double amount, bool is_weight,
                             const std::string& unit);

// The bundled profile whose six ions are each within 2 mg/L or 5 % of `ions` (the nearest when several
// are); null when none is.
const WaterProfile* matching_profile(const Ions& ions, const std::vector<WaterProfile>& profiles);

// "Ca 12, Mg 8, Na 12, SO4 9, Cl 15, HCO3 74 mg/L", as a message quotes a water.
std::string ions_summary(const Ions& ions);

// calc/water_salts.cpp — the salt and acid table: keys, ions per gram, molar masses and acid strengths.
#include "calc/water_salts.h"


#include <algorithm>
#include <cmath>

namespace
{

struct SaltFacts {
    Additive additive;
    Ions ions;         // mg per gram (mg/L per g/L)
    double molar_mass; // g/mol, hydrate water included
};

// Stoichiometry from the molar masses (Ca 40.078, Mg 24.305, Na 22.990, S 32.06, Cl 35.45, C 12.011,
// O 15.999, H 1.008); 1 mmol of CO3 or 2 of OH has the alkalinity of 2 mmol of HCO3 (61.02 mg/mmol).
const SaltFacts kSalts[] = {
    {Additive::gypsum, {232.8, 0, 0, 557.9, 0, 0}, 172.17},
    {Additive::calcium_chloride, {272.6, 0, 0, 0, 482.3, 0}, 147.01},
    {Additive::epsom, {0, 98.6, 0, 389.7, 0, 0}, 246.47},
    {Additive::magnesium_chloride, {0, 119.6, 0, 0, 348.8, 0}, 203.30},
    {Additive::table_salt, {0, 0, 393.4, 0, 606.6, 0}, 58.44},
    {Additive::baking_soda, {0, 0, 273.7, 0, 0, 726.3}, 84.007},
    {Additive::chalk, {400.4, 0, 0, 0, 0, 1219.3}, 100.09},
    {Additive::lime, {540.9, 0, 0, 0, 0, 1647.1}, 74.09},
};

struct AcidFacts {
    Additive additive;
    double molar_mass;
    // Density of the solution at 0, 10, 25, 50, 75, 88 and 100 % by weight (g/mL, 20 °C, handbook tables).
    double density[7];
};

const double kAcidPercents[7] = {0, 10, 25, 50, 75, 88, 100};

const AcidFacts kAcids[] = {
    {Additive::lactic, 90.08, {1.000, 1.022, 1.057, 1.118, 1.176, 1.209, 1.249}},
    {Additive::phosphoric, 97.995, {1.000, 1.053, 1.146, 1.335, 1.579, 1.727, 1.870}},
};

} // namespace

Ions ions_per_gram(Additive a)
{
    for (const SaltFacts& s : kSalts)
        if (s.additive == a)
            return s.ions;
    return Ions{};
}

double mmol_per_gram(Additive a)
{
    for (const SaltFacts& s : kSalts)
        if (s.additive == a)
            return 1000 / s.molar_mass;
    return 0;
}

double acid_mmol_per_ml(Additive a, double percent)
{
    for (const AcidFacts& f : kAcids) {
        if (f.additive != a)
            continue;
        const double w = std::clamp(std::isfinite(percent) ? percent : 0.0, 0.0, 100.0);
        size_t k = 1;
        while (k < 6 && kAcidPercents[k] < w)
            k++;
        const double t = (w - kAcidPercents[k - 1]) / (kAcidPercents[k] - kAcidPercents[k - 1]);
        const double density = f.density[k - 1] + t * (f.density[k] - f.density[k - 1]);
        return density * 1000 * (w / 100) / f.molar_mass;
    }
    return 0;
}

Ions add_salt(Ions ions, Additive a, double grams)
{
    const Ions per = ions_per_gram(a);
    ions.ca += grams * per.ca;
    ions.mg += grams * per.mg;
    ions.na += grams * per.na;
    ions.so4 += grams * per.so4;
    ions.cl += grams * per.cl;
    ions.hco3 += grams * per.hco3;
    return ions;
}

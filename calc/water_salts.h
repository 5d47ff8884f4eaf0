// calc/water_salts.h — the brewing salts and acids a line can be, known by the key in its value field, and
// what one gram or millilitre of each brings.
#pragma once

#include "core/records.h"

#include <string>

// What a salt or acid line is; none for any other line.
enum class Additive {
    none,
    gypsum,             // CASO4: CaSO4·2H2O
    calcium_chloride,   // CACL2: CaCl2·2H2O
    epsom,              // MGSO4: MgSO4·7H2O
    magnesium_chloride, // MGCL2: MgCl2·6H2O
    table_salt,         // NACL
    baking_soda,        // NAHCO3
    chalk,              // CACO3
    lime,               // CAOH2: Ca(OH)2
    lactic,             // LACTIQUE, its strength in % by weight in the yield field
    phosphoric,         // PHOSPHORIQUE, the same
};

// The additive a line's value field names (blanks around and the case aside); none for any other text.
Additive additive_of_key(const std::string& value);

// The key written in the value field of an additive's line ("CASO4", ...); "" for none.
const char* additive_key(Additive a);

// True for the two acids, measured in millilitres.
inline bool is_acid(Additive a)
{
    return a == Additive::lactic || a == Additive::phosphoric;
}

// The ions, in mg, that one gram of a salt brings into the water (mg/L per g/L); carbonate and hydroxide are
// given as the bicarbonate of the same alkalinity. Nothing for an acid.
Ions ions_per_gram(Additive a);

// Millimoles of a salt in one gram (its molar mass, hydrate water included); 0 for an acid.
double mmol_per_gram(Additive a);

// Millimoles of acid in one millilitre of a solution of `percent` % by weight, from the solution's density;
// 0 for a salt.
double acid_mmol_per_ml(Additive a, double percent);

// The same ions plus `grams` of the salt.
Ions add_salt(Ions ions, Additive a, double grams);

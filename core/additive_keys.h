// core/additive_keys.h — the brewing salts and acids a recipe line can be, known by the stable key in its
// value field rather than by its French name.
#pragma once

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

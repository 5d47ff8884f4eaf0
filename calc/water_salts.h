// calc/water_salts.h — what one gram of a brewing salt or one millilitre of an acid brings.
#pragma once

#include "core/additive_keys.h"
#include "core/records.h"

#include <string>

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

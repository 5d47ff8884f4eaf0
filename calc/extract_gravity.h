// calc/extract_gravity.h — the gravity of a wort from the kilograms of extract it holds, by the rule brewing
// programs share: extract into the final volume, in degrees Plato.
#pragma once

// Specific gravity of a wort of `plato` degrees Plato by the usual conversion:
// 1 + P / (258.6 − 227.1 × P / 258.2).
double sg_of_plato_usual(double plato);

// Degrees Plato of `extract_kg` kilograms of extract dissolved into `litres` of wort: the P for which
// P = 100 × extract / (litres × SG(P)). 0 when there is no extract or no volume.
double plato_of_extract(double extract_kg, double litres);

// Density × 1000 of a wort of `plato` degrees Plato, truncated to hundredths as the estimates are shown.
double density_of_plato(double plato);

// The extract in kilograms of `kg` of a fermentable yielding `yield_percent`: the brewhouse `efficiency`
// (a fraction) applies to mashed grains only, sugars and extracts dissolving whole.
inline double extract_kg_of(double kg, double yield_percent, bool mashed, double efficiency)
{
    const double extract = kg * yield_percent / 100;
    return mashed ? extract * efficiency : extract;
}

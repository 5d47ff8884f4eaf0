// calc/extract_gravity.cpp — the gravity of a wort from the kilograms of extract it holds.
#include "calc/extract_gravity.h"

#include <cmath>

// The conversion's constants: SG = (258.6 + 0.1204 P) / (258.6 − 0.8796 P), with 0.8796 = 227.1 / 258.2.
constexpr double kPlatoBase = 258.6;
constexpr double kPlatoSlope = 227.1 / 258.2;

double sg_of_plato_usual(double plato)
{
    return 1 + plato / (kPlatoBase - kPlatoSlope * plato);
}

double plato_of_extract(double extract_kg, double litres)
{
    if (!(extract_kg > 0) || !(litres > 0))
        return 0;
    // P × litres × SG(P) = 100 × extract is the quadratic a P² + b P − c = 0 below (a kilogram of wort per
    // litre of water times the SG); its positive root, written so that no difference of near equals is taken.
    const double a = (1 - kPlatoSlope) * litres;
    const double b = kPlatoBase * litres + 100 * kPlatoSlope * extract_kg;
    const double c = 100 * kPlatoBase * extract_kg;
    return 2 * c / (b + std::sqrt(b * b + 4 * a * c));
}

double density_of_plato(double plato)
{
    return std::floor(sg_of_plato_usual(plato) * 100000) / 100;
}

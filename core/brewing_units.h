// core/brewing_units.h — the conversions between the units brewers and their files use: colour scales,
// gravity forms and weights. Pure arithmetic, written once, so that every layer converts alike.
#pragma once

// The units a quantity text may end with (core/quantity.h reads them).
enum class Unit { none, litre, kilogram, gram, millilitre };

// Colour: EBC = 1.97 × SRM. Lovibond's line, SRM = 1.3546 × °L − 0.76, is for measured malts; recipe files
// write Lovibond as SRM, and their readers and writers take the two as one.
constexpr double kEbcPerSrm = 1.97;

// EBC of a colour in SRM.
inline double ebc_of_srm(double srm)
{
    return kEbcPerSrm * srm;
}

// SRM of a colour in EBC.
inline double srm_of_ebc(double ebc)
{
    return ebc / kEbcPerSrm;
}

// SRM of a colour in degrees Lovibond.
inline double srm_of_lovibond(double lovibond)
{
    return 1.3546 * lovibond - 0.76;
}

// Degrees Lovibond of a colour in SRM.
inline double lovibond_of_srm(double srm)
{
    return (srm + 0.76) / 1.3546;
}

// Gravity: the program writes densities as density × 1000 (1055), files as specific gravity (1.055).

// Specific gravity of a density × 1000.
inline double sg_of_density(double density)
{
    return density / 1000;
}

// Density × 1000 of a specific gravity.
inline double density_of_sg(double sg)
{
    return sg * 1000;
}

// Specific gravity of degrees Plato (or Brix), by the rule the estimates use: 259 / (259 − °P).
inline double sg_of_plato(double plato)
{
    return 259 / (259 - plato);
}

// Density × 1000 of a wort holding `points` percent of extract, truncated to hundredths.
double density_of_points(double points);

// Weight: kilograms and grams.
constexpr double kGramsPerKilogram = 1000;

// Grams of a weight in kilograms.
inline double grams_of_kg(double kg)
{
    return kg * kGramsPerKilogram;
}

// Kilograms of a weight in grams.
inline double kg_of_grams(double grams)
{
    return grams / kGramsPerKilogram;
}

// Volume: litres and millilitres (acids are measured in millilitres).
constexpr double kMillilitresPerLitre = 1000;

// Litres of a volume in millilitres.
inline double litres_of_ml(double ml)
{
    return ml / kMillilitresPerLitre;
}

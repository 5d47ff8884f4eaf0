// calc/bitterness.h — the bitterness of a hop addition: the classic boil-time curve, Tinseth's utilisation,
// and the isomerisation of a hop stand below the boil.
#pragma once

#include "core/keywords.h"

// (e^x − e^−x) / (e^x + e^−x), the exponentials in extended precision.
double hyperbolic_tangent(double x);

// The share of a hop's acids that a boil of `minutes` turns bitter: tanh(minutes × π / 120).
double hop_time_factor(double minutes);

// The wort's hold on that share at a boil gravity (density × 1000): 0.000125^(gravity / 1000 − 1).
double hop_gravity_factor(double boil_gravity);

// IBU of `grams` of a hop of `alpha` % acids in `litres` of wort, before any pellet factor.
inline double hop_ibu(double alpha, double gravity_factor, double time_factor, double grams, double litres)
{
    return alpha * (gravity_factor * time_factor * grams) * 3.98 / litres;
}

// Tinseth's utilisation (a fraction) of a hop boiled `minutes` in wort of specific gravity `sg`:
// 1.65 × 0.000125^(sg − 1) × (1 − e^(−0.04 × minutes)) / 4.15.
double tinseth_utilisation(double sg, double minutes);

// The gravity (density × 1000) Tinseth's curve reads: the average over the boil, from the kettle's wort of
// `kettle_litres` at the start to the end of the boil, the extract being that of `final_litres` at
// `initial_density`. The boil ends `top_up_litres` short of the final volume, that water being poured into
// the fermenter afterwards. The initial density itself when a volume is not positive or the kettle holds
// less than the end of the boil.
double tinseth_boil_gravity(double initial_density, double final_litres, double kettle_litres,
                            double top_up_litres = 0);

// The isomerisation rate at `celsius` relative to a boil at 100 °C (Hosom's mIBU): 2.39 × 10^11 ×
// e^(−9773 / kelvin); 1.00 at 100 °C, 0.23 at 80 °C.
double isomerisation_rate(double celsius);

// What Tinseth's model makes of one hop line: its utilisation and, for a hop stand, the stand's temperature.
struct HopUse {
    double utilisation = 0;    // fraction of the alpha acids in the beer
    double stand_celsius = -1; // the hop stand's temperature; -1 for a hop that is not in one
};

// The utilisation of a first-wort hop (a hop in the kettle while it fills, step RINCAGE) relative to a boil
// hop of the same minutes.
constexpr double kFirstWortBonus = 1.10;

// The use of a hop line of step `step` and time `minutes` in wort of specific gravity `sg`: boil steps and
// any step not named below boil for their minutes; AROMATISATION stands `minutes` at
// `stand_celsius` after flame-out (its isomerisation slowed by the rate above); FERMENTATION is a dry hop
// (0); RINCAGE, a first-wort hop, boils its minutes with a tenth more utilisation.
HopUse tinseth_hop_use(Step step, double minutes, double sg, double stand_celsius);

// IBU of `grams` of a hop of `alpha` % acids at `utilisation` in `litres`: U × alpha × grams × 10 / litres.
inline double ibu_of_utilisation(double utilisation, double alpha, double grams, double litres)
{
    return utilisation * alpha * grams * 10 / litres;
}

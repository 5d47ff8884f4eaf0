// calc/bitterness.h — Tinseth's bitterness of a hop addition: the boil-time curve and the gravity factor.
#pragma once

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

// calc/bitterness.cpp — Tinseth's bitterness of a hop addition: the boil-time curve and the gravity factor.
#include "calc/bitterness.h"

#include "core/brewing_units.h"

#include <cmath>

double hyperbolic_tangent(double x)
{
    // Beyond 20 the result is ±1 to double precision; stopping there keeps huge arguments from giving
    // inf/inf.
    if (x > 20)
        return 1;
    if (x < -20)
        return -1;
    long double up = std::exp(static_cast<long double>(x));
    long double down = std::exp(static_cast<long double>(-x));
    return static_cast<double>((up - down) / (up + down));
}

double hop_time_factor(double minutes)
{
    return hyperbolic_tangent(minutes * 3.14159265 / 120);
}

double hop_gravity_factor(double boil_gravity)
{
    return std::pow(0.000125, sg_of_density(boil_gravity) - 1);
}

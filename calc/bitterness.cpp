// calc/bitterness.cpp — the bitterness of a hop addition: the classic boil-time curve, Tinseth's utilisation
// and the isomerisation of a hop stand.
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

double tinseth_utilisation(double sg, double minutes)
{
    const double bigness = 1.65 * std::pow(0.000125, sg - 1);
    return bigness * (1 - std::exp(-0.04 * minutes)) / 4.15;
}

double tinseth_boil_gravity(double initial_density, double final_litres, double kettle_litres,
                            double top_up_litres)
{
    const double end_of_boil = final_litres - (top_up_litres > 0 ? top_up_litres : 0);
    if (!(end_of_boil > 0) || !(kettle_litres >= end_of_boil) || !(initial_density > 1000))
        return initial_density;
    // The points follow the inverse of the volume: the same extract is in more wort at the start, and in
    // less at the end when water is added after the boil.
    const double points = initial_density - 1000;
    return 1000 + points * (final_litres / end_of_boil + final_litres / kettle_litres) / 2;
}

double isomerisation_rate(double celsius)
{
    return 2.39e11 * std::exp(-9773 / (celsius + 273.15));
}

HopUse tinseth_hop_use(Step step, double minutes, double sg, double stand_celsius)
{
    HopUse use;
    switch (step) {
    case Step::fermentation:
        break; // a dry hop's acids do not isomerise in cold beer
    case Step::aroma:
        // Added at flame-out, the hop starts its own curve, slowed by the cooler wort.
        use.stand_celsius = stand_celsius;
        use.utilisation = isomerisation_rate(stand_celsius) * tinseth_utilisation(sg, minutes);
        break;
    case Step::rinse:
        // A first-wort hop steeps in the warm runnings before the boil: brewing programs count it a tenth
        // above a boil hop of the same time.
        use.utilisation = kFirstWortBonus * tinseth_utilisation(sg, minutes);
        break;
    default:
        use.utilisation = tinseth_utilisation(sg, minutes);
        break;
    }
    return use;
}

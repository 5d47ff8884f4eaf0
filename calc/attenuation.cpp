// calc/attenuation.cpp — the mash model's attenuation of grains and sugars.
#include "calc/attenuation.h"

#include "calc/mash_water.h"

#include <algorithm>
#include <cmath>

double conversion_temperature(const std::vector<MashStep>& steps)
{
    double degree_minutes = 0;
    double minutes = 0;
    for (const MashStep& step : steps) {
        // A protein rest below and a mash-out above make no sugar.
        if (!(step.temperature >= 60 && step.temperature < 75) || !(step.minutes > 0))
            continue;
        degree_minutes += step.temperature * step.minutes;
        minutes += step.minutes;
    }
    return minutes > 0 && std::isfinite(degree_minutes) ? degree_minutes / minutes : 0;
}

double conversion_temperature_of(const Settings& settings)
{
    if (settings.conversion_celsius >= 0)
        return settings.conversion_celsius;
    return conversion_temperature(mash_steps_of(BrewingPlan(), settings));
}

double mashed_attenuation(double attenuation, double conversion_celsius)
{
    if (!(conversion_celsius > 0) || !(attenuation > 0))
        return attenuation;
    const double celsius = std::clamp(conversion_celsius, kConversionLow, kConversionHigh);
    return std::max(0.0, attenuation - kAttenuationPerDegree * (celsius - kNeutralConversionCelsius));
}

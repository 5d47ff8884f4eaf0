// calc/attenuation.h — how far each fermentable ferments under the mash model: the yeast's attenuation moved
// by the temperature at which the grains were converted, and sugars that ferment whole.
#pragma once

#include "core/records.h"

#include <vector>

// The temperature around which the yeasts' stated attenuations hold, °C, and the change per degree away from
// it, in attenuation points: the linear rule that Grainfather publishes and BeerSmith applies (−1.25 % per °F
// around 153.5 °F).
constexpr double kNeutralConversionCelsius = 67.5;
constexpr double kAttenuationPerDegree = 0.0225;
// Past these temperatures the amylases' balance no longer moves the wort's fermentability by the rule.
constexpr double kConversionLow = 62.5;
constexpr double kConversionHigh = 72.5;

// Apparent attenuation of a sugar that ferments entirely: no real extract left, so by Balling's relation
// (real extract = 0.1808 × original + 0.8192 × apparent) the apparent extract falls below zero.
constexpr double kWholeSugarAttenuation = 1 / 0.8192;

// The conversion temperature of a mash: the time-weighted mean of its rests from 60 to 75 °C (the rests where
// the amylases make the wort), 0 when it has none.
double conversion_temperature(const std::vector<MashStep>& steps);

// The conversion temperature the settings hold: the recipe's own when settings_for_recipe put one there, else
// that of the brewery's rests.
double conversion_temperature_of(const Settings& settings);

// The apparent attenuation of mashed grains' extract: the yeast's `attenuation` (a fraction), raised below
// the neutral temperature and lowered above it, the temperature held to the rule's range; the yeast's own
// figure when `conversion_celsius` is not above 0 (no conversion rest) or there is no attenuation to move.
double mashed_attenuation(double attenuation, double conversion_celsius);

// calc/mash_water.h — strike water, infusions, decoctions and sparge of a mash schedule (pure).
#pragma once

#include "core/records.h"

#include <vector>

// The grain's heat capacity relative to the same weight of water.
constexpr double kGrainHeatCapacity = 0.41;
// The temperature of boiling water used for infusions and of a boiled decoction (°C).
constexpr double kBoilingWater = 100;
// The share added to a decoction's computed part for the heat lost on the way back.
constexpr double kDecoctionMargin = 0.15;
// The rinse water's usual temperature: hot enough to thin the wort, below tannin extraction (°C).
constexpr double kSpargeTemperature = 77;

// What the mash is made of: grain, the recipe's mash and rinse water, and the brewery's temperatures.
struct MashInput {
    double grain_kg = 0;
    double mash_litres = 0;  // the recipe's mash water: the strike water
    double rinse_litres = 0; // the recipe's rinse water: infusions come out of it
    double grain_temperature = 20;
    double tun_heat_loss = 0; // °C added to the strike water
    std::vector<MashStep> steps;
};

// One step as the brewer carries it out: for an infusion the boiling water to pour, for a decoction the
// share of the mash to draw and boil (both 0 for the first step and a direct-heat step).
struct MashStepPlan {
    MashStep step;
    double water_litres = 0; // infusion water added at kBoilingWater
    double water_temperature = 0;
    double decoction_share = 0; // fraction of the mash to boil
    double mash_litres = 0;     // water in the tun once the step is reached
};

struct MashPlan {
    double strike_litres = 0;
    double strike_temperature = 0; // 0 when there is no grain or no step
    std::vector<MashStepPlan> steps;
    double sparge_litres = 0;
    double sparge_temperature = 0;
};

// Strike water temperature to reach `rest` °C at `litres_per_kg` water to grain from grain at `grain` °C:
// (0.41 / r) × (rest − grain) + rest.
double strike_temperature(double litres_per_kg, double grain, double rest);

// Litres of water at `water` °C that bring `grain_kg` of grain with `mash_litres` of water from `from` to
// `to` °C: (to − from) × (0.41 × G + W) / (water − to); 0 when the step does not rise or water is not hotter.
double infusion_litres(double from, double to, double grain_kg, double mash_litres, double water);

// Share of the mash to boil to go from `from` to `to` °C, with the margin for losses, at most 1.
double decoction_share(double from, double to);

// The whole schedule: the strike water for the first step, each later step's infusion or decoction, and the
// rinse water that is left once the infusions have been poured.
MashPlan plan_mash(const MashInput& input);

// The recipe's own steps, or else the configuration's rests that have a temperature and last some minutes:
// the first by infusion, the others by direct heat.
std::vector<MashStep> mash_steps_of(const BrewingPlan& plan, const Settings& settings);

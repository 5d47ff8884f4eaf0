// calc/mash_water.cpp — strike water, infusions, decoctions and sparge of a mash schedule (pure).
#include "calc/mash_water.h"

#include <algorithm>

double strike_temperature(double litres_per_kg, double grain, double rest)
{
    if (!(litres_per_kg > 0))
        return 0;
    return kGrainHeatCapacity / litres_per_kg * (rest - grain) + rest;
}

double infusion_litres(double from, double to, double grain_kg, double mash_litres, double water)
{
    if (!(to > from) || !(water > to))
        return 0;
    return (to - from) * (kGrainHeatCapacity * grain_kg + mash_litres) / (water - to);
}

double decoction_share(double from, double to)
{
    if (!(to > from) || !(kBoilingWater > from))
        return 0;
    return std::min(1.0, (to - from) / (kBoilingWater - from) * (1 + kDecoctionMargin));
}

MashPlan plan_mash(const MashInput& in)
{
    MashPlan plan;
    plan.strike_litres = in.mash_litres;
    plan.sparge_litres = in.rinse_litres;
    plan.sparge_temperature = in.rinse_litres > 0 ? kSpargeTemperature : 0;
    if (in.steps.empty())
        return plan;
    if (in.grain_kg > 0 && in.mash_litres > 0)
        plan.strike_temperature =
            strike_temperature(in.mash_litres / in.grain_kg, in.grain_temperature, in.steps[0].temperature) +
            in.tun_heat_loss;
    double litres = in.mash_litres;
    double infused = 0;
    for (size_t k = 0; k < in.steps.size(); k++) {
        MashStepPlan p;
        p.step = in.steps[k];
        if (k > 0) {
            const double from = in.steps[k - 1].temperature;
            if (p.step.kind == MashStepKind::infusion) {
                p.water_litres =
                    infusion_litres(from, p.step.temperature, in.grain_kg, litres, kBoilingWater);
                p.water_temperature = p.water_litres > 0 ? kBoilingWater : 0;
            } else if (p.step.kind == MashStepKind::decoction) {
                p.decoction_share = decoction_share(from, p.step.temperature);
            }
        }
        litres += p.water_litres;
        infused += p.water_litres;
        p.mash_litres = litres;
        plan.steps.push_back(p);
    }
    plan.sparge_litres = std::max(0.0, in.rinse_litres - infused);
    if (!(plan.sparge_litres > 0))
        plan.sparge_temperature = 0;
    return plan;
}

std::vector<MashStep> mash_steps_of(const BrewingPlan& plan, const Settings& s)
{
    if (!plan.mash.empty())
        return plan.mash;
    static const char* const kRestNames[] = {"", "Palier protéinique", "Palier maltose", "Palier dextrines",
                                             "Fin d'empâtage"};
    std::vector<MashStep> steps;
    for (int rest = 1; rest <= 4; rest++) {
        if (!(s.rest_minutes[rest] > 0) || !(s.rest_first[rest] > 0)) // a rest without time or heat is none
            continue;
        MashStep step;
        step.name = kRestNames[rest];
        step.temperature = s.rest_first[rest];
        step.minutes = s.rest_minutes[rest];
        step.kind = steps.empty() ? MashStepKind::infusion : MashStepKind::direct_heat;
        steps.push_back(step);
    }
    return steps;
}

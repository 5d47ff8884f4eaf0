// calc/brew_day.cpp — a recipe's brew day: its mash schedule carried out and its volumes at each stage.
#include "calc/brew_day.h"

BrewDay brew_day(const Estimates& e, const Settings& s, const BrewingPlan& plan)
{
    BrewDay day;
    day.boil_minutes = plan.boil_minutes >= 0 ? plan.boil_minutes : s.boil_minutes;
    MashInput in;
    in.grain_kg = e.malt_kg;
    in.mash_litres = e.mash_water;
    in.rinse_litres = e.rinse_water;
    in.grain_temperature = s.grain_temperature;
    in.tun_heat_loss = s.tun_heat_loss;
    in.steps = mash_steps_of(plan, s);
    day.mash = plan_mash(in);
    day.volumes = stage_volumes(e, s, day.boil_minutes);
    return day;
}

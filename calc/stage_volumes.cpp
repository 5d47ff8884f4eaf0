// calc/stage_volumes.cpp — the wort's volume at each stage of the brew day, and the gravity before the boil.
#include "calc/stage_volumes.h"

#include <algorithm>

StageVolumes stage_volumes(const Estimates& e, const Settings& s, double boil_minutes)
{
    StageVolumes v;
    // The same steps, in the same order, as the final volume of the estimates, so that both agree exactly.
    double pre = e.mash_water - s.loss_mash / 100 * e.mash_water;
    pre = e.rinse_water + pre;
    if (pre > 0)
        pre = pre - s.loss_grain * e.malt_kg;
    double post = s.boil_off_litres_per_hour > 0 ? pre - s.boil_off_litres_per_hour * boil_minutes / 60
                                                 : pre - s.loss_boil / 100 * pre;
    const double cooled = post * (1 - s.cooling_shrinkage / 100);
    double fermenter = cooled;
    if (fermenter > 0)
        fermenter = fermenter - s.loss_hops * e.hop_kg;
    fermenter -= s.kettle_loss;
    v.top_up_litres = std::max(0.0, e.top_up_water);
    v.pre_boil_litres = std::max(0.0, pre);
    v.post_boil_litres = std::max(0.0, post);
    v.fermenter_litres = (fermenter >= 0 ? fermenter : 0) + v.top_up_litres;
    v.packaged_litres = std::max(0.0, v.fermenter_litres - s.fermenter_loss);
    // The sugar in the kettle does not change in the boil: its concentration rises as the cooled volume
    // falls. The initial density is that of the wort once topped up, the boil's being stronger.
    const double boiled = e.final_volume - v.top_up_litres;
    const double strength = v.top_up_litres > 0 ? (boiled > 0 ? e.final_volume / boiled : 0) : 1;
    if (pre > 0 && cooled > 0 && strength > 0 && e.initial_density > 1000)
        v.pre_boil_density = 1000 + (e.initial_density - 1000) * strength * cooled / pre;
    return v;
}

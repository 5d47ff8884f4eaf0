// calc/breakdown.h — each line's share of the estimates shown, and the settings that shaped them.
#pragma once

#include "calc/estimate.h"
#include "core/records.h"

#include <string>
#include <vector>

// One recipe line's part of the figures shown. Shares are in hundredths and percentages in tenths, split so
// that the lines' shares add up exactly to the totals as the results panel writes them.
struct BreakdownLine {
    std::string designation;
    bool fermentable = false;
    bool hop = false;
    double gravity = 0; // points of the initial density (its part of density − 1000)
    double gravity_percent = 0;
    double colour = 0; // EBC
    double colour_percent = 0;
    double ibu = 0;
    double ibu_percent = 0;
    double time_factor = 0;    // hops: the boil-time curve
    double gravity_factor = 0; // hops: the wort's hold on bitterness at the boil gravity
    double utilisation = 0;    // hops: the share of the alpha acids in the beer
    double stand_celsius = -1; // hops under Tinseth's model: a hop stand's temperature, -1 for none
    bool dry_hop = false;      // hops under Tinseth's model: in FERMENTATION, no bitterness
};

// One setting or intermediate figure that the totals depend on.
struct BreakdownSetting {
    const char* key;   // for scripts: efficiency, mash_water, ...
    const char* label; // French
    double value;
    const char* unit; // "%", "L", "L/kg", or ""
};

struct Breakdown {
    Estimates estimates;
    std::vector<BreakdownLine> lines; // one per recipe line, in order
    double gravity_total = 0;         // initial density − 1000 as shown; 0 when no density is shown
    double colour_base = 0;           // the linear scale's 1.75 EBC when a colour is shown, else 0
    double colour_total = 0;          // the colour shown: the lines' shares plus the base
    double ibu_total = 0;             // the bitterness shown
    ColourModel colour_model = ColourModel::linear;
    GravityModel gravity_model = GravityModel::classic;
    BitternessModel bitterness_model = BitternessModel::classic;
    AttenuationModel attenuation_model = AttenuationModel::classic;
    double conversion_celsius = 0; // the mash model's conversion temperature; 0 without a conversion rest
    // What no line's figures can carry (shown estimates of other lines or settings); 0 when the lines'
    // figures are those shown.
    double gravity_unassigned = 0;
    double colour_unassigned = 0;
    double ibu_unassigned = 0;
    std::vector<BreakdownSetting> settings;
};

// The breakdown of lines[0, count) under the settings; touches no global state. The totals split are those
// of `shown` when given (a page showing the estimates of an earlier evaluation), else the lines' own.
Breakdown breakdown(const RecipeLine* lines, size_t count, const Settings& settings, ForcedVolume forced,
                    const Estimates* shown = nullptr);

// Splits `units` among the weights in proportion: whole parts summing exactly to `units`, the largest
// remainders rounded up. All parts are 0 when the weights do not sum to a finite non-zero number, or when
// they nearly cancel out, so that a part would pass 10^15.
std::vector<long long> apportion(long long units, const std::vector<double>& weights);

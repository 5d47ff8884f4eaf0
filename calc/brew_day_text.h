// calc/brew_day_text.h — the French texts of a brew day: each mash step's action and the stage volumes.
#pragma once

#include "calc/brew_day.h"

#include <string>
#include <vector>

// A figure as shown: its French label and its value with unit ("15.2 L").
struct BrewDayRow {
    std::string label;
    std::string value;
};

// The French word of a step's kind: "infusion", "chauffe directe", "décoction".
std::string mash_kind_text(MashStepKind kind);

// What to do to reach a step: "Empâter avec 15 L à 72.3 °C", "Verser 5.07 L d'eau bouillante", "Décocter
// 28 % de la maische", "Chauffer la cuve".
std::string mash_action_text(const MashStepPlan& step, const MashPlan& plan, bool first);

// The water and the volumes at each stage, in brewing order, figures to two decimals; strike figures only
// when there is a schedule.
std::vector<BrewDayRow> brew_day_rows(const BrewDay& day);

// The mash window's figures under its list, one per line: the strike water, the boiling water of the
// infusions when there are some, the rinse water.
std::string mash_summary_text(const MashPlan& plan);

// calc/malt_acidity.h — how acid a mashed grain is: its pH in distilled water, its buffering, and the lactic
// acid an acid malt carries.
#pragma once

#include "core/keywords.h"

#include <string>

// Buffering of a malt when nothing else is known, mEq per kg and per pH unit (deLange's figure).
constexpr double kDefaultMaltBuffering = -40;

// The share of an acid malt's weight that is lactic acid (the maltsters give 2 to 4 %).
constexpr double kAcidMaltLacticFraction = 0.03;

struct MaltAcidity {
    double di_ph = 5.70;                      // the grain alone in distilled water
    double buffering = kDefaultMaltBuffering; // mEq/(kg·pH), negative
    double lactic_fraction = 0;               // of the weight: acid malt only
    const char* kind = "malt de base";        // French, for the breakdown
    bool di_ph_stated = false;                // the DI pH comes from the line's value field
    bool buffering_stated = false;            // the buffering too
};

// The acidity of a grain from its category, name and colour (EBC): roasted 4.71; crystal
// 5.22 − 0.00504 × °L; base by name: Pilsner 5.75, Maris Otter 5.77, six-row 5.79, Vienna 5.56, Munich 5.43,
// wheat 6.04, otherwise 5.70; an acid malt ("acide", "acidulé", "sauer") is a Pilsner malt carrying 3 % of
// lactic acid.
MaltAcidity malt_acidity(Category category, const std::string& designation, double colour_ebc);

// The acidity of a grain line: the DI pH and buffering its value field states (core/stated_acidity.h), each
// in place of the estimate above when present; an acid malt keeps its estimate, its lactic acid being
// counted apart.
MaltAcidity grain_acidity(Category category, const std::string& designation, const std::string& value);

// French, for the breakdown: "malt caramel, pH en eau distillée estimé 4.93", and the buffering when the
// line states it.
std::string acidity_text(const MaltAcidity& acidity);

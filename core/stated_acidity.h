// core/stated_acidity.h — the distilled-water pH and buffering a grain's value field may state after its
// colour: "3.5 PH 5.72" or "3.5 PH 5.72 TAMPON 38" (the buffering in mEq per kg and per pH unit).
#pragma once

#include <string>

// What a value field states; 0 for a figure it does not state (or states out of range).
struct StatedAcidity {
    double di_ph = 0;     // the grain alone in distilled water, 3 to 8
    double buffering = 0; // mEq/(kg·pH), negative as the charge balance counts it; read from either sign
};

// The figures a value field states after its leading number; the words are read whatever their case.
StatedAcidity stated_acidity(const std::string& value);

// True when the text is the acidity part itself ("PH 5.72", "PH 5.72 TAMPON 38"), as it may follow a
// grain's colour in the line dialog.
bool is_acidity_text(const std::string& text);

// The value field with its stated DI pH replaced by `di_ph` (two decimals) and its buffering kept; the field
// unchanged when `di_ph` is out of range.
std::string with_stated_di_ph(const std::string& value, double di_ph);

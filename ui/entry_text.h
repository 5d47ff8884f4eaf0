// ui/entry_text.h — how the text typed into a dialog entry is cleaned before it is stored (no GTK here).
#pragma once

#include <string>

enum EntryMode { ENTRY_PLAIN = 0, ENTRY_NUMBER = 1 };

// Tabs, CRs and LFs become spaces (they would split a recipe file's fields and lines), leading and trailing
// spaces are removed, and for a number commas become points and a-z capitals.
std::string clean_entry_text(const std::string& typed, int mode);

// The numeric fields of the dialogs.
enum class NumberField { quantity, value, yield, time, forced_volume, carbonation, temperature };

// A typed number, checked: the cleaned text to store, or why it is refused.
struct CheckedNumber {
    bool accepted = false;
    std::string text; // cleaned as clean_entry_text does for a number, the unit after one space
    std::string hint; // French, what the field expects; set whether or not the text was accepted
};

// Accepts a text that starts with a plain decimal of at least zero (digits, one comma or point; no sign, no
// exponent) followed by a unit without digits, as the field allows: for a quantity the unit its category
// needs (water "L", grains, sugars, extracts and hops "KG" or "G"; other categories any unit); for the volume
// "L" or nothing; for the carbonation "VOL" or nothing; for a temperature "°C", "C" or nothing; for value,
// yield and time any unit or none.
CheckedNumber check_number_entry(const std::string& typed, NumberField field,
                                 const std::string& category = "");

// A number checked as check_number_entry does and no more than `most`; its value in `number` when accepted.
// The hint then names the bound.
CheckedNumber check_bounded_entry(const std::string& typed, NumberField field, double most, double* number);

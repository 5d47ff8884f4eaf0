// ui/installation_fields.h — where the "Installation…" dialog shows each configuration key and what it
// accepts there (no GTK here).
#pragma once

#include <string>
#include <vector>

// How a key's value is entered: numbers in entries, a word from a list, six colour digits, or free text.
enum class SettingKind { number, word, colour, text };

// One key's place in the dialog and the rule of its fields.
struct SettingRule {
    std::string page;    // the notebook page
    std::string section; // the framed section of that page
    SettingKind kind = SettingKind::text;
    double least[2] = {0, 0}; // numbers: the accepted range of each field (a rest has two)
    double most[2] = {0, 0};
    std::vector<std::string> words; // a word key's choices
    int order = 0;                  // where the key comes among the others of its page
};

// The rule of `key`. A key this table does not know goes to the page "Autres réglages": a number without
// bounds when it has a unit, free text otherwise.
SettingRule setting_rule(const std::string& key, const std::string& unit);

// The pages of the dialog, left to right ("Autres réglages" last, shown only when a key goes there).
std::vector<std::string> installation_pages();

// What a typed field gives: the text to hand to set_configuration_value, or why it is refused.
struct CheckedSetting {
    bool accepted = false;
    std::string text;
    std::string hint; // French: what the field expects; set whether or not the text was accepted
};

// Checks field `field` (0 or 1) of the key labelled `label` with unit `unit` (a rest's "°C, min" gives
// one unit per field). A number: a plain decimal, comma or point, a sign only where the range goes below
// zero, followed by nothing or the field's own unit, inside the range. A colour: three or six hexadecimal
// digits, a "#" before them allowed. A word: one of the rule's words, any case. Text: anything but "#"
// (it would make the line a comment) and "," (the file reads it as a point).
CheckedSetting check_setting_field(const SettingRule& rule, const std::string& label, const std::string& unit,
                                   size_t field, const std::string& typed);

// The unit of field `field` of a key whose unit text is `unit` ("°C, min" holds one unit per field).
std::string field_unit(const std::string& unit, size_t field);

// A sentence said under a section's title, in French, for what its keys alone do not tell; "" for most.
std::string section_note(const std::string& section);

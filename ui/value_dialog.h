// ui/value_dialog.h — the small dialog that asks one value (a volume, the carbonation, the title) and hands
// it to the command that asked for it.
#pragma once

#include <functional>
#include <string>

// The entry as the command gets it.
struct EnteredValue {
    double number = 0; // read as a number, commas taken as points; 0 when it holds none
    std::string text;  // trimmed, as typed
};

// What a command does with the value.
using ValueAction = std::function<void(const EnteredValue& value)>;

// What the entry must hold: any text, or a volume ("L" or no unit) or a carbonation ("VOL" or no unit); for
// a water profile the entry is a list of the bundled profiles (ui/profile_picker.h) and the text the name
// picked.
enum class ValueKind { text, volume, carbonation, water_profile };

// Opens the value dialog with a prompt and the start text (shown after one space). "Valider" (or Entrée)
// closes it, runs `action` and refreshes the window; a volume or a carbonation that is not a number is marked
// and explained instead, and nothing changes. "Annuler" and Échap close it and change nothing.
void open_value_dialog(const std::string& prompt, const std::string& start_text, ValueKind kind,
                       ValueAction action);

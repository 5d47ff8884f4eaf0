// calc/entered_value.h — what validating the value entry dialog does to the recipe, without the dialog.
#pragma once

#include <string>

enum ValuePurpose { VALUE_FORCED_VOLUME = 1, VALUE_CARBONATION = 2, VALUE_TITLE = 3, VALUE_SCALE_VOLUME = 4 };

// Applies an entered value for its purpose. `number_text` is the entry read as a number (trimmed, points,
// capitals), `plain_text` the entry trimmed. Gives the carbonation message for VALUE_CARBONATION
// ("Pour une carbonatation de ... :" and the priming), for VALUE_SCALE_VOLUME the reason the recipe could not
// be brought to that volume, "" otherwise.
std::string apply_entered_value_effects(int purpose, const std::string& number_text,
                                        const std::string& plain_text);

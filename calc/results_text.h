// calc/results_text.h — the texts of the results panel, built from the estimates and the style (the GUI
// only sets them).
#pragma once

#include "calc/brew_day.h"
#include "core/records.h"

#include <string>

// The eighteen labels of the estimates, then the mash pH's, then the brew day's water and volumes.
constexpr int kResultLabels = 21;

struct ResultsText {
    std::string labels[kResultLabels + 1]; // labels 1 to kResultLabels in Pango markup; [0] unused
    // " " + name, category or description, escaped for Pango markup (set it through a markup label).
    std::string style_button;
    bool style_button_changes = true; // false: another display mode leaves the button as it is
};

// The label texts and the style button text for the estimates `e` under `style`, the settings'
// range colours, the style's text the button shows (0 name, 1 category, 2 description) and whether the
// volume is forced.
ResultsText results_text(const Estimates& e, const StyleEntry& style, const Settings& settings,
                         int style_display_mode, bool volume_forced);

// "<", ">" and "&" written as entities, so that a text from a file never breaks the markup.
std::string escape_markup(const std::string& text);

// Fills labels 20 and 21 with the brew day's water (mash and rinse) and its volumes before the boil, after it
// and into the fermenter.
void add_brew_day_labels(ResultsText& texts, const BrewDay& day);

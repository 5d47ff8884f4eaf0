// calc/format.h — the beer colour scale and the style range colours of the displayed figures.
#pragma once

#include "core/records.h"
#include "core/text.h" // format_decimals, which writes the figures these colours go with

#include <string>

// "#RRGGBB" of the 42-colour scale for a colour in EBC (index = EBC × 0.508 rounded); "" below 0.
std::string ebc_to_colour(int ebc);

// "#000" inside [min, max], "#" + the settings' colour_min below (or undefined), "#" + colour_max above.
std::string range_colour(double x, double min, double max, const Settings& settings);

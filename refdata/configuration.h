// refdata/configuration.h — reads "configuration.txt" of the bases folder into the settings.
#pragma once

#include "core/records.h"

#include <string>

// Reads the keys; a missing file leaves every setting at 0 or empty.
void load_configuration();

// Reads the keys from the configuration file at `path` (tools that are given their own folder);
// false, every setting left as it was, when the file cannot be opened.
bool load_configuration_file(const std::string& path);

// The colour model a MODELE_COULEUR value names: "MOREY" (any case, blanks around it ignored) is Morey's,
// anything else (LINEAIRE, empty, unknown) the linear rule.
ColourModel colour_model_named(const std::string& text);

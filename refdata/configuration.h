// refdata/configuration.h — reads "configuration.txt" of the bases folder into the settings.
#pragma once

#include <string>

// Reads the eighteen keys; a missing file leaves every setting at 0 or empty.
void load_configuration();

// Reads the eighteen keys from the configuration file at `path` (tools that are given their own folder);
// false, every setting left as it was, when the file cannot be opened.
bool load_configuration_file(const std::string& path);

// refdata/configuration_write.h — writes changed settings back into a configuration file, keeping the rest.
#pragma once

#include "core/records.h"
#include "refdata/configuration.h"

#include <string>
#include <vector>

// The configuration text `old` with each key of `changed` given its new value fields: every record line of
// that key is rewritten in place (keeping its line end), and a key the text lacks is added at the end under
// a comment naming it. Comments, blank lines, unknown keys and their order are kept byte for byte.
std::string configuration_text_with(const std::string& old, const std::vector<ConfigurationValue>& changed);

// The keys whose value texts differ between `before` and `after`.
std::vector<ConfigurationValue> changed_configuration_values(const Settings& before, const Settings& after);

// Writes the keys changed from `before` to `after` into the configuration file at `path` (created when
// absent) through the safe file writer; false, with a French reason in `why` when not null, on failure.
bool save_configuration_file(const std::string& path, const Settings& before, const Settings& after,
                             std::string* why);

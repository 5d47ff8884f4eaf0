// refdata/brewer_configuration.h — the configuration file in use, written from the settings dialog and read
// again so that every estimate follows at once.
#pragma once

#include "core/records.h"

#include <string>

// The configuration file in use: "configuration.txt" of data_folders().bases.
std::string configuration_path();

// Writes the keys changed from `before` to `after` into the configuration in use, keeping its comments and
// unknown lines. A file not there yet starts as the shared configuration it stands for (when the bases are
// the brewer's copy of shared ones), so that its comments and other keys are not lost. False, the file as
// it was, with a French reason in `why` when not null, on failure.
bool save_brewer_configuration(const Settings& before, const Settings& after, std::string* why);

// Reads the configuration in use again as start-up does: every setting back to its start value first, so a
// key taken out of the file stops counting. Gives load_configuration's warning.
std::string reload_configuration();

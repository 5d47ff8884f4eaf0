// refdata/configuration.h — reads "configuration.txt" of the bases folder into the settings.
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

// Reads the keys of the configuration in use (data_folders().bases). One that sets no known key (missing,
// empty, binary, cut short) leaves every setting at 0 or empty; one that lacks some of the eighteen keys
// leaves those at 0 or empty. But when the bases in use are the brewer's copy of shared ones
// (DataFolders::shared_bases), the shared configuration's values stand in for whatever it lacks. Gives a
// French warning naming the file in those cases, "" otherwise (and for a file of its own lacking keys).
std::string load_configuration();

// Reads the keys from the configuration file at `path` (tools that are given their own folder);
// false, every setting left as it was, when the file cannot be opened.
bool load_configuration_file(const std::string& path);

// The colour model a MODELE_COULEUR value names: "MOREY" (any case, blanks around it ignored) is Morey's,
// anything else (LINEAIRE, empty, unknown) the linear rule.
ColourModel colour_model_named(const std::string& text);

// The gravity model a MODELE_DENSITE value names: "EXTRAIT" (any case, blanks around it ignored) is the
// extract model, anything else the classic rule.
GravityModel gravity_model_named(const std::string& text);

// The bitterness model a MODELE_AMERTUME value names: "TINSETH" (any case, blanks around it ignored) is
// Tinseth's, anything else the classic rule.
BitternessModel bitterness_model_named(const std::string& text);

// The attenuation model a MODELE_ATTENUATION value names: "EMPATAGE" (any case, blanks around it ignored) is
// the mash model, anything else the classic rule.
AttenuationModel attenuation_model_named(const std::string& text);
// One key of the configuration as the settings dialog shows it and the writer writes it: its French label,
// its unit, and the texts of its value fields (two for a rest: temperature and minutes).
struct ConfigurationValue {
    std::string key;
    std::string label;
    std::string unit;
    std::vector<std::string> fields;
};

// Every key the settings hold, in the order of the bundled configuration, with the texts of `s`'s values.
std::vector<ConfigurationValue> configuration_values(const Settings& s);

// Sets `key` in `s` from its value fields, read as the configuration file reads them; false for an unknown
// key.
bool set_configuration_value(Settings& s, const std::string& key, const std::vector<std::string>& fields);

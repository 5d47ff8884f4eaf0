// refdata/water_profiles.h — reads "eaux.txt" of the bases folder: the water profiles, and finds one by name.
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

// The profile of one record line (name, Ca, Mg, Na, SO4, Cl, HCO3, pH), its key the folded name; false for a
// line without a name.
bool parse_water_profile(const std::string& line, WaterProfile& profile);

// The profiles of the file at `path`, in file order; none when it cannot be read.
std::vector<WaterProfile> read_water_profiles(const std::string& path);

// The profiles of the bases folder, read at the first call and kept.
const std::vector<WaterProfile>& water_profiles();

// Reads the bases folder's profiles again (after the folder changed).
void load_water_profiles();

// The profile named `name` (case and accents' case aside, blanks around ignored); null when none is.
const WaterProfile* find_water_profile(const std::vector<WaterProfile>& profiles, const std::string& name);

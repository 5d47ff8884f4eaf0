// refdata/ph_correction.h — the brewery's mash pH measurements, and the correction kept from them in the
// configuration (key CORRECTION_PH).
#pragma once

#include <string>

// Appends one measurement (the recipe's title, the pH measured, the pH the model gave before correction) to
// the measurements file at `path`; false when it cannot be written.
bool add_ph_measurement(const std::string& path, const std::string& title, double measured, double model);

// The mean of measured − model over the file's measurements, and their number in `count`; 0 without any.
double mean_ph_difference(const std::string& path, int* count);

// The configuration text with its CORRECTION_PH line set to `correction` (added at the end, with a comment,
// when it has none).
std::string with_ph_correction(const std::string& configuration, double correction);

// Writes the correction into the configuration file at `path`; false, with the French reason, when it fails.
bool write_ph_correction(const std::string& path, double correction, std::string* why);

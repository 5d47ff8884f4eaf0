// refdata/reference_line.h — which lines of a reference file hold a record, and the walk over them.
#pragma once

#include <functional>
#include <string>

// True when a reference-file line holds a record: longer than 4 bytes, no "#" anywhere, no tab first.
bool is_reference_line(const std::string& line);

// Hands each record line of the file to `handle`, in file order; false when the file is not a regular
// file, cannot be opened, or could not be read to its end (the lines before the failure are handed over).
bool for_each_reference_line(const std::string& path, const std::function<void(const std::string&)>& handle);

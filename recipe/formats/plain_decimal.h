// recipe/formats/plain_decimal.h — numbers as other programs' recipe files want them.
#pragma once

#include <string>

// `x` with at most `decimals` decimals, a point whatever the locale, no trailing zeros, never "-0"; 0 for
// what is not a finite number, which no format can hold.
std::string plain_decimal(double x, int decimals);

// calc/plain_number.h — the numbers a brewer writes on the command line: plain decimals, point or comma.
#pragma once

#include <string>

// Reads the whole text (blanks at either end allowed) as an optional sign, digits and at most one decimal
// point or comma; false for anything else: an exponent, hexadecimal, "inf", letters after the number.
bool read_plain_number(const std::string& text, double* value);

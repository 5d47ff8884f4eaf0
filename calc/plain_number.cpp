// calc/plain_number.cpp — the numbers a brewer writes on the command line: plain decimals, point or comma.
#include "calc/plain_number.h"

#include <glib.h>

#include <cmath>

bool read_plain_number(const std::string& text, double* value)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return false;
    std::string number = text.substr(first, text.find_last_not_of(' ') - first + 1);
    size_t i = number[0] == '-' || number[0] == '+' ? 1 : 0;
    size_t digits = 0;
    bool separator = false;
    for (; i < number.size(); i++) {
        if (g_ascii_isdigit(number[i])) {
            digits++;
        } else if ((number[i] == '.' || number[i] == ',') && !separator) {
            separator = true;
            number[i] = '.';
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    // So many digits that the number is not finite is no brewing figure either.
    const double read = g_ascii_strtod(number.c_str(), nullptr);
    if (!std::isfinite(read))
        return false;
    *value = read;
    return true;
}

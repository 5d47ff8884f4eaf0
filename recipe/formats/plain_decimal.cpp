// recipe/formats/plain_decimal.cpp — a locale-free decimal through GLib.
#include "recipe/formats/plain_decimal.h"

#include <glib.h>

#include <cmath>

std::string plain_decimal(double x, int decimals)
{
    if (!std::isfinite(x))
        x = 0;
    char buffer[G_ASCII_DTOSTR_BUF_SIZE + 64];
    char format[8];
    g_snprintf(format, sizeof format, "%%.%df", decimals);
    g_ascii_formatd(buffer, sizeof buffer, format, x);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

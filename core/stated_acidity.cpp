// core/stated_acidity.cpp — reads and writes the "PH x TAMPON y" words that may follow a grain's colour.
#include "core/stated_acidity.h"

#include "core/text.h"

#include <glib.h>

#include <cmath>
#include <vector>

namespace
{

constexpr double kLowestDiPh = 3;
constexpr double kHighestDiPh = 8;
constexpr double kMostBuffering = 200; // mEq/(kg·pH): measured malts stay far below

std::vector<std::string> words_of(const std::string& text)
{
    std::vector<std::string> words;
    gchar** split = g_strsplit(upper_ascii(text).c_str(), " ", -1);
    for (gchar** w = split; *w; w++)
        if (**w)
            words.push_back(*w);
    g_strfreev(split);
    return words;
}

// The number a whole word is, or NaN: "5.72" and "5,72" are numbers, "5.72X" is not.
double word_number(const std::string& word)
{
    const std::string text = commas_to_points(word);
    char* end = nullptr;
    const double x = g_ascii_strtod(text.c_str(), &end);
    return end && *end == '\0' && end != text.c_str() && std::isfinite(x) ? x : NAN;
}

// Reads "PH x [TAMPON y]" from words[first]; false when the words are anything else.
bool read_acidity(const std::vector<std::string>& words, size_t first, StatedAcidity& stated)
{
    size_t k = first;
    if (k + 1 < words.size() && words[k] == "PH") {
        const double ph = word_number(words[k + 1]);
        if (std::isnan(ph))
            return false;
        if (ph >= kLowestDiPh && ph <= kHighestDiPh)
            stated.di_ph = ph;
        k += 2;
    }
    if (k + 1 < words.size() && words[k] == "TAMPON") {
        const double a = word_number(words[k + 1]);
        if (std::isnan(a))
            return false;
        if (a != 0 && std::fabs(a) <= kMostBuffering)
            stated.buffering = -std::fabs(a);
        k += 2;
    }
    return k == words.size() && k > first;
}

} // namespace

StatedAcidity stated_acidity(const std::string& value)
{
    // Most values are a colour alone: they state nothing, and the estimate reads them at every change.
    if (value.find(' ') == std::string::npos)
        return StatedAcidity{};
    const std::vector<std::string> words = words_of(value);
    StatedAcidity stated;
    if (words.empty() || std::isnan(word_number(words[0])) || !read_acidity(words, 1, stated))
        return StatedAcidity{};
    return stated;
}

bool is_acidity_text(const std::string& text)
{
    StatedAcidity ignored;
    return read_acidity(words_of(text), 0, ignored);
}

std::string with_stated_di_ph(const std::string& value, double di_ph)
{
    if (!(di_ph >= kLowestDiPh && di_ph <= kHighestDiPh))
        return value;
    const std::vector<std::string> words = words_of(value);
    StatedAcidity before;
    // Only a colour, with or without an acidity, takes the pH: other words are left as they are.
    if (words.empty() || std::isnan(word_number(words[0])) ||
        (words.size() > 1 && !read_acidity(words, 1, before)))
        return value;
    std::string text = words[0];
    text += " PH " + format_decimals(di_ph, 2);
    if (before.buffering != 0)
        text += " TAMPON " + format_decimals(-before.buffering, 1);
    return text;
}

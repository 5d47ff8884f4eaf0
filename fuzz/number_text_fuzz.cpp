// fuzz/number_text_fuzz.cpp — number text rules on any bytes: reading, writing, rounding, and their round
// trips.
#include "calc/evaluate.h"
#include "calc/bitterness.h"
#include "calc/format.h"
#include "calc/plain_number.h"
#include "calc/targets.h"
#include "core/text.h"
#include "core/workspace.h"
#include "fuzz_support.h"
#include "ui/entry_text.h"

#include <glib.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

static std::string described(double x, const std::string& text)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g -> ", x);
    return buffer + text;
}

// Written numbers never show "nan" or "inf"; a finite number reads back within the 16 digits it was written
// with, and writing what was read gives the same text again. (Sixteen digits do not always give the number
// back even when fifteen would: just above a power of two, such as 2^149, the 16-digit text lies nearer the
// double below it.)
static void check_number_to_text(double x)
{
    const std::string text = number_to_text(x);
    if (text.empty() || holds_non_number(text))
        property_failed("number_to_text wrote no number", described(x, text));
    if (!std::isfinite(x)) {
        if (text != "0")
            property_failed("a number that is not finite is not written 0", described(x, text));
        return;
    }
    const double back = text_to_number(text);
    if (!std::isfinite(back))
        property_failed("a finite number reads back as an infinite one", described(x, text));
    if (std::fabs(back - x) > 1e-15 * std::fabs(x) + 1e-323)
        property_failed("a number reads back beyond 16 digits of precision", described(x, text));
    if (number_to_text(back) != text)
        property_failed("writing the number read back changes the text", described(x, text));
    if (x == std::floor(x) && std::fabs(x) <= 9007199254740992.0) {
        if (back != x || text.find_first_not_of("-0123456789") != std::string::npos)
            property_failed("an integer is not written as its digits", described(x, text));
    }
}

// Rounding to 0-3 decimals: at most d digits after the point, and the text reads back as x to within half
// a unit of the last decimal (plus the double's own precision).
static void check_format_decimals(double x)
{
    if (!format_decimals(x, -1).empty())
        property_failed("format_decimals wrote something for a negative count", described(x, ""));
    static const double kHalfUnit[4] = {0.5, 0.05, 0.005, 0.0005};
    for (int d = 0; d <= 5; d++) {
        const std::string text = format_decimals(x, d);
        if (text.empty() || holds_non_number(text))
            property_failed("format_decimals wrote no number", described(x, text));
        if (!std::isfinite(x) || std::fabs(x) > 1e300)
            continue;
        const int decimals = d > 3 ? 0 : d;
        const size_t point = text.find('.');
        if (point != std::string::npos && text.find('e') == std::string::npos &&
            text.size() - point - 1 > static_cast<size_t>(decimals))
            property_failed("format_decimals wrote too many decimals", described(x, text));
        const double back = text_to_number(text);
        if (std::fabs(back - x) > kHalfUnit[decimals] + 1e-15 * std::fabs(x) + 1e-12)
            property_failed("format_decimals wrote a number too far from its value", described(x, text));
    }
}

static void check_number(double x)
{
    check_number_to_text(x);
    check_format_decimals(x);
    const double tanh = hyperbolic_tangent(x);
    if (!std::isnan(x) && !(tanh >= -1 && tanh <= 1))
        property_failed("hyperbolic_tangent left [-1, 1]", described(x, number_to_text(tanh)));
}

// What the value dialog stores from the same text: a finite volume, a carbonation and its message written
// with numbers, a title on one line.
static void check_entered_value(const std::string& typed)
{
    const std::string number_text = clean_entry_text(typed, ENTRY_NUMBER);
    const std::string plain_text = clean_entry_text(typed, ENTRY_PLAIN);
    // Only what the dialog's purposes touch is reset: a whole workspace per input would halve the speed.
    ws.line_count = 0;
    ws.volume_forced = 0;
    ws.forced_volume = 0;
    ws.estimates = Estimates();
    ws.estimates.final_volume = 20;
    // The value dialog hands its commands the entry read with its commas turned into points.
    const double number = text_to_number(commas_to_points(number_text));
    set_forced_volume_on_screen(number);
    if (!std::isfinite(ws.forced_volume) || ws.forced_volume < 0 ||
        (ws.volume_forced == 1) != (ws.forced_volume > 0))
        property_failed("the forced volume entered is not a volume",
                        described(ws.forced_volume, number_text));
    const std::string message = set_carbonation_on_screen(number);
    if (holds_non_number(ws.carbonation) || holds_non_number(message))
        property_failed("the carbonation entered is written with no number", ws.carbonation + "\n" + message);
    set_title_on_screen(plain_text);
    if (ws.title.find_first_of("\t\r\n") != std::string::npos)
        property_failed("the title entered would split its line of the recipe file", ws.title);
}

// A mash step's temperature as its window reads it: accepted only as a finite number from 0 to the bound.
static void check_step_temperature(const std::string& typed)
{
    double value = -1;
    const CheckedNumber checked = check_bounded_entry(typed, NumberField::temperature, 100, &value);
    if (checked.accepted && !(value >= 0 && value <= 100))
        property_failed("a step temperature out of 0 to 100 was accepted", described(value, typed));
    if (!checked.accepted && value != -1)
        property_failed("a refused step temperature was given a value", described(value, typed));
}

// The rule read the plain way, as a reference for the reader's fast paths: leading blanks skipped, the
// "&" integers left aside, "d" read as "e", then strtod in the "C" locale on what is left.
static void check_text_to_number(const std::string& text)
{
    const std::string up_to_nul = text.substr(0, text.find('\0'));
    const size_t start = up_to_nul.find_first_not_of(' ');
    if (start == std::string::npos || up_to_nul[start] == '&')
        return;
    std::string rest = up_to_nul.substr(start);
    for (char& c : rest) {
        if (c == 'd')
            c = 'e';
        else if (c == 'D')
            c = 'E';
    }
    const double expected = g_ascii_strtod(rest.c_str(), nullptr);
    const double got = text_to_number(text);
    const bool same = std::isnan(expected) ? std::isnan(got)
                                           : got == expected && std::signbit(got) == std::signbit(expected);
    if (!same)
        property_failed("text_to_number differs from strtod of the text", described(got, text));
}

// What the command line accepts: a plain number is finite and written with digits, a sign and a separator
// only; a list of targets holds only values that may be sought.
static void check_command_line_numbers(const std::string& text)
{
    double value = NAN;
    if (read_plain_number(text, &value) &&
        (!std::isfinite(value) || text.find_first_not_of(" +-0123456789.,") != std::string::npos))
        property_failed("read_plain_number took more than a plain decimal", described(value, text));
    Targets t;
    if (!parse_targets(text, t, nullptr))
        return;
    const struct {
        bool on;
        Aim which;
        double value;
    } sought[] = {
        {t.og_on, Aim::density, t.og}, {t.ebc_on, Aim::colour, t.ebc}, {t.ibu_on, Aim::bitterness, t.ibu}};
    for (const auto& s : sought)
        if (s.on && (!std::isfinite(s.value) || !target_value_problem(s.which, s.value).empty()))
            property_failed("parse_targets took a value that makes no sense", described(s.value, text));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    check_text_to_number(text);
    check_number(text_to_number(text));
    check_number(text_to_number(commas_to_points(text)));
    check_entered_value(text);
    check_step_temperature(text);
    check_command_line_numbers(text);
    // Every bit pattern of a double, the ones no text gives (payloads, the largest finite) included.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        check_number(raw);
    }
    return 0;
}

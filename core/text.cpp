// core/text.cpp — line reading and writing, tab fields, decimal commas and number text, in the "C" locale.
#include "core/text.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <glib.h>

FILE* open_text_file(const std::string& path, const char* mode)
{
    std::string unix_path = path;
    for (char& c : unix_path)
        if (c == '\\')
            c = '/';
    return std::fopen(unix_path.c_str(), mode);
}

bool read_text_line(FILE* file, std::string& line)
{
    line.clear();
    if (!file)
        return false;
    char* buffer = nullptr;
    size_t capacity = 0;
    ssize_t length = getline(&buffer, &capacity, file);
    if (length > 0 && buffer[length - 1] == '\n')
        length--;
    // A CR before the LF, or a CR that ends the file, belongs to the line end; any other CR stays.
    if (length > 0 && buffer[length - 1] == '\r')
        length--;
    if (length >= 0)
        line.assign(buffer, static_cast<size_t>(length));
    std::free(buffer);
    return length >= 0;
}

void write_text_line(FILE* file, const std::string& text)
{
    if (!file)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
}

std::string commas_to_points(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c == ',')
            c = '.';
    return result;
}

std::string tab_field(const std::string& line, int n)
{
    if (n < 1)
        return std::string();
    // The readers take every field of every line this way, so the field is copied once and its commas
    // turned into points in the copy.
    const char* start = line.data();
    const char* const end = start + line.size();
    for (int field = 1; field < n; field++) {
        const void* tab = std::memchr(start, '\t', static_cast<size_t>(end - start));
        if (!tab)
            return std::string();
        start = static_cast<const char*>(tab) + 1;
    }
    const void* tab = std::memchr(start, '\t', static_cast<size_t>(end - start));
    std::string field(start, tab ? static_cast<const char*>(tab) : end);
    for (char& c : field)
        if (c == ',')
            c = '.';
    return field;
}

static double integer_of_base(const char* digits, int base)
{
    // Summed in a double so that any number of digits stays defined (40 hex digits give a large number).
    double value = 0;
    for (const char* p = digits; *p; p++) {
        int digit;
        if (*p >= '0' && *p <= '9')
            digit = *p - '0';
        else if (*p >= 'a' && *p <= 'f')
            digit = *p - 'a' + 10;
        else if (*p >= 'A' && *p <= 'F')
            digit = *p - 'A' + 10;
        else
            break;
        if (digit >= base)
            break;
        value = value * base + digit;
    }
    return value;
}

static bool may_be_in_number(char c)
{
    return c != '\0' && (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("+-._()", c) != nullptr);
}

// The value of a plain decimal ("5", "2.40", "-0.005"), the commonest number text by far, without strtod:
// a mantissa of at most 15 digits is exact in a double, and so is 10^k for k up to 22, so their quotient
// is rounded once, exactly as strtod rounds. False for anything else (exponents, hex, long mantissas).
static inline bool plain_decimal(const char* p, double& result)
{
    static const double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        p++;
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    for (; *p >= '0' && *p <= '9'; p++, digits++)
        mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    if (*p == '.')
        for (p++; *p >= '0' && *p <= '9'; p++, digits++, decimals++)
            mantissa = mantissa * 10 + static_cast<uint64_t>(*p - '0');
    // An exponent ("e", or "d" read as "e") or a hex prefix would carry the number on.
    if (digits == 0 || digits > 15 || *p == 'e' || *p == 'E' || *p == 'd' || *p == 'D' || *p == 'x' ||
        *p == 'X')
        return false;
    double magnitude = static_cast<double>(mantissa);
    if (decimals > 0) // most texts are whole numbers, and a division is slow
        magnitude /= kPowersOfTen[decimals];
    result = negative ? -magnitude : magnitude;
    return true;
}

// Every form but the plain decimal: "&H", "&O", "&B" integers, exponents, "d" read as "e", hex, inf, nan.
static double __attribute__((noinline)) number_of_other_forms(const char* rest)
{
    if (rest[0] == '&') {
        switch (rest[1]) {
        case 'H':
        case 'h':
            return integer_of_base(rest + 2, 16);
        case 'O':
        case 'o':
            return integer_of_base(rest + 2, 8);
        case 'B':
        case 'b':
            return integer_of_base(rest + 2, 2);
        default:
            break;
        }
    }
    // strtod can consume no more than its own leading white space and one run of number-like bytes; only
    // when that run holds a "d" must it be copied (a field may be megabytes long, and this runs per line).
    size_t length = 0;
    bool has_d = false;
    while (rest[length] == ' ' || (rest[length] >= '\t' && rest[length] <= '\r'))
        length++;
    for (; may_be_in_number(rest[length]); length++)
        has_d = has_d || rest[length] == 'd' || rest[length] == 'D';
    // g_ascii_strtod is strtod in the "C" locale whatever the process locale is.
    if (!has_d)
        return g_ascii_strtod(rest, nullptr);
    std::string number(rest, length);
    for (char& c : number) {
        if (c == 'd')
            c = 'e';
        else if (c == 'D')
            c = 'E';
    }
    return g_ascii_strtod(number.c_str(), nullptr);
}

double text_to_number(const std::string& text)
{
    // The text is NUL-terminated, and a NUL among the bytes ends the number for strtod as well.
    const char* rest = text.c_str();
    while (*rest == ' ')
        rest++;
    // Most fields that mean nothing for their line are empty: strtod would make the same 0 much more slowly.
    if (*rest == '\0')
        return 0;
    double plain;
    if (plain_decimal(rest, plain))
        return plain;
    return number_of_other_forms(rest);
}

std::string number_to_text(double number)
{
    if (!std::isfinite(number))
        return "0";
    char buffer[64];
    g_ascii_formatd(buffer, sizeof buffer, "%.16g", number);
    // Two rare texts of the exponent form would not read back as written. Near the largest double, 16 digits
    // round past it and would read as infinite: 17 name it exactly. A power of ten such as 1e+23 may read as
    // the double just below it, whose own text is 9.999999999999999e+22: that text is written instead, so
    // that a number read from a saved file is saved again with the same text.
    if (std::strchr(buffer, 'e')) {
        const double back = g_ascii_strtod(buffer, nullptr);
        if (std::isinf(back))
            g_ascii_formatd(buffer, sizeof buffer, "%.17g", number);
        else if (back != number)
            g_ascii_formatd(buffer, sizeof buffer, "%.16g", back);
    }
    std::string text = buffer;
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string upper_ascii(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string path_base_name(const std::string& path)
{
    size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string format_decimals(double x, int d)
{
    if (d < 0)
        return "";
    if (d == 0 || d > 3)
        return number_to_text(std::floor(x + 0.5));
    static const double kScale[4] = {1, 10, 100, 1000};
    double rounded = std::floor((x + 0.5 / kScale[d]) * kScale[d]) / kScale[d];
    // From 1e15 on no decimal is left within 16 digits (and the exponent form must stay whole).
    if (!(std::fabs(rounded) < 1e15))
        return number_to_text(rounded);
    // The division leaves the double nearest to the rounded decimal, often just below it (66.6 is
    // 66.599999999999994): cutting its 16 digits would lose a unit, printing d decimals names it. Large
    // numbers get fewer decimals, so that no more than 16 digits are written.
    static const double kDecimalsBelow[4] = {0, 1e15, 1e14, 1e13};
    int decimals = d;
    while (decimals > 0 && std::fabs(rounded) >= kDecimalsBelow[decimals])
        decimals--;
    static const char* const kFixed[4] = {"%.0f", "%.1f", "%.2f", "%.3f"};
    char buffer[64];
    g_ascii_formatd(buffer, sizeof buffer, kFixed[decimals], rounded);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

bool mentions(const std::string& text, std::initializer_list<const char*> words)
{
    for (const char* w : words)
        if (text.find(w) != std::string::npos)
            return true;
    return false;
}

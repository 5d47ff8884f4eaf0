// core/text.cpp — line reading and writing, tab fields, decimal commas and number text, in the "C" locale.
#include "core/text.h"

#include <cctype>
#include <cmath>
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
    static char* buffer = nullptr;
    static size_t capacity = 0;
    ssize_t length = getline(&buffer, &capacity, file);
    if (length <= 0)
        return false;
    if (buffer[length - 1] == '\n')
        length--;
    // A CR before the LF, or a CR that ends the file, belongs to the line end; any other CR stays.
    if (length > 0 && buffer[length - 1] == '\r')
        length--;
    line.assign(buffer, static_cast<size_t>(length));
    return true;
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
    size_t start = 0;
    for (int field = 1; field < n; field++) {
        size_t tab = line.find('\t', start);
        if (tab == std::string::npos)
            return std::string();
        start = tab + 1;
    }
    size_t end = line.find('\t', start);
    if (end == std::string::npos)
        end = line.size();
    return commas_to_points(line.substr(start, end - start));
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

double text_to_number(const std::string& text)
{
    size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos)
        return 0;
    const char* rest = text.c_str() + start;
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

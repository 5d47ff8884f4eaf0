// core/display_text.cpp — display conversion of texts that may not be UTF-8, and the window title text.
#include "core/display_text.h"

#include "core/text.h"

#include <glib.h>

#include <algorithm>

// Windows-1252's characters for the bytes 0x80 to 0x9F (0 where it assigns none); from 0xA0 on it is
// Latin-1, whose bytes are their own code points.
static const gunichar kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

static gunichar windows_1252_character(unsigned char byte)
{
    if (byte < 0x80 || byte >= 0xA0)
        return byte;
    const gunichar c = kWindows1252[byte - 0x80];
    return c ? c : 0xFFFD;
}

std::string utf8_text(const std::string& bytes, size_t* converted)
{
    if (converted)
        *converted = 0;
    if (g_utf8_validate(bytes.data(), static_cast<gssize>(bytes.size()), nullptr))
        return bytes;
    std::string shown;
    shown.reserve(bytes.size() + bytes.size() / 2);
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* invalid = nullptr;
        g_utf8_validate(p, end - p, &invalid);
        shown.append(p, invalid);
        if (invalid == end)
            break;
        char utf8[6];
        const unsigned char byte = static_cast<unsigned char>(*invalid);
        // A NUL byte is kept as it is: it is valid UTF-8, only g_utf8_validate stops at it.
        const gint length =
            byte == 0 ? (utf8[0] = '\0', 1) : g_unichar_to_utf8(windows_1252_character(byte), utf8);
        shown.append(utf8, static_cast<size_t>(length));
        if (converted && byte != 0)
            ++*converted;
        p = invalid + 1;
    }
    return shown;
}

bool is_hidden_character(char32_t c)
{
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFEFF;
}

std::string without_hidden_characters(const std::string& utf8, size_t* dropped)
{
    size_t count = 0;
    // Every hidden character starts with the byte E2 or EF: most texts hold neither and are kept as they are.
    if (std::find_if(utf8.begin(), utf8.end(), [](char c) { return c == '\xE2' || c == '\xEF'; }) ==
        utf8.end()) {
        if (dropped)
            *dropped = 0;
        return utf8;
    }
    std::string kept;
    kept.reserve(utf8.size());
    const char* const end = utf8.data() + utf8.size();
    for (const char* p = utf8.data(); p < end;) {
        const char* next = p + 1;
        // NUL bytes are kept as they are; g_utf8_next_char would not step over them safely at the end.
        if (static_cast<unsigned char>(*p) >= 0x80)
            next = std::min<const char*>(g_utf8_next_char(p), end);
        if (static_cast<unsigned char>(*p) >= 0x80 &&
            is_hidden_character(g_utf8_get_char_validated(p, end - p)))
            count++;
        else
            kept.append(p, static_cast<size_t>(next - p));
        p = next;
    }
    if (dropped)
        *dropped = count;
    return kept;
}

std::string display_text(const std::string& bytes)
{
    return without_hidden_characters(utf8_text(bytes));
}

std::string bounded_display_text(const std::string& bytes, size_t max_characters)
{
    // A character takes at most four bytes, and a byte that is not UTF-8 is one character: this prefix
    // holds more characters than are shown whenever the text is cut.
    const size_t prefix = max_characters * 4 + 4;
    const std::string shown = display_text(bytes.size() > prefix ? bytes.substr(0, prefix) : bytes);
    const char* start = shown.data();
    const char* const end = start + shown.size();
    const char* p = start;
    size_t characters = 0;
    while (p < end && characters < max_characters) {
        p = g_utf8_next_char(p);
        characters++;
    }
    if (p >= end && bytes.size() <= prefix)
        return shown;
    return std::string(start, p) + "…";
}

std::string window_title_text(const std::string& title, const std::string& file_name, bool modified)
{
    const std::string mark = modified ? "*" : "";
    if (!title.empty())
        return "CUVELO V0.9 : " + mark + bounded_display_text(title, kMaxTitleCharacters);
    const std::string text = "CUVELO V0.9 : Créateur de recette de bière";
    if (file_name.empty())
        return mark + text;
    return text + " : " + mark + bounded_display_text(path_base_name(file_name), kMaxTitleCharacters);
}

std::string folded_display_text(const std::string& bytes)
{
    gchar* folded = g_utf8_strdown(display_text(bytes).c_str(), -1);
    std::string out = folded ? folded : "";
    g_free(folded);
    return out;
}

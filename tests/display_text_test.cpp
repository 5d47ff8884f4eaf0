// tests/display_text_test.cpp — texts shown as valid UTF-8 whatever their bytes, and the bounded window
// title.
#include "core/display_text.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <iterator>
#include <random>

TEST(DisplayText, ValidUtf8StaysAndOtherBytesAreReadAsWindows1252)
{
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"", ""},
        {"Bière d'été", "Bière d'été"},                             // UTF-8 already: the same bytes
        {"Bi\xe8re d'\xe9t\xe9", "Bière d'été"},                    // Latin-1 range
        {"\x80 \x96 \x85 \x9c", "€ – … œ"},                         // Windows-1252's own characters
        {"\x81\x8d\x8f\x90\x9d", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"}, // the five bytes it leaves unassigned
        {"été \xe9t\xe9", "été été"},                               // both in one text: each part as it is
        {"\xc3", "Ã"},                                              // a UTF-8 sequence cut short
        {std::string("a\0\xe9", 3), std::string("a\0é", 4)},
        // Invisible and reversing characters show nothing and would reverse a title or a row: dropped.
        {"\u202EreviR\u202C", "reviR"},
        {"a\u202Ab\u202Bc\u202Dd\u2066e\u2067f\u2068g\u2069h", "abcdefgh"},
        {"zéro\u200B\u200C\u200D\u200E\u200Flargeur", "zérolargeur"},
        {"ligne\u2028paragraphe\u2029fin\uFEFF", "ligneparagraphefin"},
        {"\xe2\x80 \xae", "â€ ®"}, // the bytes of a hidden character cut short: Windows-1252, shown
        {"\u2010\u2027\u202F\u2065\u206A\uFEFE", "\u2010\u2027\u202F\u2065\u206A\uFEFE"}, // neighbours stay
    };
    for (const auto& c : cases)
        EXPECT_EQ(display_text(c.bytes), c.shown) << testing::PrintToString(c.bytes);
}

TEST(DisplayText, WindowTitleIsBoundedOnACharacterBoundary)
{
    const std::string kHead = "CUVELO V0.9 : ";
    std::string accented;
    for (int i = 0; i < 300; i++)
        accented += "é";
    const struct {
        std::string title;
        std::string file_name;
        std::string shown;
    } cases[] = {
        {"", "", kHead + "Créateur de recette de bière"},
        {"", "/home/u/biere.cvl", kHead + "Créateur de recette de bière : biere.cvl"},
        {"Ma blonde", "/home/u/biere.cvl", kHead + "Ma blonde"},
        {std::string(200, 'x'), "", kHead + std::string(200, 'x')}, // just the limit: nothing cut
        {std::string(201, 'x'), "", kHead + std::string(200, 'x') + "…"},
        {std::string(20 << 20, 'x'), "", kHead + std::string(200, 'x') + "…"}, // 20 MB
        {accented, "", kHead + accented.substr(0, 400) + "…"},                 // 200 characters of two bytes
        {std::string(300, '\xe9'), "", kHead + accented.substr(0, 400) + "…"}, // the same in Windows-1252
        {"", std::string("/r/") + std::string(250, '\xe9'),
         kHead + "Créateur de recette de bière : " + accented.substr(0, 400) + "…"},
        // A reversing character would turn the whole title around.
        {"\u202E" + std::string(300, 'x'), "", kHead + std::string(200, 'x') + "…"},
        {"", "/r/\u202Elmth.cvl", kHead + "Créateur de recette de bière : lmth.cvl"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(window_title_text(c.title, c.file_name), c.shown) << c.title.size() << " bytes";
}

// Whatever the bytes, the shown text is valid UTF-8 and holds no hidden character; a text without any keeps
// every character it had.
TEST(DisplayText, NoHiddenCharacterIsEverShown)
{
    const char32_t pool[] = {'a', ' ', 0xE9, 0x2019, 0x20AC, 0x202E, 0x2066, 0x200B, 0x2028, 0xFEFF, 0x1F37A};
    std::mt19937 random(20);
    for (int trial = 0; trial < 2000; trial++) {
        std::string text;
        size_t hidden = 0, visible = 0;
        for (int n = std::uniform_int_distribution<int>(0, 12)(random); n > 0; n--) {
            if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
                text +=
                    static_cast<char>(std::uniform_int_distribution<int>(0x80, 0xBF)(random)); // never UTF-8
                visible++;
                continue;
            }
            const char32_t c = pool[std::uniform_int_distribution<size_t>(0, std::size(pool) - 1)(random)];
            char utf8[6];
            text.append(utf8, static_cast<size_t>(g_unichar_to_utf8(c, utf8)));
            (is_hidden_character(c) ? hidden : visible)++;
        }
        const std::string shown = display_text(text);
        ASSERT_TRUE(g_utf8_validate(shown.data(), static_cast<gssize>(shown.size()), nullptr));
        for (const char* p = shown.c_str(); *p; p = g_utf8_next_char(p))
            ASSERT_FALSE(is_hidden_character(g_utf8_get_char(p))) << testing::PrintToString(text);
        EXPECT_EQ(static_cast<size_t>(g_utf8_strlen(shown.c_str(), -1)), visible)
            << testing::PrintToString(text);
        size_t dropped = 0;
        without_hidden_characters(utf8_text(text), &dropped);
        EXPECT_EQ(dropped, hidden);
    }
}

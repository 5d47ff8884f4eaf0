// tests/display_text_test.cpp — texts shown as valid UTF-8 whatever their bytes, and the bounded window
// title.
#include "core/display_text.h"

#include <glib.h>
#include <gtest/gtest.h>

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
    };
    for (const auto& c : cases)
        EXPECT_EQ(window_title_text(c.title, c.file_name), c.shown) << c.title.size() << " bytes";
}

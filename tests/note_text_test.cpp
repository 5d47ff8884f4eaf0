// tests/note_text_test.cpp — notes of several lines escaped into one line of a file and back.
#include "core/note_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

struct NoteCase {
    const char* text;
    const char* line;
};
static const NoteCase kNotes[] = {
    {"", ""},
    {"une ligne, avec virgule", "une ligne, avec virgule"},
    {"a\nb", "a\\nb"},
    {"a\tb\r\n", "a\\tb\\r\\n"},
    {"C:\\brassage\\notes", "C:\\\\brassage\\\\notes"},
    {"\\n littéral", "\\\\n littéral"},
};

TEST(NoteText, EachSpecialByteHasItsEscape)
{
    for (const NoteCase& c : kNotes) {
        EXPECT_EQ(escaped_notes(c.text), c.line) << c.text;
        EXPECT_EQ(unescaped_notes(c.line), c.text) << c.line;
    }
}

TEST(NoteText, AStrayBackslashStandsForItself)
{
    EXPECT_EQ(unescaped_notes("fin\\"), "fin\\");
    EXPECT_EQ(unescaped_notes("\\x"), "\\x");
}

// Any text comes back as it was, and its line holds no tab or line end.
TEST(NoteText, RandomTextsComeBackWhole)
{
    std::mt19937 random(23);
    const std::string alphabet = std::string("ab,\\\t\n\r n") + "\xC3\xA9";
    for (int trial = 0; trial < 2000; trial++) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; i++)
            text += alphabet[random() % alphabet.size()];
        const std::string line = escaped_notes(text);
        EXPECT_EQ(line.find_first_of("\t\n\r"), std::string::npos) << line;
        EXPECT_EQ(unescaped_notes(line), text);
    }
}

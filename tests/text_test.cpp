// tests/text_test.cpp — line reading and writing, tab fields, number text, upper-casing.
#include "core/text.h"
#include "test_support.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

static std::vector<std::string> lines_of(const std::string& bytes)
{
    ScratchDir dir;
    write_file("f.txt", bytes);
    FILE* file = open_text_file("f.txt", "rb");
    std::vector<std::string> lines;
    std::string line;
    while (read_text_line(file, line))
        lines.push_back(line);
    if (file)
        fclose(file);
    return lines;
}

TEST(TextLines, LineEndRules)
{
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},       // last line needs no line end
        {"a\r\nb\r\n", {"a", "b"}}, // CR LF reads like LF
        {"a\nb\r", {"a", "b"}},     // a CR ending the file is dropped
        {"a\rb\rc", {"a\rb\rc"}},   // lone CRs stay: one line
        {"a\r\rb\n", {"a\r\rb"}},   // only the CR right before the LF goes
        {"a\n\n", {"a", ""}},       // two final LFs: one empty line last
        {"\n", {""}},
        {"x\r\r\n", {"x\r"}},
        {std::string("n\0ul\n", 5), {std::string("n\0ul", 4)}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lines_of(c.bytes), c.lines) << testing::PrintToString(c.bytes);
}

TEST(TextLines, MissingFileYieldsNoLine)
{
    ScratchDir dir;
    FILE* file = open_text_file("absent.txt", "rb");
    EXPECT_EQ(file, nullptr);
    std::string line = "stale";
    EXPECT_FALSE(read_text_line(file, line));
    write_text_line(nullptr, "ignored"); // takes nothing, does not crash
}

TEST(TextLines, BackslashesInPathAreSlashes)
{
    ScratchDir dir;
    write_file("sub/f.txt", "x\n");
    FILE* file = open_text_file("sub\\f.txt", "rb");
    ASSERT_NE(file, nullptr);
    fclose(file);
}

TEST(TextLines, WriteAddsOneLfAndNothingElse)
{
    ScratchDir dir;
    FILE* file = open_text_file("out.txt", "wb");
    write_text_line(file, "a\tb,c ");
    write_text_line(file, "");
    fclose(file);
    EXPECT_EQ(read_file("out.txt"), "a\tb,c \n\n");
}

TEST(TextFields, SplitsOnEveryTab)
{
    struct Case {
        std::string line;
        int n;
        std::string field;
    };
    const Case cases[] = {
        {"A\t\tB", 1, "A"},     {"A\t\tB", 2, ""},       {"A\t\tB", 3, "B"},
        {"A\t\tB", 4, ""},      {"1,5 KG", 1, "1.5 KG"}, {"1,5 KG", 2, ""}, // no tab: the whole line, points
        {"a\tb\t", 3, ""},      {"a\tb\t", 2, "b"}, // trailing tab: an empty last field
        {" a \t b ", 2, " b "},                     // nothing trimmed
        {"a\tb", 0, ""},        {"a\tb", -3, ""},   // below 1: empty
        {"x,y\tz", 2, "z"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tab_field(c.line, c.n), c.field) << c.line << " field " << c.n;
}

TEST(TextNumbers, TextToNumber)
{
    struct Case {
        std::string text;
        double number;
    };
    const Case cases[] = {
        {"  12.5abc", 12.5}, {"1d3", 1000}, {"1D3", 1000},    {"&HFF", 255},
        {"&hff", 255},       {"&O17", 15},  {"&b101", 5},     {"&H", 0},
        {"&HG", 0},          {"&O9", 0},    {"abc", 0},       {"", 0},
        {"   ", 0},          {"5 KG", 5},   {"2.5 VOL", 2.5}, {"1,5", 1},
        {"-3.25e1x", -32.5}, {"\t7", 7},    {"+.5", 0.5},     {" &H10", 16},
        {"1e400", HUGE_VAL}, {"dead", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text_to_number(c.text), c.number) << '"' << c.text << '"';
}

// The value strtod gives in the "C" locale, the reference for every plain decimal.
static double strtod_value(const std::string& text)
{
    return g_ascii_strtod(text.c_str(), nullptr);
}

TEST(TextNumbers, PlainDecimalsReadExactlyAsStrtodReadsThem)
{
    // Halfway and near-halfway decimals, the longest mantissas that stay exact, and the first ones that do
    // not: each must give strtod's correctly rounded double, bit for bit.
    static const char* const kTexts[] = {
        "0.1",
        "0.3",
        "2.675",
        "1.005",
        "0.000000000000001",
        "123456789012345",
        "1234567890123456",
        "9007199254740993",
        "0.1234567890123456789",
        "99999999999999.9",
        "4.35",
        "1047.43",
        "0.07",
        "-0",
        "-0.0",
        "+0",
        "0",
        "5.",
        ".5",
        "-.25",
        "000000000000000000001",
        "1.7976931348623157",
        "2.40 KG",
        "500 G",
        "20 L",
        "3.14159265",
        "0.0050",
        "12.5abc",
        "1.5.5",
        "7x",
        "0x1A",
        "0X1a",
        "5.e2",
        "5e",
        "5E+",
        "-",
        "+",
        ".",
        "-.",
        "..5",
        "1,5",
    };
    for (const char* text : kTexts) {
        const double expected = strtod_value(text);
        const double got = text_to_number(text);
        EXPECT_EQ(got, expected) << '"' << text << '"';
        EXPECT_EQ(std::signbit(got), std::signbit(expected)) << '"' << text << '"';
    }
}

TEST(TextNumbers, RandomPlainDecimalsReadExactlyAsStrtodReadsThem)
{
    // A fixed seed: the same 20,000 texts on every run, of up to 18 digits around an optional point.
    std::mt19937 random(20240611);
    static const char* const kEnds[] = {"", " KG", " G", " L", "x", ".", ",5", " 3"};
    for (int n = 0; n < 20000; n++) {
        std::string text;
        const int sign = static_cast<int>(random() % 4);
        if (sign == 1)
            text += '-';
        else if (sign == 2)
            text += '+';
        const int whole = static_cast<int>(random() % 10);
        for (int k = 0; k < whole; k++)
            text += static_cast<char>('0' + random() % 10);
        if (random() % 2) {
            text += '.';
            const int decimals = static_cast<int>(random() % 10);
            for (int k = 0; k < decimals; k++)
                text += static_cast<char>('0' + random() % 10);
        }
        text += kEnds[random() % (sizeof kEnds / sizeof kEnds[0])];
        const double expected = strtod_value(text);
        const double got = text_to_number(text);
        ASSERT_EQ(got, expected) << '"' << text << '"';
        ASSERT_EQ(std::signbit(got), std::signbit(expected)) << '"' << text << '"';
    }
}

TEST(TextNumbers, LongHexDigitsStayFinite)
{
    double n = text_to_number("&H" + std::string(40, 'F'));
    EXPECT_GT(n, 1e47);
    EXPECT_TRUE(std::isfinite(n));
}

TEST(TextNumbers, NumberToText)
{
    struct Case {
        double number;
        std::string text;
    };
    const Case cases[] = {
        {20, "20"},       {12.5, "12.5"},     {0.1, "0.1"},
        {1.5, "1.5"},     {100, "100"},       {1e21, "1e+21"},
        {-7, "-7"},       {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.3333333333333333"},
        {5.5, "5.5"},     {NAN, "0"},         {HUGE_VAL, "0"},
        {-HUGE_VAL, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(number_to_text(c.number), c.text) << c.number;
}

TEST(TextCase, UpperCasesAsciiLettersOnly)
{
    EXPECT_EQ(upper_ascii("crème 5 kg"), "CRèME 5 KG");
    EXPECT_EQ(upper_ascii("a-z{}`@"), "A-Z{}`@");
}

TEST(TextNumbers, IgnoreTheProcessLocale)
{
    // In the French-locale run the decimal separator of the process really is a comma.
    if (std::getenv("CUVELO_TEST_USER_LOCALE")) {
        ASSERT_STREQ(localeconv()->decimal_point, ",");
    }
    EXPECT_EQ(text_to_number("12.5"), 12.5);
    EXPECT_EQ(number_to_text(12.5), "12.5");
}

TEST(TextPaths, BaseNameAfterTheLastSlashOrBackslash)
{
    EXPECT_EQ(path_base_name("/home/u/biere.cvl"), "biere.cvl");
    EXPECT_EQ(path_base_name("D:\\recettes\\ipa.cvl"), "ipa.cvl");
    EXPECT_EQ(path_base_name("a\\b/c.cvl"), "c.cvl");
    EXPECT_EQ(path_base_name("seul.cvl"), "seul.cvl");
    EXPECT_EQ(path_base_name("dossier/"), "");
    EXPECT_EQ(path_base_name(""), "");
}

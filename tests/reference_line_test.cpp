// tests/reference_line_test.cpp — which reference-file lines hold a record.
#include "refdata/reference_line.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <vector>

struct LineCase {
    const char* line;
    bool counts;
};

static const LineCase kLines[] = {
    {"", false},
    {"EAU\t", false},            // 4 bytes: too short
    {"EAU\tx", true},            // 5 bytes
    {"abcde", true},             // no tab needed
    {"\tEAU\teau\tEaux", false}, // starts with a tab
    {" EAU\teau", true},         // a leading space is not a tab
    {"# comment", false},
    {"EAU\teau\tEau # 2", false}, // "#" anywhere
    {"EAU\teau\tEau#", false},
};

TEST(ReferenceLine, FilterKeepsLongerThanFourBytesWithoutHashOrLeadingTab)
{
    for (const LineCase& c : kLines)
        EXPECT_EQ(is_reference_line(c.line), c.counts) << '"' << c.line << '"';
}

TEST(ReferenceLine, WalkHandsOnlyRecordLinesInFileOrder)
{
    ScratchDir dir;
    write_file("bases/x.txt", "# head\r\nfirst line\r\nabc\r\n\r\n\tskipped\r\nsecond line\r\nlast, no LF");
    std::vector<std::string> seen;
    EXPECT_TRUE(for_each_reference_line("./bases/x.txt", [&](const std::string& l) { seen.push_back(l); }));
    EXPECT_EQ(seen, (std::vector<std::string>{"first line", "second line", "last, no LF"}));
}

TEST(ReferenceLine, MissingFileHandsNothingAndSaysSo)
{
    ScratchDir dir;
    int calls = 0;
    EXPECT_FALSE(for_each_reference_line("./bases/none.txt", [&](const std::string&) { calls++; }));
    EXPECT_EQ(calls, 0);
}

// The reader's room for a long line is given back with the file, not kept for the process.
TEST(ReferenceLine, TheBufferOfALongLineIsGivenBack)
{
    ScratchDir dir;
    write_file("bases/long.txt", "# " + std::string(30 << 20, 'x') + "\nEAU\teau\tEau\n");
    const size_t before = mallinfo2().uordblks;
    int calls = 0;
    EXPECT_TRUE(for_each_reference_line("./bases/long.txt", [&](const std::string&) { calls++; }));
    EXPECT_EQ(calls, 1);
    EXPECT_LT(mallinfo2().uordblks, before + (1 << 20));
}

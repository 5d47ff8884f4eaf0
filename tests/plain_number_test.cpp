// tests/plain_number_test.cpp — the numbers cuvelo-calc accepts: plain decimals with a point or a comma.
#include "calc/plain_number.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PlainNumber, DecimalsWithAPointOrACommaOnly)
{
    const struct {
        const char* text;
        double value;
    } accepted[] = {
        {"23", 23},  {"17.7", 17.7}, {"17,7", 17.7},   {" 5 ", 5},     {"-5", -5},     {"+2.5", 2.5},
        {".5", 0.5}, {"5.", 5},      {"0,0001", 1e-4}, {"1055", 1055}, {"000012", 12}, // leading zeros are
                                                                                       // still a plain
                                                                                       // decimal
    };
    for (const auto& a : accepted) {
        double value = NAN;
        EXPECT_TRUE(read_plain_number(a.text, &value)) << a.text;
        EXPECT_DOUBLE_EQ(value, a.value) << a.text;
    }
    // What strtod and the recipe files' reader would take, and a brewer does not mean.
    for (const char* refused : {"5abc", "0x20", "1e308", "1E3", "2d1", "&H20", "inf", "nan", "", " ", "-",
                                ".", "1.2.3", "1,2,3", "1 000", "20 L", "--5", "5-", "\t5"}) {
        double value = 42;
        EXPECT_FALSE(read_plain_number(refused, &value)) << refused;
        EXPECT_EQ(value, 42) << refused;
    }
    // So many digits that the number is not finite.
    double value = 0;
    EXPECT_FALSE(read_plain_number(std::string(400, '9'), &value));
    EXPECT_TRUE(read_plain_number(std::string(300, '9'), &value));
}

// tests/format_test.cpp — the beer colour scale, the style range colours, fixed-decimal text and tanh.
#include "calc/bitterness.h"
#include "calc/format.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

struct ScaleCase {
    int ebc;
    const char* colour;
};
static const ScaleCase kScale[] = {
    {0, "#FFFFFF"},              // white
    {1, "#FFE699"},              // 0.508 rounds to 1
    {3, "#FFD878"},              // 1.524 rounds to 2
    {18, "#E58500"},             // the worked example's 17.56 EBC, rounded half up
    {79, "#36080A"},             // 40.132: the last row
    {80, "#000000"},             // 40.64 rounds to 41: black
    {1000, "#000000"}, {-1, ""}, // -0.508 rounds to -1: no colour
};

TEST(Format, EbcToColourFollowsTheScale)
{
    for (const ScaleCase& c : kScale)
        EXPECT_EQ(ebc_to_colour(c.ebc), c.colour) << "EBC " << c.ebc;
}

TEST(Format, RangeColourFlagsValuesOutsideTheRange)
{
    reset_workspace();
    ws.settings.colour_min = "00A0FF";
    ws.settings.colour_max = "F00";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x;
        const char* colour;
    } cases[] = {
        {1050, "#000"},       {1040, "#000"},    {1060, "#000"}, // bounds count as inside
        {1039.99, "#00A0FF"}, {1060.01, "#F00"}, {nan, "#00A0FF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(range_colour(c.x, 1040, 1060, ws.settings), c.colour) << c.x;
}

TEST(Format, RangeColourTestsTheMinimumFirst)
{
    reset_workspace();
    ws.settings.colour_min = "111111";
    ws.settings.colour_max = "222222";
    EXPECT_EQ(range_colour(5, 10, 1, ws.settings), "#111111");
    EXPECT_EQ(range_colour(11, 10, 1, ws.settings), "#222222");
}

TEST(Format, RangeColourFallsBackWhenASettingIsNoColour)
{
    reset_workspace();
    const char* broken[] = {"", "12", "1234", "GGGGGG", "FF00\"", "F00> ", "#F00"};
    for (const char* digits : broken) {
        ws.settings.colour_min = digits;
        ws.settings.colour_max = digits;
        EXPECT_EQ(range_colour(1, 2, 3, ws.settings), "#FF8C00") << digits;
        EXPECT_EQ(range_colour(4, 2, 3, ws.settings), "#FF0000") << digits;
    }
    ws.settings.colour_min = "abc";
    EXPECT_EQ(range_colour(1, 2, 3, ws.settings), "#abc");
}

struct DecimalsCase {
    double x;
    int d;
    const char* text;
};
static const DecimalsCase kDecimals[] = {
    {1047.434, 2, "1047.43"},
    {1047.436, 2, "1047.44"},
    {20.3, 2, "20.3"}, // no trailing zeros added
    {7.96, 0, "8"},
    {7.5, 5, "8"},
    {4.7855263157894896, 2, "4.79"},
    {1.5, 2, "1.5"},
    {2, 2, "2"},
    {-1.234, 2, "-1.23"},
    {-1.236, 2, "-1.24"},
    {0.05, 1, "0.1"},
    {1.2346, 3, "1.235"},
    {2.5, 0, "3"},  // half up
    {-0.5, 0, "0"}, // half up, not away from zero
    {-2.5, 0, "-2"},
    {0.0004, 3, "0"},
    {19.9645, 2, "19.96"},
    {14.1272, 2, "14.13"},
    {1.5, -1, ""},
    {1e17, 2, "1e+17"},
    {1.5e20, 2, "1.5e+20"}, // the exponent stays
};

TEST(Format, FormatDecimalsRoundsHalfUp)
{
    for (const DecimalsCase& c : kDecimals)
        EXPECT_EQ(format_decimals(c.x, c.d), c.text) << c.x << " with " << c.d;
}

TEST(Format, HyperbolicTangent)
{
    EXPECT_EQ(hyperbolic_tangent(0), 0);
    EXPECT_NEAR(hyperbolic_tangent(M_PI / 2), 0.9172, 0.00005);
    EXPECT_NEAR(hyperbolic_tangent(60 * 3.14159265 / 120), 0.9172, 0.00005); // 60 minutes of boil
    EXPECT_NEAR(hyperbolic_tangent(30 * 3.14159265 / 120), 0.6558, 0.00005); // 30 minutes
    EXPECT_NEAR(hyperbolic_tangent(-1), -std::tanh(1.0), 1e-15);
    EXPECT_EQ(hyperbolic_tangent(1e6), 1);
    EXPECT_EQ(hyperbolic_tangent(-1e6), -1);
    EXPECT_TRUE(std::isnan(hyperbolic_tangent(std::numeric_limits<double>::quiet_NaN())));
}

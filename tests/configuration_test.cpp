// tests/configuration_test.cpp — reading the eighteen settings of "./bases/configuration.txt".
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "test_support.h"

#include <gtest/gtest.h>

static std::string fixture(const std::string& name)
{
    return read_file(std::string(CUVELO_TEST_DATA) + "/refdata/" + name);
}

static void expect_fixture_settings()
{
    const Settings& s = ws.settings;
    EXPECT_DOUBLE_EQ(s.efficiency, 0.725); // 72,5 with a decimal comma, / 100
    EXPECT_DOUBLE_EQ(s.rest_first[1], 52);
    EXPECT_DOUBLE_EQ(s.rest_minutes[1], 15);
    EXPECT_DOUBLE_EQ(s.rest_first[2], 63); // one number only: the minutes stay 0
    EXPECT_DOUBLE_EQ(s.rest_minutes[2], 0);
    EXPECT_DOUBLE_EQ(s.rest_first[3], 72);
    EXPECT_DOUBLE_EQ(s.rest_minutes[3], 20.5);
    EXPECT_DOUBLE_EQ(s.rest_first[4], 78);
    EXPECT_DOUBLE_EQ(s.rest_minutes[4], 5);
    EXPECT_DOUBLE_EQ(s.loss_grain, 1.1);  // the tab-led 99 is skipped
    EXPECT_DOUBLE_EQ(s.loss_hops, 10);    // the commented 99 is skipped
    EXPECT_DOUBLE_EQ(s.loss_mash, 5);     // "5 %"; the lower-case key is ignored
    EXPECT_DOUBLE_EQ(s.loss_boil, 10);    // a key with a trailing space matches nothing
    EXPECT_DOUBLE_EQ(s.boil_minutes, 60); // the later line wins
    EXPECT_DOUBLE_EQ(s.attenuation_malt, 0.75);
    EXPECT_DOUBLE_EQ(s.attenuation_sugar, 1.0);
    EXPECT_DOUBLE_EQ(s.pellet_yield, 1.1);
    EXPECT_DOUBLE_EQ(s.heating_cost, 0.85);
    EXPECT_DOUBLE_EQ(s.litres_per_kilo, 3);
    EXPECT_EQ(s.browser, "firefox --new-window.--private"); // the comma of a text becomes a point too
    EXPECT_EQ(s.colour_min, "0000FF");
    EXPECT_EQ(s.colour_max, "FF0000");
}

TEST(Configuration, ReadsEveryKeyOfTheFixture)
{
    ScratchDir dir;
    write_file("bases/configuration.txt", fixture("configuration.txt"));
    reset_workspace();
    load_configuration();
    expect_fixture_settings();
}

TEST(Configuration, CrLfFileReadsLikeItsLfTwin)
{
    ScratchDir dir;
    write_file("bases/configuration.txt", with_crlf(fixture("configuration.txt")));
    reset_workspace();
    load_configuration();
    expect_fixture_settings();
    EXPECT_EQ(ws.settings.colour_max, "FF0000"); // no CR left at the end of a text value
}

TEST(Configuration, MissingFileLeavesEverySettingAtZero)
{
    ScratchDir dir;
    reset_workspace();
    load_configuration();
    EXPECT_EQ(ws.settings.efficiency, 0);
    EXPECT_EQ(ws.settings.boil_minutes, 0);
    EXPECT_EQ(ws.settings.browser, "");
    EXPECT_EQ(ws.settings.colour_min, "");
}

TEST(Configuration, DecimalPointAndCommaGiveTheSameValue)
{
    ScratchDir dir;
    reset_workspace();
    write_file("bases/configuration.txt", "RENDEMENT\t72.5\n");
    load_configuration();
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.725);
}

TEST(Configuration, EmptyOrNonNumericValueGivesZero)
{
    ScratchDir dir;
    reset_workspace();
    ws.settings.loss_grain = 7;
    ws.settings.loss_hops = 7;
    write_file("bases/configuration.txt", "PERTE_GRAIN\n"
                                          "PERTE_HOUBLON\tbeaucoup\n");
    load_configuration();
    EXPECT_EQ(ws.settings.loss_grain, 0);
    EXPECT_EQ(ws.settings.loss_hops, 0);
}

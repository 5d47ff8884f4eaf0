// tests/ph_correction_test.cpp — the brewery's pH measurements and the CORRECTION_PH key written from them.
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "refdata/ph_correction.h"
#include "test_support.h"

#include <gtest/gtest.h>

TEST(PhCorrection, MeanOfMeasuredLessPredicted)
{
    ScratchDir dir;
    int count = -1;
    EXPECT_EQ(mean_ph_difference("mesures.txt", &count), 0); // no file yet
    EXPECT_EQ(count, 0);
    ASSERT_TRUE(add_ph_measurement("mesures.txt", "Blonde", 5.40, 5.30));
    ASSERT_TRUE(add_ph_measurement("mesures.txt", "Stout\t#1", 5.20, 5.30)); // tab and # kept off the line
    ASSERT_TRUE(add_ph_measurement("mesures.txt", "", 5.50, 5.30));
    EXPECT_NEAR(mean_ph_difference("mesures.txt", &count), (0.1 - 0.1 + 0.2) / 3, 1e-9);
    EXPECT_EQ(count, 3);
}

TEST(PhCorrection, TheKeyIsReplacedOrAddedOnce)
{
    const std::string with = with_ph_correction("RENDEMENT\t75\nCORRECTION_PH\t0.1\nBOIL\t60\n", -0.05);
    EXPECT_EQ(with, "RENDEMENT\t75\nCORRECTION_PH\t-0.05\nBOIL\t60\n");
    const std::string added = with_ph_correction("RENDEMENT\t75", 0.08);
    EXPECT_EQ(added.find("RENDEMENT\t75\n"), 0u);
    EXPECT_NE(added.find("\nCORRECTION_PH\t0.08\n"), std::string::npos);
    EXPECT_EQ(with_ph_correction(added, 0.08), added);
}
// The key is optional: without it there is no correction; a figure past one pH unit is a slip, not applied.
TEST(PhCorrection, ConfigurationKeyIsReadAndBounded)
{
    const struct {
        const char* line;
        double correction;
    } kCases[] = {{"", 0},
                  {"CORRECTION_PH\t-0.07\n", -0.07},
                  {"CORRECTION_PH\t0,12\n", 0.12},
                  {"CORRECTION_PH\t3\n", 0}};
    for (const auto& c : kCases) {
        ScratchDir dir;
        write_file("bases/configuration.txt", std::string("RENDEMENT\t75\n") + c.line);
        reset_workspace();
        load_configuration();
        EXPECT_DOUBLE_EQ(ws.settings.ph_correction, c.correction) << c.line;
    }
}

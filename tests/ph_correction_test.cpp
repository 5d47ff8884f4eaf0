
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

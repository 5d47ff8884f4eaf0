// Writing settings back into a configuration file: changed keys rewritten in place, everything else kept.
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "refdata/configuration_write.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace
{

ConfigurationValue value(const char* key, std::vector<std::string> fields)
{
    return ConfigurationValue{key, std::string("libellé ") + key, "L", std::move(fields)};
}

} // namespace

TEST(ConfigurationWrite, ChangedKeysRewrittenInPlaceOthersKeptByteForByte)
{
    const struct {
        const char* old;
        std::vector<ConfigurationValue> changed;
        const char* expected;
    } cases[] = {
        {"# rendement\nRENDEMENT\t75\nCOUT_CHAUFFE\t0,60\n",
         {value("RENDEMENT", {"72"})},
         "# rendement\nRENDEMENT\t72\nCOUT_CHAUFFE\t0,60\n"},
        // line ends, an unknown key and a commented-out key are kept; both lines of a doubled key change
        {"RENDEMENT\t75\r\nAUTRE\t1\r\n#RENDEMENT\t60\r\nRENDEMENT\t80\r\n",
         {value("RENDEMENT", {"70"})},
         "RENDEMENT\t70\r\nAUTRE\t1\r\n#RENDEMENT\t60\r\nRENDEMENT\t70\r\n"},
        // a rest keeps its two fields
        {"TEMPS_PALIER_MALTOSE\t63\t30\n",
         {value("TEMPS_PALIER_MALTOSE", {"64", "45"})},
         "TEMPS_PALIER_MALTOSE\t64\t45\n"},
        // a key the file lacks goes at the end, under its label; a last line without end gets one first
        {"RENDEMENT\t75",
         {value("PERTE_FERMENTEUR", {"1.5"})},
         "RENDEMENT\t75\n# libellé PERTE_FERMENTEUR (L).\nPERTE_FERMENTEUR\t1.5\n"},
        {"", {value("RENDEMENT", {"75"})}, "# libellé RENDEMENT (L).\nRENDEMENT\t75\n"},
        // a value with a tab in a key's name does not match a longer key
        {"RENDEMENT_PELLET\t110\n",
         {value("RENDEMENT", {"75"})},
         "RENDEMENT_PELLET\t110\n# libellé RENDEMENT (L).\nRENDEMENT\t75\n"},
        {"# seul\n\nX\n", {}, "# seul\n\nX\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(configuration_text_with(c.old, c.changed), c.expected) << c.old;
}

TEST(ConfigurationWrite, EveryKeyReadsBackAsItsValue)
{
    Settings s;
    s.efficiency = 0.725;
    s.rest_first[2] = 63;
    s.rest_minutes[2] = 45;
    s.pellet_yield = 1.1;
    s.heating_cost = 0.6;
    s.browser = "firefox";
    s.colour_model = ColourModel::morey;
    s.boil_off_litres_per_hour = 3.5;
    s.kettle_loss = 1.25;
    s.fermenter_loss = 0.75;
    s.grain_temperature = 18;
    s.tun_heat_loss = 1.5;
    s.cooling_shrinkage = 4;
    Settings back;
    for (const ConfigurationValue& v : configuration_values(s)) {
        EXPECT_TRUE(set_configuration_value(back, v.key, v.fields)) << v.key;
        EXPECT_FALSE(v.label.empty());
    }
    EXPECT_EQ(configuration_values(back).size(), configuration_values(s).size());
    for (size_t k = 0; k < configuration_values(s).size(); k++)
        EXPECT_EQ(configuration_values(back)[k].fields, configuration_values(s)[k].fields);
    EXPECT_DOUBLE_EQ(back.efficiency, 0.725);
    EXPECT_EQ(back.rest_minutes[2], 45);
    EXPECT_EQ(back.colour_model, ColourModel::morey);
    EXPECT_EQ(back.cooling_shrinkage, 4);
    EXPECT_FALSE(set_configuration_value(back, "INCONNUE", {"1"}));
    // a tab typed into a text must not shift the fields of its line
    ASSERT_TRUE(set_configuration_value(back, "NAVIGATEUR", {"mon\tnavigateur"}));
    EXPECT_EQ(back.browser, "mon navigateur");
}

TEST(ConfigurationWrite, SavedValueReadsBackAndCommentsStay)
{
    ScratchDir dir;
    const std::string original =
        "# Ma brasserie\nRENDEMENT\t75\n# un réglage à moi\nMA_CLE\tx\nCOUT_CHAUFFE\t0,60\n";
    write_file("bases/configuration.txt", original);
    reset_workspace();
    load_configuration();
    const Settings before = ws.settings;
    Settings after = before;
    ASSERT_TRUE(set_configuration_value(after, "RENDEMENT", {"68"}));
    ASSERT_TRUE(set_configuration_value(after, "CONTRACTION_REFROIDISSEMENT", {"4"}));
    std::string why;
    ASSERT_TRUE(save_configuration_file("bases/configuration.txt", before, after, &why)) << why;
    const std::string saved = read_file("bases/configuration.txt");
    EXPECT_EQ(
        saved.find("# Ma brasserie\nRENDEMENT\t68\n# un réglage à moi\nMA_CLE\tx\nCOUT_CHAUFFE\t0,60\n"), 0u)
        << saved;
    reset_workspace();
    load_configuration();
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.68);
    EXPECT_EQ(ws.settings.cooling_shrinkage, 4);
    EXPECT_DOUBLE_EQ(ws.settings.heating_cost, 0.6);
    // nothing changed: the file stays as it was
    ASSERT_TRUE(save_configuration_file("bases/configuration.txt", ws.settings, ws.settings, &why));
    EXPECT_EQ(read_file("bases/configuration.txt"), saved);
}

TEST(ConfigurationWrite, ConfigurationWithoutBrewDayKeysKeepsTheirOlderValues)
{
    ScratchDir dir;
    write_file("bases/configuration.txt", "RENDEMENT\t75\n");
    reset_workspace();
    load_configuration();
    EXPECT_EQ(ws.settings.boil_off_litres_per_hour, 0);
    EXPECT_EQ(ws.settings.cooling_shrinkage, 0);
    EXPECT_EQ(ws.settings.kettle_loss, 0);
    EXPECT_EQ(ws.settings.grain_temperature, 20);
}

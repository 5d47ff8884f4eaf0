// tests/configuration_test.cpp — reading the eighteen settings of "./bases/configuration.txt".
#include "core/data_folders.h"
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

// The configuration in use ("user/configuration.txt") against the shared one it was copied from
// ("shared/configuration.txt", the bundled file), when there is one.
struct DamagedCase {
    const char* what;
    bool exists;
    std::string content;
    bool copy_of_shared;
    const char* warning; // "" for none
    double efficiency;   // percent: the file's own, or the shared file's 75
    double boil_minutes;
};

TEST(Configuration, ADamagedCopyIsNamedAndTheSharedValuesStandInForWhatItLacks)
{
    const std::string shared =
        read_file(std::string(CUVELO_TEST_DATA) + "/../../data/bases/configuration.txt");
    ASSERT_NE(shared.find("\nRENDEMENT\t75"), std::string::npos);
    const std::string two_keys = "RENDEMENT\t60\nPERTE_GRAIN\t1\n";
    const std::string binary("\x7f"
                             "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0\x01\n\xff\xfe\x80\n",
                             26);
    const std::string one_key_short =
        shared.substr(0, shared.find("COULEUR_MAX")) + shared.substr(shared.find("\nLITRE_PAR_KILO") + 1);
    const DamagedCase cases[] = {
        {"whole", true, shared, true, "", 75, 60},
        {"empty", true, "", true, "ne contient aucun réglage reconnu", 75, 60},
        {"binary", true, binary, true, "ne contient aucun réglage reconnu", 75, 60},
        {"cut within its first comments", true, shared.substr(0, shared.find("\nRENDEMENT")), true,
         "ne contient aucun réglage reconnu", 75, 60},
        {"lower-case keys", true, "rendement\t60\n", true, "ne contient aucun réglage reconnu", 75, 60},
        {"missing", false, "", true, "est absente ou illisible", 75, 60},
        {"cut after two keys", true, two_keys, true,
         "n'a pas les réglages TEMPS_PALIER_PROTEINE, TEMPS_PALIER_MALTOSE", 60, 60},
        {"one key short", true, one_key_short, true, "n'a pas le réglage COULEUR_MAX : celui de", 75, 60},
        // A folder of its own (a working folder, --bases): nothing to take from, a lacking key is 0.
        {"empty, no shared copy", true, "", false,
         "ne contient aucun réglage reconnu (fichier vide, coupé ou abîmé) : tous les réglages valent 0.", 0,
         0},
        {"missing, no shared copy", false, "", false,
         "est absente ou illisible : tous les réglages valent 0.", 0, 0},
        {"cut after two keys, no shared copy", true, two_keys, false, "", 60, 0},
    };
    const DataFolders saved = data_folders();
    for (const DamagedCase& c : cases) {
        ScratchDir dir;
        write_file("shared/configuration.txt", shared);
        if (c.exists)
            write_file("user/configuration.txt", c.content);
        DataFolders folders;
        folders.bases = dir.path() + "/user";
        if (c.copy_of_shared)
            folders.shared_bases = dir.path() + "/shared";
        use_data_folders(folders);
        reset_workspace();
        const std::string warning = load_configuration();
        use_data_folders(saved);
        if (*c.warning) {
            EXPECT_NE(warning.find(c.warning), std::string::npos) << c.what << ": " << warning;
            EXPECT_NE(warning.find("« " + dir.path() + "/user/configuration.txt »"), std::string::npos)
                << c.what << ": " << warning;
        } else {
            EXPECT_EQ(warning, "") << c.what;
        }
        EXPECT_DOUBLE_EQ(ws.settings.efficiency, c.efficiency / 100) << c.what;
        EXPECT_DOUBLE_EQ(ws.settings.boil_minutes, c.boil_minutes) << c.what;
        if (c.copy_of_shared) {
            EXPECT_EQ(ws.settings.colour_max, "B00000") << c.what;
            EXPECT_EQ(ws.settings.browser, "xdg-open") << c.what;
        }
    }
}

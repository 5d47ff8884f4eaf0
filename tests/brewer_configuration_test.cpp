// tests/brewer_configuration_test.cpp — the configuration in use, written from the settings dialog and read
// again.
#include "refdata/brewer_configuration.h"

#include "core/data_folders.h"
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "test_support.h"

#include <glib.h>
#include <gtest/gtest.h>

namespace
{

const char kShared[] = "# Configuration partagée\n"
                       "RENDEMENT\t75\n"
                       "# la durée de l'ébullition\n"
                       "TEMPS_EBULLITION\t60\n"
                       "CLE_D_UN_AUTRE\t3\n";

// Uses `user` (and `shared` when not empty) as the bases for the test's life.
class BasesInUse
{
  public:
    BasesInUse(const std::string& user, const std::string& shared) : saved_(data_folders())
    {
        DataFolders folders;
        folders.bases = user;
        folders.shared_bases = shared;
        use_data_folders(folders);
    }
    ~BasesInUse()
    {
        use_data_folders(saved_);
    }

  private:
    DataFolders saved_;
};

} // namespace

TEST(BrewerConfiguration, ChangedKeyWrittenInPlaceThenReadAgain)
{
    ScratchDir dir;
    write_file("user/configuration.txt", kShared);
    BasesInUse bases(dir.path() + "/user", "");
    EXPECT_EQ(configuration_path(), dir.path() + "/user/configuration.txt");
    reset_workspace();
    ASSERT_EQ(reload_configuration(), "");
    Settings after = ws.settings;
    after.efficiency = 0.68;
    std::string why;
    ASSERT_TRUE(save_brewer_configuration(ws.settings, after, &why)) << why;
    EXPECT_EQ(read_file("user/configuration.txt"), "# Configuration partagée\n"
                                                   "RENDEMENT\t68\n"
                                                   "# la durée de l'ébullition\n"
                                                   "TEMPS_EBULLITION\t60\n"
                                                   "CLE_D_UN_AUTRE\t3\n");
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.75) << "the settings change only when read again";
    reload_configuration();
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.68);
    EXPECT_DOUBLE_EQ(ws.settings.boil_minutes, 60);
}

TEST(BrewerConfiguration, ReloadForgetsAKeyTakenOutOfTheFile)
{
    ScratchDir dir;
    write_file("user/configuration.txt",
               "RENDEMENT\t75\nPERTE_FERMENTEUR\t2\nTEMPERATURE_AROMATISATION\t70\n");
    BasesInUse bases(dir.path() + "/user", "");
    reload_configuration();
    ASSERT_DOUBLE_EQ(ws.settings.fermenter_loss, 2);
    ASSERT_DOUBLE_EQ(ws.settings.aroma_celsius, 70);
    write_file("user/configuration.txt", "RENDEMENT\t75\n");
    reload_configuration();
    EXPECT_DOUBLE_EQ(ws.settings.fermenter_loss, 0);
    EXPECT_DOUBLE_EQ(ws.settings.aroma_celsius, 80) << "back to its start value, as at start-up";
}

TEST(BrewerConfiguration, AFileNotThereYetStartsAsTheSharedOne)
{
    ScratchDir dir;
    write_file("shared/configuration.txt", kShared);
    g_mkdir_with_parents((dir.path() + "/user").c_str(), 0755);
    BasesInUse bases(dir.path() + "/user", dir.path() + "/shared");
    reset_workspace();
    reload_configuration(); // the shared values stand in for the missing file
    ASSERT_DOUBLE_EQ(ws.settings.boil_minutes, 60);
    Settings after = ws.settings;
    after.boil_minutes = 75;
    std::string why;
    ASSERT_TRUE(save_brewer_configuration(ws.settings, after, &why)) << why;
    EXPECT_EQ(read_file("user/configuration.txt"), "# Configuration partagée\n"
                                                   "RENDEMENT\t75\n"
                                                   "# la durée de l'ébullition\n"
                                                   "TEMPS_EBULLITION\t75\n"
                                                   "CLE_D_UN_AUTRE\t3\n");
    EXPECT_EQ(read_file("shared/configuration.txt"), kShared);
}

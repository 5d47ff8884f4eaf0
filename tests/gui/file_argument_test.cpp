// tests/gui/file_argument_test.cpp — a recipe named on the command line, opened at start-up as Open opens it
// after its chooser (the same code: what is refused here is refused by Open).
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/startup.h"

#include <glib.h>

using FileArgument = GuiTest;

static const std::string kCreator = "CUVELO V0.9 : Créateur de recette de bière";

TEST_F(FileArgument, AGoodRecipeOpensAMissingOrForeignFileIsRefusedAndTheEmptyRecipeStays)
{
    const std::string folder = fixture_folder() + "/recettes/";
    const std::string good = folder + "argument.cvl";
    const std::string foreign = folder + "photo.cvl"; // a picture under a recipe's name
    const std::string recipe = "TITRE\tDonnée au démarrage\n"
                               "MALT\tmalt1\tPilsen\t5 KG\t3\t80\t0\tEMPATAGE\t2 KG\n";
    ASSERT_TRUE(g_file_set_contents(good.c_str(), recipe.c_str(), -1, nullptr));
    const char png[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01";
    ASSERT_TRUE(g_file_set_contents(foreign.c_str(), png, sizeof png - 1, nullptr));

    const struct {
        std::string path;
        bool opens;
        const char* reason; // when refused
    } cases[] = {{good, true, ""},
                 {folder + "absente.cvl", false, "fichier ou dossier introuvable"},
                 {foreign, false, "ce n'est pas un fichier recette"}};
    for (const auto& c : cases) {
        reset_to_new_recipe();
        DialogWatcher watcher;
        open_file_at_start(c.path);
        drain_events();
        if (c.opens) {
            EXPECT_TRUE(watcher.seen.empty()) << c.path;
            EXPECT_EQ(window_title(), "CUVELO V0.9 : Donnée au démarrage");
            EXPECT_EQ(shown_designations(), std::vector<std::string>{"Pilsen"});
            EXPECT_EQ(ws.file_name, good);
        } else {
            ASSERT_EQ(watcher.seen.size(), 1u) << c.path;
            EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_ERROR);
            EXPECT_EQ(watcher.seen[0].text,
                      "Impossible d'ouvrir le fichier recette :\n" + c.path + "\n(" + c.reason + ")");
            EXPECT_EQ(window_title(), kCreator) << c.path;
            EXPECT_TRUE(shown_designations().empty()) << c.path;
            EXPECT_EQ(ws.file_name, "");
        }
    }
}

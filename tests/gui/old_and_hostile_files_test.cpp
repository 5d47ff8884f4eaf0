// tests/gui/old_and_hostile_files_test.cpp — a recipe in Windows-1252, as a brewer hands it to the window:
// shown converted, saved with its own bytes.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

#include <glib/gstdio.h>

#include <fstream>
#include <gdk/gdkkeysyms.h>
#include <sstream>

using OldAndHostileFiles = GuiTest;

static std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// An older recipe written in Windows-1252: "Bière d'été", "Houblon « Saaz » 3.5 %", "Eau – source".
static const std::string kOldRecipe = "TITRE\tBi\xe8re d'\xe9t\xe9\n"
                                      "STYLE\tAles\tBlonde\t\t\t\t\t\t\t\t\tstyle3\tDor\xe9"
                                      "e\t\n"
                                      "CARBONATATION\t2.5 VOL\n"
                                      "FORCER_VOLUME\t0\n"
                                      "EAU\teau\tEau \x96 source\t20 L\t\t\t\tEMPATAGE\t0\n"
                                      "HOUBLONCONE\thoublon\tHoublon \xab Saaz \xbb\t30 G\t3.5\t\t60 MIN\t"
                                      "EBULLITION\t0.05\n";

static void open_file(const std::string& path)
{
    DialogWatcher watcher;
    watcher.choose_file(path);
    click_toolbar(CMD_OPEN);
}

static void save_file(const std::string& path)
{
    DialogWatcher watcher;
    watcher.choose_file(path);
    press_key(GDK_s, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK)); // under another name
}

TEST_F(OldAndHostileFiles, AWindows1252RecipeIsShownConvertedAndSavedWithItsOwnBytes)
{
    const std::string folder = fixture_folder() + "/recettes";
    g_mkdir_with_parents(folder.c_str(), 0755);
    const std::string old_path = folder + "/ancienne.cvl";
    std::ofstream(old_path, std::ios::binary) << kOldRecipe;
    open_file(old_path);
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Bière d'été");
    const auto rows = list_rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][2], "Eau – source");
    EXPECT_EQ(rows[1][2], "Houblon « Saaz »");

    // Opening the line dialog and validating it unchanged keeps the bytes; so does the title dialog.
    select_row(2);
    click_toolbar(CMD_MODIFY);
    ASSERT_NE(ui.edit_dialog, nullptr);
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.edit_dialog, "Valider")));
    drain_events();
    run_function("Titre de la recette");
    ASSERT_NE(ui.value_dialog, nullptr);
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.value_dialog, "Valider")));
    drain_events();
    const std::string saved_path = folder + "/resauvee.cvl";
    save_file(saved_path);
    EXPECT_EQ(file_bytes(saved_path), kOldRecipe);

    // A title the brewer types is UTF-8, and saved so.
    run_function("Titre de la recette");
    type_into(ui.value_entry, "Bière d'hiver");
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.value_dialog, "Valider")));
    drain_events();
    EXPECT_EQ(ws.title, "Bière d'hiver");
}

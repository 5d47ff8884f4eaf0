// tests/gui/installation_dialog_test.cpp — the brewery's configuration edited from the function menu: written
// to the file in use, comments and unknown lines kept, and followed at once by the estimates.
#include "gui_support.h"

#include "core/workspace.h"
#include "refdata/brewer_configuration.h"
#include "refdata/configuration.h"
#include "ui/dialog_kit.h"
#include "ui/installation_dialog.h"

#include <glib/gstdio.h>

namespace
{

std::string file_text(const std::string& path)
{
    gchar* bytes = nullptr;
    gsize size = 0;
    if (!g_file_get_contents(path.c_str(), &bytes, &size, nullptr))
        return "";
    std::string text(bytes, size);
    g_free(bytes);
    return text;
}

void put_file_text(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(g_file_set_contents(path.c_str(), text.c_str(), static_cast<gssize>(text.size()), nullptr));
}

void replace_line(std::string& text, const std::string& line, const std::string& by)
{
    const size_t at = text.find(line);
    ASSERT_NE(at, std::string::npos) << line;
    text.replace(at, line.size(), by);
}

const char kAside[] = ".mis-de-cote";
const char kBrewersLines[] = "# une note du brasseur, à garder\nCLE_D_UN_AUTRE_PROGRAMME\t42\n";

// The fixture's configuration with a comment and a key no Cuvelo reads, put back after each test.
class InstallationDialogTest : public GuiTest
{
  protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        fixture_ = file_text(configuration_path());
        ASSERT_FALSE(fixture_.empty());
        put_file_text(configuration_path(), fixture_ + kBrewersLines);
        reload_configuration();
    }
    void TearDown() override
    {
        if (installation_dialog())
            gtk_widget_destroy(installation_dialog());
        const std::string path = configuration_path();
        if (g_file_test(path.c_str(),
                        G_FILE_TEST_IS_DIR)) { // a failed test left the folder of the write test
            g_rmdir(path.c_str());
            g_remove((path + kAside).c_str());
        }
        put_file_text(path, fixture_);
        reload_configuration();
        GuiTest::TearDown();
    }
    void click(const std::string& label)
    {
        GtkWidget* button = dialog_button(installation_dialog(), label);
        ASSERT_NE(button, nullptr) << label;
        gtk_button_clicked(GTK_BUTTON(button));
        drain_events();
    }
    std::string fixture_;
};

} // namespace

TEST_F(InstallationDialogTest, ValidatedValuesAreWrittenReadAgainAndFollowedByTheEstimates)
{
    build_small_recipe();
    const double density_before = ws.estimates.initial_density;
    const double bitterness_before = ws.estimates.bitterness_ibu;
    ASSERT_GT(density_before, 1000);
    const std::string before = file_text(configuration_path());
    run_function("Installation");
    ASSERT_NE(installation_dialog(), nullptr);
    EXPECT_EQ(gtk_notebook_get_n_pages(GTK_NOTEBOOK(installation_notebook())), 6)
        << "Brasserie, Ébullition, Empâtage, Coûts, Modèles de calcul, Affichage";
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(installation_input("RENDEMENT", 0))), " 75");
    type_into(installation_input("RENDEMENT", 0), "62,5 %");
    type_into(installation_input("TEMPS_PALIER_MALTOSE", 1), "50");
    gtk_combo_box_set_active(GTK_COMBO_BOX(installation_input("MODELE_AMERTUME", 0)), 0);
    click("Valider");
    EXPECT_EQ(installation_dialog(), nullptr);

    std::string expected = before;
    replace_line(expected, "RENDEMENT\t75\n", "RENDEMENT\t62.5\n");
    replace_line(expected, "TEMPS_PALIER_MALTOSE\t63\t45\n", "TEMPS_PALIER_MALTOSE\t63\t50\n");
    expected += "# Modèle d'amertume (TINSETH ou CLASSIQUE).\nMODELE_AMERTUME\tTINSETH\n";
    EXPECT_EQ(file_text(configuration_path()), expected)
        << "only the changed keys are written; the comments, the unknown key and \"0,6\" stay as they were";
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.625);
    EXPECT_DOUBLE_EQ(ws.settings.rest_minutes[2], 50);
    EXPECT_EQ(ws.settings.bitterness_model, BitternessModel::tinseth);
    EXPECT_LT(ws.estimates.initial_density, density_before) << "the refresh followed the new efficiency";
    EXPECT_NE(ws.estimates.bitterness_ibu, bitterness_before) << "and the new bitterness model";
}

TEST_F(InstallationDialogTest, ARefusedFieldKeepsTheDialogOpenShowsItsPageAndWritesNothing)
{
    const std::string before = file_text(configuration_path());
    run_function("Installation");
    ASSERT_NE(installation_dialog(), nullptr);
    type_into(installation_input("RENDEMENT", 0), "62");
    type_into(installation_input("COULEUR_MIN", 0), "rouge");
    click("Valider");
    ASSERT_EQ(installation_dialog() != nullptr, true) << "a refused field keeps the dialog open";
    EXPECT_TRUE(entry_is_refused(installation_input("COULEUR_MIN", 0)));
    EXPECT_FALSE(entry_is_refused(installation_input("RENDEMENT", 0)));
    EXPECT_NE(dialog_hint(installation_dialog()).find("six chiffres hexadécimaux"), std::string::npos)
        << dialog_hint(installation_dialog());
    EXPECT_STREQ(
        gtk_notebook_get_tab_label_text(
            GTK_NOTEBOOK(installation_notebook()),
            gtk_notebook_get_nth_page(GTK_NOTEBOOK(installation_notebook()),
                                      gtk_notebook_get_current_page(GTK_NOTEBOOK(installation_notebook())))),
        "Affichage");
    EXPECT_EQ(file_text(configuration_path()), before);
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.75);
    type_into(installation_input("TEMPS_EBULLITION", 0), "-10");
    click("Valider");
    EXPECT_TRUE(entry_is_refused(installation_input("TEMPS_EBULLITION", 0)));
    EXPECT_EQ(file_text(configuration_path()), before);
    click("Annuler");
    EXPECT_EQ(installation_dialog(), nullptr);
    EXPECT_EQ(file_text(configuration_path()), before) << "Annuler writes nothing";
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.75);
}

TEST_F(InstallationDialogTest, AWriteThatFailsIsToldAndChangesNothing)
{
    const std::string path = configuration_path();
    const std::string before = file_text(path);
    ASSERT_EQ(g_rename(path.c_str(), (path + kAside).c_str()), 0);
    ASSERT_EQ(g_mkdir(path.c_str(), 0755), 0); // a folder in its place: no write can replace it
    run_function("Installation");
    ASSERT_NE(installation_dialog(), nullptr);
    type_into(installation_input("RENDEMENT", 0), "60");
    {
        DialogWatcher watcher;
        click("Valider");
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_ERROR);
        EXPECT_NE(watcher.seen[0].text.find("La configuration n'a pas pu être enregistrée"),
                  std::string::npos)
            << watcher.seen[0].text;
    }
    EXPECT_NE(installation_dialog(), nullptr) << "the dialog stays, the values typed with it";
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.75);
    ASSERT_EQ(g_rmdir(path.c_str()), 0);
    ASSERT_EQ(g_rename((path + kAside).c_str(), path.c_str()), 0);
    EXPECT_EQ(file_text(path), before);
}

TEST_F(InstallationDialogTest, AValueLeftAsShownIsKeptEvenOutsideTheRangeATypedOneMustKeep)
{
    // A brewery whose grain keeps more water than the dialog lets one type: the file says so, and changing
    // another key must not refuse it.
    put_file_text(configuration_path(), file_text(configuration_path()) + "PERTE_GRAIN\t12\n");
    reload_configuration();
    const std::string before = file_text(configuration_path());
    run_function("Installation");
    ASSERT_NE(installation_dialog(), nullptr);
    type_into(installation_input("RENDEMENT", 0), "70");
    click("Valider");
    EXPECT_EQ(installation_dialog(), nullptr);
    EXPECT_DOUBLE_EQ(ws.settings.loss_grain, 12);
    EXPECT_DOUBLE_EQ(ws.settings.efficiency, 0.7);
    std::string expected = before;
    replace_line(expected, "RENDEMENT\t75\n", "RENDEMENT\t70\n");
    EXPECT_EQ(file_text(configuration_path()), expected);
}

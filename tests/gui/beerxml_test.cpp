// tests/gui/beerxml_test.cpp — BeerXML from the window: a file of two recipes opened with the toolbar, the
// recipe chosen, the import message; the export command; a file that is no recipe refused by name.
#include "gui_support.h"

#include "core/history.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

#include <fstream>

using BeerXmlWindow = GuiTest;

static const char kTwoRecipes[] =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<RECIPES>\n"
    "<RECIPE><NAME>Pale de printemps</NAME><VERSION>1</VERSION><BATCH_SIZE>10</BATCH_SIZE></RECIPE>\n"
    "<RECIPE><NAME>Stout "
    "d'hiver</NAME><VERSION>1</VERSION><BATCH_SIZE>19</BATCH_SIZE><EFFICIENCY>70</EFFICIENCY>"
    "<OG>1.050 SG</OG><MASH><MASH_STEPS><MASH_STEP><NAME>Sacch</NAME></MASH_STEP></MASH_STEPS></MASH>"
    "<FERMENTABLES><FERMENTABLE><NAME>Pilsen</NAME><TYPE>Grain</TYPE><AMOUNT>4</AMOUNT><YIELD>80</YIELD>"
    "<COLOR>2</COLOR></FERMENTABLE><FERMENTABLE><NAME>Roasted Barley</NAME><TYPE>Grain</TYPE>"
    "<AMOUNT>0.3</AMOUNT><YIELD>55</YIELD><COLOR>300</COLOR></FERMENTABLE></FERMENTABLES>"
    "<HOPS><HOP><NAME>Saaz</NAME><ALPHA>3.5</ALPHA><AMOUNT>0.04</AMOUNT><USE>Boil</USE><TIME>60</TIME></HOP>"
    "</HOPS><YEASTS><YEAST><NAME>Irish Ale</NAME><AMOUNT>0.0115</AMOUNT><AMOUNT_IS_WEIGHT>TRUE"
    "</AMOUNT_IS_WEIGHT></YEAST></YEASTS></RECIPE>\n</RECIPES>\n";

static std::string write_fixture(const std::string& name, const std::string& bytes)
{
    const std::string path = fixture_folder() + "/recettes/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST_F(BeerXmlWindow, OpeningAFileOfTwoRecipesAsksWhichAndSaysWhatWasRead)
{
    // The extension does not matter: the content says BeerXML.
    const std::string path = write_fixture("hiver.txt", kTwoRecipes);
    DialogWatcher watcher;
    watcher.choose_file(path);
    watcher.recipe_choice = 1;
    click_toolbar(CMD_OPEN);
    ASSERT_EQ(watcher.seen.size(), 3u);
    EXPECT_EQ(watcher.seen[1].title, "Choisir une recette");
    EXPECT_EQ(watcher.seen[1].text, "1\tPale de printemps\n2\tStout d'hiver\n");
    const std::string message = watcher.seen[2].text;
    EXPECT_EQ(watcher.seen[2].message_type, GTK_MESSAGE_INFO);
    EXPECT_NE(message.find("Recette « Stout d'hiver » lue"), std::string::npos) << message;
    EXPECT_NE(message.find("1 palier d'empâtage"), std::string::npos) << message;
    EXPECT_NE(message.find("Densité initiale : 1050 ; Cuvelo : "), std::string::npos) << message;
    EXPECT_NE(message.find("Rendement : 70 % ; Cuvelo : "), std::string::npos) << message;

    // A new recipe, never saved: its title from the file, no file name, modified, the batch size forced.
    EXPECT_EQ(ws.file_name, "");
    EXPECT_TRUE(recipe_is_modified());
    EXPECT_FALSE(history_can_undo());
    EXPECT_EQ(window_title(), "CUVELO V0.9 : *Stout d'hiver"); // "*": saved in no Cuvelo file yet
    EXPECT_EQ(ws.title, "Stout d'hiver");
    // The waters are the database's own, with its pictures and prices.
    EXPECT_EQ(shown_designations(), (std::vector<std::string>{"Eau de brassage", "Pilsen", "Roasted Barley",
                                                              "Eau de rinçage", "Saaz", "Irish Ale"}));
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_NE(label_markup(2).find("#00F\">Volume Final : 18.9"), std::string::npos) << label_markup(2);
}

// However long the names of a file, the import message fits on the screen with its button: the names are
// cut, the corrections counted beyond 30, and the text scrolls inside the dialog.
TEST_F(BeerXmlWindow, TheImportMessageOfAFileOfLongNamesFitsOnTheScreen)
{
    std::string hops;
    for (int i = 0; i < 20; i++)
        hops += "<HOP><NAME>" + std::string(50000, static_cast<char>('a' + i)) + "</NAME><AMOUNT>1 " +
                std::string(50000, 'x') + "</AMOUNT></HOP>";
    const std::string title(1 << 20, 'T');
    DialogWatcher watcher;
    watcher.choose_file(write_fixture("longs.xml", "<RECIPE><NAME>\u202E" + title + "</NAME><HOPS>" + hops +
                                                       "</HOPS></RECIPE>"));
    click_toolbar(CMD_OPEN);
    ASSERT_EQ(watcher.seen.size(), 2u);
    const SeenDialog& message = watcher.seen[1];
    EXPECT_NE(message.text.find("Recette « " + std::string(120, 'T') + "… » lue"), std::string::npos);
    EXPECT_NE(message.text.find("… et 12 autres"), std::string::npos) << message.text.substr(0, 3000);
    EXPECT_LT(message.text.size(), 16000u);
    GdkScreen* screen = gtk_widget_get_screen(ui.main_window);
    EXPECT_LE(message.width, gdk_screen_get_width(screen));
    EXPECT_LE(message.height, gdk_screen_get_height(screen));
    EXPECT_EQ(message.buttons, std::vector<std::string>{"Fermer"});
    // The reversing character of the file is gone: the title reads left to right.
    EXPECT_EQ(window_title(), "CUVELO V0.9 : *" + std::string(200, 'T') + "…");
}

TEST_F(BeerXmlWindow, CancellingTheRecipeChoiceKeepsTheRecipe)
{
    build_small_recipe();
    const auto before = list_rows();
    DialogWatcher watcher;
    watcher.choose_file(write_fixture("deux.xml", kTwoRecipes));
    watcher.recipe_choice = -1;
    click_toolbar(CMD_OPEN);
    EXPECT_EQ(watcher.seen.size(), 2u);
    EXPECT_EQ(list_rows(), before);
}

TEST_F(BeerXmlWindow, AFileOfHopsOnlyIsRefusedByWhatItHolds)
{
    DialogWatcher watcher;
    watcher.choose_file(write_fixture(
        "houblons.xml", "<HOPS><HOP><NAME>Saaz</NAME></HOP><HOP><NAME>Tettnang</NAME></HOP></HOPS>"));
    click_toolbar(CMD_OPEN);
    ASSERT_EQ(watcher.seen.size(), 2u);
    EXPECT_EQ(watcher.seen[1].message_type, GTK_MESSAGE_ERROR);
    EXPECT_NE(watcher.seen[1].text.find("aucune recette : 2 houblons"), std::string::npos)
        << watcher.seen[1].text;
}

TEST_F(BeerXmlWindow, ExportWritesTheXmlFileAndSaysWhatWasClamped)
{
    build_small_recipe();
    const std::string path = fixture_folder() + "/recettes/export";
    {
        // "Pas de Style" has open ranges, 0 to 9999: they leave as the format's own bounds, without a word.
        DialogWatcher watcher;
        watcher.choose_file(path);
        run_function("Exporter en BeerXML…");
        ASSERT_EQ(watcher.seen.size(), 1u) << watcher.seen.back().text;
        EXPECT_EQ(watcher.seen[0].title, "Exporter en BeerXML");
        EXPECT_EQ(watcher.seen[0].action, GTK_FILE_CHOOSER_ACTION_SAVE);
        EXPECT_EQ(watcher.seen[0].filters, std::vector<std::string>{"Recettes BeerXML (*.xml)"});
    }
    std::ifstream file(path + ".xml");
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written.compare(0, 38, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"), 0);
    EXPECT_NE(written.find("<NAME>Pilsen</NAME>"), std::string::npos);
    EXPECT_NE(written.find("<OG_MAX>1.2</OG_MAX>"), std::string::npos);

    // A bound the brewer typed beyond the format's is said.
    ws.style.og_max = "1300";
    DialogWatcher watcher;
    watcher.choose_file(path + "-typed");
    run_function("Exporter en BeerXML…");
    ASSERT_EQ(watcher.seen.size(), 2u);
    EXPECT_NE(watcher.seen[1].text.find("OG_MAX 1.3 ramené à 1.2"), std::string::npos)
        << watcher.seen[1].text;
    EXPECT_EQ(watcher.seen[1].text.find("OG_MIN"), std::string::npos) << watcher.seen[1].text;
}

// tests/gui/scenario_test.cpp — a brewer's session from an empty recipe to a saved and reopened one.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

using Scenario = GuiTest;

static void choose(GtkWidget* menu, int toolbar_command, const std::vector<std::string>& path)
{
    click_toolbar(toolbar_command);
    ASSERT_TRUE(activate_menu_path(menu, path));
    gtk_menu_popdown(GTK_MENU(menu));
    drain_events();
}

static void enter_value(const std::string& function, const std::string& typed)
{
    run_function(function);
    ASSERT_NE(ui.value_dialog, nullptr);
    type_into(ui.value_entry, typed);
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.value_dialog, "Valider")));
    drain_events();
}

TEST_F(Scenario, BrewerBuildsEditsSavesStartsAnewAndReopens)
{
    // Compose a pale ale from the menus.
    add_from_menu(CMD_MALT_MENU, "Malts de base", "4 KG Pale Ale");
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_MALT_MENU, "Malts spéciaux", "250 G Cara 120");
    add_from_menu(CMD_HOP_MENU, "Houblons", "20 G Cascade");
    add_from_menu(CMD_WATER_MENU, "Eaux", "12 L Eau de rinçage");
    add_from_menu(CMD_YEAST_MENU, "Levures", "1 SACHET Levure ale");
    ASSERT_EQ(list_rows().size(), 6u);

    // Water first: move it up, then put the rinse water after the malts.
    select_row(2);
    click_toolbar(CMD_MOVE_UP);
    select_row(5);
    click_toolbar(CMD_MOVE_UP);
    EXPECT_EQ(shown_designations(), (std::vector<std::string>{"Eau de brassage", "Pale Ale", "Cara 120",
                                                              "Eau de rinçage", "Cascade", "Levure ale"}));

    // More hops, by a double click on the hop line.
    activate_row(5);
    ASSERT_NE(ui.edit_dialog, nullptr);
    type_into(ui.edit_quantity_entry, " 35 g");
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.edit_dialog, "Valider")));
    drain_events();
    EXPECT_EQ(list_rows()[4][1], "35 G");
    EXPECT_EQ(label_markup(10), "Houblon : 35 G");

    // Change of mind about the crystal malt.
    select_row(3);
    click_toolbar(CMD_DELETE);
    EXPECT_EQ(list_rows().size(), 5u);

    // Style, forced volume, carbonation and title.
    choose(ui.style_menu, CMD_STYLE_MENU, {"Ales blondes", "Style 25"});
    enter_value("Forcer le volume final", "21");
    EXPECT_EQ(list_rows()[0][1], "12 L") << "3 L per kg of the 4 kg of malt";
    {
        DialogWatcher watcher;
        enter_value("Carbonatation", "2,2");
        EXPECT_EQ(watcher.seen.size(), 1u);
    }
    enter_value("Titre de la recette", "Pale ale d'été");
    EXPECT_EQ(window_title(), "CUVELO V0.9 : *Pale ale d'été");

    const auto rows = list_rows();
    std::vector<std::string> labels;
    for (int k = 1; k <= 18; k++)
        labels.push_back(label_markup(k));

    const std::string path = fixture_folder() + "/recettes/pale-ale";
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_SAVE);
        EXPECT_FALSE(watcher.gave_up);
    }
    EXPECT_EQ(ws.file_name, path + ".cvl");

    click_toolbar(CMD_NEW);
    EXPECT_TRUE(list_rows().empty());
    EXPECT_EQ(style_button_text(), " Pas de Style");
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Créateur de recette de bière");

    {
        DialogWatcher watcher;
        watcher.choose_file(path + ".cvl");
        click_toolbar(CMD_OPEN);
        EXPECT_FALSE(watcher.gave_up);
    }
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(style_button_text(), " Style 25");
    EXPECT_EQ(ws.carbonation, "2.2 VOL");
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Pale ale d'été");
    for (int k = 1; k <= 18; k++)
        EXPECT_EQ(label_markup(k), labels[k - 1]) << "label " << k;
}

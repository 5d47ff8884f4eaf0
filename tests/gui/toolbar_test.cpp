// tests/gui/toolbar_test.cpp — the toolbar's buttons and commands: new, open, save, report, line commands.
#include "gui_support.h"

#include "core/picture.h"
#include "core/workspace.h"
#include "report/browser.h"
#include "ui/commands.h"
#include "ui/widgets.h"

#include <fstream>
#include <gdk/gdkkeysyms.h>
#include <glib/gstdio.h>

using Toolbar = GuiTest;

static const std::string kCreator = "CUVELO V0.9 : Créateur de recette de bière";

TEST_F(Toolbar, HasFifteenPictureButtonsInOneRow)
{
    GList* children = gtk_container_get_children(GTK_CONTAINER(ui.toolbar_table));
    std::vector<bool> column_used(15, false);
    int buttons = 0;
    for (GList* child = children; child; child = child->next) {
        GtkWidget* widget = GTK_WIDGET(child->data);
        ASSERT_TRUE(GTK_IS_BUTTON(widget));
        buttons++;
        EXPECT_TRUE(GTK_IS_IMAGE(gtk_bin_get_child(GTK_BIN(widget))))
            << "a picture is the button's only content";
        EXPECT_EQ(gtk_button_get_label(GTK_BUTTON(widget)), nullptr);
        guint left = 99, top = 99;
        gtk_container_child_get(GTK_CONTAINER(ui.toolbar_table), widget, "left-attach", &left, "top-attach",
                                &top, nullptr);
        ASSERT_LT(left, 15u);
        EXPECT_EQ(top, 0u);
        column_used[left] = true;
    }
    g_list_free(children);
    EXPECT_EQ(buttons, 15);
    EXPECT_EQ(std::count(column_used.begin(), column_used.end(), true), 15);
    EXPECT_TRUE(gtk_table_get_homogeneous(GTK_TABLE(ui.toolbar_table)));
}

TEST_F(Toolbar, ButtonsShowTheirPicturesLeftToRight)
{
    static const char* const pictures[] = {"nouveau",  "ouvrir",   "enregistrer", "html",      "style",
                                           "eau",      "malt1",    "houbloncone", "sucre",     "levure",
                                           "fonction", "modifier", "monter",      "descendre", "supprimer"};
    GList* children = gtk_container_get_children(GTK_CONTAINER(ui.toolbar_table));
    for (GList* child = children; child; child = child->next) {
        guint left = 0;
        gtk_container_child_get(GTK_CONTAINER(ui.toolbar_table), GTK_WIDGET(child->data), "left-attach",
                                &left, nullptr);
        GtkImage* image = GTK_IMAGE(gtk_bin_get_child(GTK_BIN(child->data)));
        ASSERT_LT(left, 15u);
        ASSERT_EQ(gtk_image_get_storage_type(image), GTK_IMAGE_PIXBUF) << pictures[left];
        EXPECT_EQ(gtk_image_get_pixbuf(image), picture_for(pictures[left])) << "column " << left;
    }
    g_list_free(children);
}

TEST_F(Toolbar, MenuButtonsPopUpTheirMenusAndRefreshAtOnce)
{
    const struct {
        int command;
        GtkWidget* menu;
    } buttons[] = {{CMD_WATER_MENU, ui.category_menus[1]}, {CMD_MALT_MENU, ui.category_menus[2]},
                   {CMD_HOP_MENU, ui.category_menus[3]},   {CMD_SUGAR_MENU, ui.category_menus[4]},
                   {CMD_YEAST_MENU, ui.category_menus[5]}, {CMD_FUNCTION_MENU, ui.function_menu},
                   {CMD_STYLE_MENU, ui.style_menu}};
    for (const auto& button : buttons) {
        gtk_label_set_text(GTK_LABEL(ui.result_labels[1]), "stale");
        click_toolbar(button.command);
        EXPECT_TRUE(gtk_widget_get_visible(button.menu)) << "command " << button.command;
        EXPECT_EQ(label_markup(1), "Min - Max") << "the results are refreshed before an item is chosen";
        gtk_menu_popdown(GTK_MENU(button.menu));
        drain_events();
    }
}

TEST_F(Toolbar, NewDropsRecipeTitleStyleAndCarbonation)
{
    build_small_recipe();
    ws.title = "Ma blonde";
    ws.carbonation = "3 VOL";
    ws.style = ws.styles[5];
    ws.style_display_mode = 2;
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    ws.selected_line = 2;
    {
        DialogWatcher watcher; // "Ne pas enregistrer"
        click_toolbar(CMD_NEW);
        EXPECT_EQ(watcher.questions.size(), 1u);
    }
    EXPECT_TRUE(list_rows().empty());
    EXPECT_EQ(ws.line_count, 0);
    EXPECT_EQ(ws.selected_line, 0);
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.volume_forced, 0);
    EXPECT_EQ(ws.forced_volume, 0) << "a later save must not force the new recipe's volume";
    EXPECT_EQ(style_button_text(), " Pas de Style");
    EXPECT_EQ(window_title(), kCreator);
}

TEST_F(Toolbar, SaveThenOpenBringsTheRecipeBack)
{
    build_small_recipe();
    const std::string path = fixture_folder() + "/recettes/aller-retour.cvl";
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_SAVE);
        ASSERT_EQ(watcher.seen.size(), 1u);
        const SeenDialog& chooser = watcher.seen[0];
        EXPECT_TRUE(chooser.file_chooser);
        EXPECT_EQ(chooser.title, "Enregistrer une recette");
        EXPECT_EQ(chooser.action, GTK_FILE_CHOOSER_ACTION_SAVE);
        EXPECT_EQ(chooser.filters, std::vector<std::string>{"Fichier Recette CUVELO (*.cvl)"});
        EXPECT_TRUE(chooser.transient_for_main);
        EXPECT_FALSE(watcher.gave_up);
    }
    EXPECT_EQ(window_title(), kCreator + " : aller-retour.cvl");
    const auto saved_rows = list_rows();

    click_toolbar(CMD_NEW);
    ASSERT_TRUE(list_rows().empty());
    ws.style_display_mode = 1;
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_OPEN);
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].title, "Ouvrir une recette");
        EXPECT_EQ(watcher.seen[0].action, GTK_FILE_CHOOSER_ACTION_OPEN);
        EXPECT_EQ(watcher.seen[0].filters,
                  (std::vector<std::string>{"Fichier Recette CUVELO (*.cvl)", "Recettes BeerXML (*.xml)",
                                            "Recettes BeerJSON (*.json)", "Toutes les recettes"}));
        EXPECT_FALSE(watcher.gave_up);
    }
    EXPECT_EQ(list_rows(), saved_rows);
    EXPECT_EQ(ws.style_display_mode, 0);
    EXPECT_EQ(window_title(), kCreator + " : aller-retour.cvl");
}

TEST_F(Toolbar, SaveAfterOpenProposesTheOpenedFile)
{
    build_small_recipe();
    const std::string path = fixture_folder() + "/recettes/proposee.cvl";
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_SAVE);
    }
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        click_toolbar(CMD_OPEN);
    }
    DialogWatcher watcher;
    watcher.choose_file("");
    watcher.expect_proposal = true;
    press_key(GDK_S, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK)); // Save as
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].proposed, path);
    EXPECT_FALSE(watcher.gave_up);
}

TEST_F(Toolbar, CancelledOpenChangesNothing)
{
    build_small_recipe();
    ws.title = "Ma blonde";
    const auto rows = list_rows();
    DialogWatcher watcher;
    watcher.choose_file("");
    click_toolbar(CMD_OPEN);
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(ws.file_name, "");
    EXPECT_EQ(ws.title, "Ma blonde");
}

TEST_F(Toolbar, FailedOpenShowsMessageAndKeepsRecipeAndTitle)
{
    // Recipe paths take a backslash as a folder separator, so this file is listed but cannot be read.
    const std::string path = fixture_folder() + "/recettes/illisible\\ipa.cvl";
    std::ofstream(path) << "TITRE\tIllisible\n";
    build_small_recipe();
    const auto rows = list_rows();
    const std::string title = window_title();
    DialogWatcher watcher;
    watcher.choose_file(path);
    click_toolbar(CMD_OPEN);
    ASSERT_EQ(watcher.seen.size(), 2u);
    const SeenDialog& message = watcher.seen[1];
    EXPECT_FALSE(message.file_chooser);
    EXPECT_EQ(message.message_type, GTK_MESSAGE_ERROR);
    EXPECT_EQ(message.text,
              "Impossible d'ouvrir le fichier recette :\n" + path + "\n(fichier ou dossier introuvable)");
    EXPECT_TRUE(message.transient_for_main);
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(window_title(), title);
    EXPECT_EQ(ws.file_name, "");
}

TEST_F(Toolbar, FailedSaveShowsMessageAndKeepsFileName)
{
    build_small_recipe();
    const std::string path = "/proc/cuvelo-impossible.cvl"; // nothing can be created there, even by root
    DialogWatcher watcher;
    watcher.choose_file(path);
    click_toolbar(CMD_SAVE);
    ASSERT_EQ(watcher.seen.size(), 2u);
    EXPECT_EQ(watcher.seen[1].message_type, GTK_MESSAGE_ERROR);
    EXPECT_EQ(watcher.seen[1].text, "Impossible d'enregistrer la recette dans le fichier :\n" + path +
                                        "\n(fichier ou dossier introuvable)");
    EXPECT_EQ(ws.file_name, "");
    EXPECT_EQ(window_title(), "*" + kCreator) << "still not saved";
    EXPECT_EQ(list_rows().size(), 4u);
}

TEST_F(Toolbar, ReportWithABrowserThatCannotStartSaysSo)
{
    build_small_recipe();
    const std::string browser = ws.settings.browser;
    ws.settings.browser = "cuvelo-navigateur-absent";
    DialogWatcher watcher;
    click_toolbar(CMD_HTML_REPORT);
    ws.settings.browser = browser;
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_ERROR);
    EXPECT_NE(watcher.seen[0].text.find("Impossible de lancer le navigateur"), std::string::npos);
    EXPECT_NE(watcher.seen[0].text.find("cuvelo-navigateur-absent"), std::string::npos);
    EXPECT_NE(watcher.seen[0].text.find("clé NAVIGATEUR de bases/configuration.txt"), std::string::npos)
        << "where the browser is chosen: " << watcher.seen[0].text;
    EXPECT_EQ(list_rows().size(), 4u);
}

// The text of the one message shown without waiting, which is then closed; "" when there is none.
static std::string take_notice()
{
    std::string text;
    GList* windows = gtk_window_list_toplevels();
    for (GList* node = windows; node; node = node->next) {
        GtkWidget* window = GTK_WIDGET(node->data);
        if (GTK_IS_MESSAGE_DIALOG(window) && gtk_widget_get_visible(window)) {
            gchar* shown = nullptr;
            g_object_get(window, "text", &shown, nullptr);
            text = shown ? shown : "";
            g_free(shown);
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CLOSE);
        }
    }
    g_list_free(windows);
    drain_events();
    return text;
}

// A browser command that starts but ends in error at once (xdg-open without a desktop) showed nothing and
// said nothing; now a message says so and names the key, without stopping the window.
TEST_F(Toolbar, ReportWithABrowserThatEndsInErrorAtOnceSaysSo)
{
    build_small_recipe();
    const std::string browser = ws.settings.browser;
    ws.settings.browser = "false";
    click_toolbar(CMD_HTML_REPORT);
    ws.settings.browser = browser;
    while (running_browser_count() > 0)
        g_main_context_iteration(nullptr, TRUE); // until the browser's end is noticed, as the main loop does
    drain_events();
    const std::string notice = take_notice();
    EXPECT_NE(notice.find("Le navigateur « false » s'est arrêté en erreur (code 1)"), std::string::npos)
        << notice;
    EXPECT_NE(notice.find("clé NAVIGATEUR de bases/configuration.txt"), std::string::npos) << notice;
    EXPECT_EQ(take_notice(), "") << "one message, gone once closed";
    EXPECT_EQ(list_rows().size(), 4u);
}

TEST_F(Toolbar, ReportThatCannotBeWrittenSaysWhere)
{
    const std::string blocked = fixture_folder() + "/recette.html";
    g_remove(blocked.c_str());
    ASSERT_EQ(g_mkdir(blocked.c_str(), 0755), 0); // a folder where the page should go
    DialogWatcher watcher;
    click_toolbar(CMD_HTML_REPORT);
    g_rmdir(blocked.c_str());
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_ERROR);
    EXPECT_EQ(watcher.seen[0].text, "Impossible d'écrire le rapport :\n" + blocked + "\n(c'est un dossier)");
}

TEST_F(Toolbar, ReportWithoutBrowserSettingSaysSo)
{
    const std::string browser = ws.settings.browser;
    ws.settings.browser = "";
    DialogWatcher watcher;
    click_toolbar(CMD_HTML_REPORT);
    ws.settings.browser = browser;
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].text,
              "Aucun navigateur n'est indiqué (clé NAVIGATEUR de bases/configuration.txt).");
}

TEST_F(Toolbar, ReportShownInTheBrowserSaysNothing)
{
    const std::string browser = ws.settings.browser;
    ws.settings.browser = "true"; // a program that starts and ends at once
    DialogWatcher watcher;
    click_toolbar(CMD_HTML_REPORT);
    ws.settings.browser = browser;
    EXPECT_TRUE(watcher.seen.empty());
    EXPECT_TRUE(g_file_test((fixture_folder() + "/recette.html").c_str(), G_FILE_TEST_IS_REGULAR));
}

TEST_F(Toolbar, MoveUpOnTheFirstLineDoesNothingAndKeepsTheSelection)
{
    build_small_recipe();
    select_row(1);
    click_toolbar(CMD_MOVE_UP);
    EXPECT_EQ(shown_designations(),
              (std::vector<std::string>{"Eau de brassage", "Pilsen", "Saaz", "Levure ale"}));
    EXPECT_EQ(ws.selected_line, 1);
}

TEST_F(Toolbar, MovedLineStaysSelectedForTheNextMove)
{
    build_small_recipe();
    select_row(3);
    click_toolbar(CMD_MOVE_UP);
    EXPECT_EQ(shown_designations(),
              (std::vector<std::string>{"Eau de brassage", "Saaz", "Pilsen", "Levure ale"}));
    EXPECT_EQ(ws.selected_line, 2);
    press_key(GDK_Up, GDK_MOD1_MASK);
    EXPECT_EQ(shown_designations(),
              (std::vector<std::string>{"Saaz", "Eau de brassage", "Pilsen", "Levure ale"}));
    press_key(GDK_Down, GDK_MOD1_MASK);
    press_key(GDK_Down, GDK_MOD1_MASK);
    EXPECT_EQ(shown_designations(),
              (std::vector<std::string>{"Eau de brassage", "Pilsen", "Saaz", "Levure ale"}));
    EXPECT_EQ(ws.selected_line, 3);
    GtkTreeModel* model = nullptr;
    GtkTreeIter row;
    ASSERT_TRUE(gtk_tree_selection_get_selected(ui.recipe_selection, &model, &row)) << "shown selected";
    gchar* number = nullptr;
    gtk_tree_model_get(model, &row, 0, &number, -1);
    EXPECT_STREQ(number, "3");
    g_free(number);
}

TEST_F(Toolbar, MoveDownOnTheLastLineDoesNothing)
{
    build_small_recipe();
    select_row(4);
    click_toolbar(CMD_MOVE_DOWN);
    EXPECT_EQ(shown_designations().back(), "Levure ale");
    select_row(3);
    click_toolbar(CMD_MOVE_DOWN);
    EXPECT_EQ(shown_designations(),
              (std::vector<std::string>{"Eau de brassage", "Pilsen", "Levure ale", "Saaz"}));
    EXPECT_EQ(ws.selected_line, 4);
}

TEST_F(Toolbar, DeleteRemovesTheSelectedLineOnce)
{
    build_small_recipe();
    select_row(2);
    click_toolbar(CMD_DELETE);
    EXPECT_EQ(shown_designations(), (std::vector<std::string>{"Eau de brassage", "Saaz", "Levure ale"}));
    click_toolbar(CMD_DELETE);
    EXPECT_EQ(list_rows().size(), 3u) << "a second Delete without a new selection does nothing";
}

TEST_F(Toolbar, LineCommandsIgnoreASelectionBeyondTheList)
{
    build_small_recipe();
    ws.selected_line = 6; // as left by a merge that shortened the list
    const auto rows = list_rows();
    for (int command : {CMD_MODIFY, CMD_MOVE_UP, CMD_MOVE_DOWN, CMD_DELETE}) {
        click_toolbar(command);
        EXPECT_EQ(list_rows(), rows) << "command " << command;
        EXPECT_EQ(ui.edit_dialog, nullptr) << "command " << command;
    }
    EXPECT_EQ(ws.line_count, 4);
}

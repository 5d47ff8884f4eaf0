// tests/gui/recipe_view_test.cpp — the recipe list: its columns, its rows and the selected line.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

using RecipeView = GuiTest;

TEST_F(RecipeView, EmptyRecipeShowsEightHeadersTheFirstTwoBlank)
{
    EXPECT_TRUE(list_rows().empty());
    std::vector<std::string> titles;
    for (int i = 0; GtkTreeViewColumn* column = gtk_tree_view_get_column(GTK_TREE_VIEW(ui.recipe_view), i);
         i++)
        titles.push_back(gtk_tree_view_column_get_title(column));
    EXPECT_EQ(titles, (std::vector<std::string>{"", "", "Quantité", "Désignation", "Valeur", "Rendement",
                                                "Temps", "Etape"}));
    EXPECT_EQ(gtk_tree_selection_get_mode(ui.recipe_selection), GTK_SELECTION_SINGLE);
    GtkPolicyType horizontal, vertical;
    gtk_scrolled_window_get_policy(GTK_SCROLLED_WINDOW(ui.recipe_scroller), &horizontal, &vertical);
    EXPECT_EQ(horizontal, GTK_POLICY_NEVER);
    EXPECT_EQ(vertical, GTK_POLICY_AUTOMATIC);
}

TEST_F(RecipeView, RowsShowTheLineNumberAndItsTextsAsStored)
{
    build_small_recipe();
    EXPECT_EQ(list_rows(), (std::vector<std::vector<std::string>>{
                               {"1", "15 L", "Eau de brassage", "0", "0", "0", "EMPATAGE"},
                               {"2", "5 KG", "Pilsen", "3", "80", "0", "EMPATAGE"},
                               {"3", "40 G", "Saaz", "3.5", "0", "60", "EBULLITION"},
                               {"4", "1 SACHET", "Levure ale", "0", "75", "0", "FERMENTATION"}}));
}

TEST_F(RecipeView, PictureColumnHoldsTheLinePicture)
{
    build_small_recipe();
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(ui.recipe_view));
    GtkTreeIter row;
    ASSERT_TRUE(gtk_tree_model_iter_nth_child(model, &row, nullptr, 1));
    GdkPixbuf* picture = nullptr;
    gtk_tree_model_get(model, &row, 1, &picture, -1);
    EXPECT_NE(picture, nullptr);
    EXPECT_EQ(picture, ws.lines[2].picture_pixbuf);
    if (picture)
        g_object_unref(picture);
}

TEST_F(RecipeView, SelectingARowSetsTheSelectedLine)
{
    build_small_recipe();
    select_row(2);
    EXPECT_EQ(ws.selected_line, 2);
    select_row(4);
    EXPECT_EQ(ws.selected_line, 4);
}

TEST_F(RecipeView, RefillKeepsTheSelectedLineHighlighted)
{
    build_small_recipe();
    select_row(3);
    DialogWatcher watcher;
    watcher.choose_file(fixture_folder() + "/recettes/selection.cvl");
    click_toolbar(CMD_SAVE);
    EXPECT_EQ(gtk_tree_selection_count_selected_rows(ui.recipe_selection), 1) << "the line stays highlighted";
    EXPECT_EQ(ws.selected_line, 3);
    click_toolbar(CMD_DELETE);
    EXPECT_EQ(shown_designations(), (std::vector<std::string>{"Eau de brassage", "Pilsen", "Levure ale"}));
}

TEST_F(RecipeView, ActivatingARowOpensTheLineDialogForIt)
{
    build_small_recipe();
    activate_row(3);
    ASSERT_NE(ui.edit_dialog, nullptr);
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(ui.edit_label)), " Saaz");
}

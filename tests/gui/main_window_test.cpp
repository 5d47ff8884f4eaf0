// tests/gui/main_window_test.cpp — the main window's skeleton, the results grid and the window title.
#include "gui_support.h"

#include "core/workspace.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

using MainWindow = GuiTest;

TEST_F(MainWindow, NewRecipeShowsTheCreatorTitleAlone)
{
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Créateur de recette de bière");
    EXPECT_EQ(ws.file_base_name, "");
}

TEST_F(MainWindow, IsAtLeast720By630WithItsTwoPaneDividers)
{
    int width = 0, height = 0;
    gtk_widget_get_size_request(ui.main_window, &width, &height);
    EXPECT_EQ(width, 720);
    EXPECT_EQ(height, 630);
    EXPECT_EQ(gtk_paned_get_position(GTK_PANED(ui.outer_paned)), 50);
    EXPECT_EQ(gtk_paned_get_position(GTK_PANED(ui.inner_paned)), 435);
    EXPECT_EQ(gtk_widget_get_events(ui.main_window), 0x210E);
    EXPECT_TRUE(gtk_widget_get_visible(ui.main_window));
}

TEST_F(MainWindow, PanesHoldToolbarThenListThenResults)
{
    EXPECT_EQ(gtk_paned_get_child1(GTK_PANED(ui.outer_paned)), ui.toolbar_table);
    EXPECT_EQ(gtk_paned_get_child2(GTK_PANED(ui.outer_paned)), ui.inner_paned);
    EXPECT_EQ(gtk_paned_get_child1(GTK_PANED(ui.inner_paned)), ui.recipe_scroller);
    EXPECT_EQ(gtk_paned_get_child2(GTK_PANED(ui.inner_paned)), ui.results_table);
}

struct Cell {
    guint left, right, top, bottom;
};

static Cell cell_of(GtkWidget* widget)
{
    Cell cell{};
    gtk_container_child_get(GTK_CONTAINER(ui.results_table), widget, "left-attach", &cell.left,
                            "right-attach", &cell.right, "top-attach", &cell.top, "bottom-attach",
                            &cell.bottom, nullptr);
    return cell;
}

TEST_F(MainWindow, ResultsGridPlacesLabelsRowByRowUnderTheStyleButton)
{
    EXPECT_TRUE(gtk_table_get_homogeneous(GTK_TABLE(ui.results_table)));
    const Cell label1 = cell_of(ui.result_labels[1]);
    EXPECT_EQ((std::vector<guint>{label1.left, label1.right, label1.top, label1.bottom}),
              (std::vector<guint>{2, 3, 0, 2}));
    const Cell label2 = cell_of(ui.result_labels[2]);
    EXPECT_EQ((std::vector<guint>{label2.left, label2.right, label2.top, label2.bottom}),
              (std::vector<guint>{3, 4, 0, 2}));
    for (guint row = 0; row < 4; row++)
        for (guint column = 0; column < 4; column++) {
            const Cell cell = cell_of(ui.result_labels[3 + 4 * row + column]);
            EXPECT_EQ(cell.left, column);
            EXPECT_EQ(cell.right, column + 1);
            EXPECT_EQ(cell.top, row + 2);
            EXPECT_EQ(cell.bottom, row + 3);
        }
    const Cell button = cell_of(ui.style_button);
    EXPECT_EQ((std::vector<guint>{button.left, button.right, button.top, button.bottom}),
              (std::vector<guint>{0, 2, 0, 2}));
    EXPECT_EQ(gtk_button_get_relief(GTK_BUTTON(ui.style_button)), GTK_RELIEF_NONE);
}

struct TitleCase {
    const char* file_name;
    const char* title;
    const char* window_title;
    const char* base_name;
};

static const TitleCase kTitles[] = {
    {"", "", "CUVELO V0.9 : Créateur de recette de bière", ""},
    {"/home/u/biere.cvl", "", "CUVELO V0.9 : Créateur de recette de bière : biere.cvl", "biere.cvl"},
    {"D:\\recettes\\ipa.cvl", "", "CUVELO V0.9 : Créateur de recette de bière : ipa.cvl", "ipa.cvl"},
    {"/a\\b/c.cvl", "", "CUVELO V0.9 : Créateur de recette de bière : c.cvl", "c.cvl"},
    {"simple.cvl", "", "CUVELO V0.9 : Créateur de recette de bière : simple.cvl", "simple.cvl"},
    {"/home/u/biere.cvl", "Ma blonde", "CUVELO V0.9 : Ma blonde", "biere.cvl"}, // the title hides the file
    {"", "Ma blonde", "CUVELO V0.9 : Ma blonde", ""},
};

TEST_F(MainWindow, TitleShowsRecipeTitleOrFileNameAfterLastSeparator)
{
    for (const TitleCase& c : kTitles) {
        ws.file_name = c.file_name;
        ws.title = c.title;
        update_window_title();
        EXPECT_EQ(window_title(), c.window_title) << c.file_name << " / " << c.title;
        EXPECT_EQ(ws.file_base_name, c.base_name) << c.file_name;
    }
}

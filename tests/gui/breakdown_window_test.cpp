// tests/gui/breakdown_window_test.cpp — the breakdown window, opened from the function menu and kept up to
// date by every command while it is open.
#include "gui_support.h"

#include "ui/breakdown_window.h"
#include "ui/commands.h"
#include "ui/widgets.h"

using BreakdownWindow = GuiTest;

// The rows of the window's table, each as its ten texts.
static std::vector<std::vector<std::string>> shown_rows()
{
    std::vector<std::vector<std::string>> rows;
    GtkTreeModel* model = gtk_tree_view_get_model(breakdown_view());
    GtkTreeIter iter;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter)) {
        std::vector<std::string> row;
        for (int column = 0; column < gtk_tree_model_get_n_columns(model); column++) {
            gchar* text = nullptr;
            gtk_tree_model_get(model, &iter, column, &text, -1);
            row.push_back(text ? text : "");
            g_free(text);
        }
        rows.push_back(row);
    }
    return rows;
}

// The figure of a result label: "<span foreground=\"#000\">17.56 EBC</span>" gives "17.56".
static std::string figure_of(int label)
{
    const std::string markup = label_markup(label);
    const size_t start = markup.find('>') + 1;
    return markup.substr(start, markup.find_first_of(" <", start) - start);
}

// The totals row must show what the results panel shows, after each command.
static void expect_totals_of_the_panel(const std::string& context)
{
    const std::vector<std::vector<std::string>> rows = shown_rows();
    ASSERT_FALSE(rows.empty()) << context;
    const std::vector<std::string>& total = rows.back();
    EXPECT_EQ(total[1].rfind("Total", 0), 0u) << context;
    if (figure_of(4) == "0")
        EXPECT_EQ(total[2], "0") << context; // no density: no points to share
    else
        EXPECT_NE(total[1].find(figure_of(4)), std::string::npos) << context << ": " << total[1];
    EXPECT_EQ(total[6], figure_of(12)) << context;
    EXPECT_EQ(total[4], figure_of(16)) << context;
}

TEST_F(BreakdownWindow, OpensFromTheFunctionMenuAndFollowsEveryCommand)
{
    build_small_recipe();
    ASSERT_EQ(breakdown_window(), nullptr);
    run_function("Détail des estimations");
    ASSERT_NE(breakdown_window(), nullptr);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(breakdown_window())), "Détail des estimations");
    EXPECT_TRUE(gtk_widget_get_visible(breakdown_window()));
    std::vector<std::vector<std::string>> rows = shown_rows();
    ASSERT_GE(rows.size(), 5u); // four lines, then the totals
    EXPECT_EQ(rows[1][1], "Pilsen");
    EXPECT_EQ(rows[1][3], "100");
    EXPECT_EQ(rows[2][1], "Saaz");
    EXPECT_EQ(rows[2][7], "100");
    expect_totals_of_the_panel("opened");

    // The same menu item brings the one window back rather than opening another.
    GtkWidget* window = breakdown_window();
    run_function("Détail des estimations");
    EXPECT_EQ(breakdown_window(), window);

    // The table follows a command without being reopened.
    select_row(2);
    click_toolbar(CMD_DELETE);
    rows = shown_rows();
    EXPECT_EQ(rows[1][1], "Saaz");
    expect_totals_of_the_panel("malt deleted");

    gtk_widget_destroy(window);
    drain_events();
    EXPECT_EQ(breakdown_window(), nullptr);
    run_function("Fusionner et trier les ingrédients"); // a refresh with the window closed
    EXPECT_EQ(breakdown_window(), nullptr);
}

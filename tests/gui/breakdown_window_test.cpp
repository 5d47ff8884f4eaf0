// tests/gui/breakdown_window_test.cpp — the breakdown window, opened from the function menu and kept up to
// date by every command while it is open.
#include "gui_support.h"

#include "ui/breakdown_window.h"
#include "ui/commands.h"
#include "ui/widgets.h"

#include <gdk/gdkkeysyms.h>

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

// The toolbar's place on the screen.
static GdkRectangle toolbar_on_screen()
{
    GtkAllocation toolbar;
    gtk_widget_get_allocation(ui.toolbar_table, &toolbar);
    int x = 0, y = 0, origin_x = 0, origin_y = 0;
    gtk_widget_translate_coordinates(ui.toolbar_table, ui.main_window, 0, 0, &x, &y);
    gdk_window_get_origin(gtk_widget_get_window(ui.main_window), &origin_x, &origin_y);
    return {origin_x + x, origin_y + y, toolbar.width, toolbar.height};
}

static void press_escape_in(GtkWidget* window)
{
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
    event->key.send_event = TRUE;
    event->key.keyval = GDK_Escape;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

// The window opened over the toolbar, whose commands it follows, and Échap did not close it.
TEST_F(BreakdownWindow, OpensClearOfTheToolbarAndClosesOnEscape)
{
    build_small_recipe();
    run_function("Détail des estimations");
    ASSERT_NE(breakdown_window(), nullptr);
    drain_events();
    GdkRectangle frame;
    gdk_window_get_frame_extents(gtk_widget_get_window(breakdown_window()), &frame);
    const GdkRectangle toolbar = toolbar_on_screen();
    ASSERT_GT(toolbar.width, 0);
    EXPECT_FALSE(gdk_rectangle_intersect(&frame, &toolbar, nullptr))
        << "window " << frame.x << "," << frame.y << " " << frame.width << "×" << frame.height << ", toolbar "
        << toolbar.x << "," << toolbar.y << " " << toolbar.width << "×" << toolbar.height;
    GdkScreen* screen = gtk_widget_get_screen(ui.main_window);
    EXPECT_GE(frame.x, 0);
    EXPECT_LE(frame.x + frame.width, gdk_screen_get_width(screen))
        << "x " << frame.x << ", width " << frame.width;
    EXPECT_LE(frame.y + frame.height, gdk_screen_get_height(screen))
        << "y " << frame.y << ", height " << frame.height;
    EXPECT_GE(frame.width, 600) << "wide enough for its ten columns";
    EXPECT_GE(frame.height, 200);
    EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(breakdown_window())), GTK_WINDOW(ui.main_window));

    press_escape_in(breakdown_window());
    EXPECT_EQ(breakdown_window(), nullptr);
    EXPECT_EQ(list_rows().size(), 4u) << "Échap closes the window and changes nothing";
}

// ui/recipe_view.cpp — the list of recipe lines in the upper pane, and the selected line.
#include "ui/recipe_view.h"

#include "core/display_text.h"
#include "core/text.h"
#include "core/workspace.h"
#include "ui/widgets.h"

#include <cmath>
#include <string>

enum RecipeColumn {
    COL_NUMBER,
    COL_PICTURE,
    COL_QUANTITY,
    COL_DESIGNATION,
    COL_VALUE,
    COL_YIELD,
    COL_TIME,
    COL_STEP,
    COL_COUNT
};

static void add_column(const char* title, GtkCellRenderer* renderer, const char* attribute, int column)
{
    gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(ui.recipe_view), -1, title, renderer, attribute,
                                                column, nullptr);
}

void build_recipe_view()
{
    ui.recipe_view = gtk_tree_view_new();
    ui.recipe_selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(ui.recipe_view));
    gtk_tree_selection_set_mode(ui.recipe_selection, GTK_SELECTION_SINGLE);
    g_signal_connect(ui.recipe_selection, "changed", G_CALLBACK(on_selection_changed), nullptr);

    add_column("", gtk_cell_renderer_text_new(), "text", COL_NUMBER);
    add_column("", gtk_cell_renderer_pixbuf_new(), "pixbuf", COL_PICTURE);
    add_column("Quantité", gtk_cell_renderer_text_new(), "text", COL_QUANTITY);
    add_column("Désignation", gtk_cell_renderer_text_new(), "text", COL_DESIGNATION);
    add_column("Valeur", gtk_cell_renderer_text_new(), "text", COL_VALUE);
    add_column("Rendement", gtk_cell_renderer_text_new(), "text", COL_YIELD);
    add_column("Temps", gtk_cell_renderer_text_new(), "text", COL_TIME);
    add_column("Etape", gtk_cell_renderer_text_new(), "text", COL_STEP);

    // Put on the shown window only once complete: each column added to a view already on screen would be
    // set up on the display at once, one by one.
    ui.recipe_scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(ui.recipe_scroller), GTK_POLICY_NEVER,
                                   GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(ui.recipe_scroller), ui.recipe_view);
    gtk_widget_show(ui.recipe_view);
    // The list takes the extra height when the window grows; the results below keep their size.
    gtk_paned_pack1(GTK_PANED(ui.inner_paned), ui.recipe_scroller, TRUE, TRUE);
    gtk_widget_show(ui.recipe_scroller);
}

void fill_recipe_list()
{
    ui.recipe_store =
        gtk_list_store_new(COL_COUNT, G_TYPE_STRING, G_TYPE_OBJECT, G_TYPE_STRING, G_TYPE_STRING,
                           G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING);
    for (int i = 1; i <= ws.line_count; i++) {
        const RecipeLine& line = ws.lines[i];
        const std::string number = std::to_string(i);
        // GTK takes UTF-8 only: a text of an older file is shown converted, and kept as it is. Bounded: GTK
        // would lay out a name of megabytes at every redraw.
        const auto cell = [](const std::string& text) {
            return bounded_display_text(text, kMaxCellCharacters);
        };
        const std::string quantity = cell(line.quantity), designation = cell(line.designation),
                          value = cell(line.value), yield = cell(line.yield), time = cell(line.time),
                          step = cell(line.step);
        // One insertion with its values: an append then a set signalled each row twice.
        gtk_list_store_insert_with_values(
            ui.recipe_store, nullptr, -1, COL_NUMBER, number.c_str(), COL_PICTURE, line.picture_pixbuf,
            COL_QUANTITY, quantity.c_str(), COL_DESIGNATION, designation.c_str(), COL_VALUE, value.c_str(),
            COL_YIELD, yield.c_str(), COL_TIME, time.c_str(), COL_STEP, step.c_str(), -1);
    }
    // The view keeps the only reference, so the store it showed before is released when it is replaced.
    gtk_tree_view_set_model(GTK_TREE_VIEW(ui.recipe_view), GTK_TREE_MODEL(ui.recipe_store));
    g_object_unref(ui.recipe_store);
}

void on_selection_changed(GtkTreeSelection* selection, gpointer)
{
    GtkTreeModel* model = nullptr;
    GtkTreeIter row;
    if (!gtk_tree_selection_get_selected(selection, &model, &row))
        return; // a refill clears the visible selection but not the selected line
    gchar* number = nullptr;
    gtk_tree_model_get(model, &row, COL_NUMBER, &number, -1);
    ws.selected_line = static_cast<int>(std::lround(text_to_number(number ? number : "")));
    g_free(number);
}

void select_recipe_row(int n)
{
    if (n < 1 || n > ws.line_count)
        return;
    GtkTreePath* path = gtk_tree_path_new_from_indices(n - 1, -1);
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(ui.recipe_view), path, nullptr, FALSE);
    gtk_tree_path_free(path);
}

void show_recipe_list()
{
    fill_recipe_list();
    select_recipe_row(ws.selected_line);
}

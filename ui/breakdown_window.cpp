// ui/breakdown_window.cpp — the window that shows each line's share of the estimates, kept up to date while
// it is open.
#include "ui/breakdown_window.h"

#include "calc/breakdown_text.h"
#include "calc/evaluate.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "ui/refresh.h"
#include "ui/widgets.h"
#include "ui/window_place.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>

namespace
{
struct BreakdownWidgets {
    GtkWidget* window = nullptr;
    GtkWidget* view = nullptr;
    GtkListStore* store = nullptr;      // owned by the view
    GtkWidget* settings_labels[3] = {}; // the settings in three columns, read down then across
};
BreakdownWidgets widgets;
} // namespace

GtkWidget* breakdown_window()
{
    return widgets.window;
}

GtkTreeView* breakdown_view()
{
    return widgets.view ? GTK_TREE_VIEW(widgets.view) : nullptr;
}

static void on_window_destroy(GtkWidget*, gpointer)
{
    widgets = BreakdownWidgets();
}

// Text columns; every figure aligned on the right, the ingredient's name on the left.
static GtkWidget* new_table_view(const BreakdownTable& table)
{
    GType types[kBreakdownColumns];
    for (GType& type : types)
        type = G_TYPE_STRING;
    widgets.store = gtk_list_store_newv(kBreakdownColumns, types);
    GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(widgets.store));
    g_object_unref(widgets.store);
    for (size_t column = 0; column < kBreakdownColumns; column++) {
        GtkCellRenderer* cell = gtk_cell_renderer_text_new();
        if (column != 1)
            g_object_set(cell, "xalign", 1.0, nullptr);
        gtk_tree_view_insert_column_with_attributes(GTK_TREE_VIEW(view), -1, table.header[column].c_str(),
                                                    cell, "text", static_cast<gint>(column), nullptr);
    }
    gtk_tree_view_set_rules_hint(GTK_TREE_VIEW(view), TRUE);
    return view;
}

static BreakdownTable table_on_screen()
{
    const ForcedVolume forced{ws.volume_forced == 1, ws.forced_volume};
    return breakdown_table(breakdown(&ws.lines[1], ws.line_count, settings_on_screen(), forced));
}

static void fill(const BreakdownTable& table)
{
    gtk_list_store_clear(widgets.store);
    for (const std::vector<std::string>& row : table.rows) {
        GtkTreeIter iter;
        gtk_list_store_append(widgets.store, &iter);
        for (size_t column = 0; column < row.size(); column++)
            gtk_list_store_set(widgets.store, &iter, static_cast<gint>(column),
                               display_text(row[column]).c_str(), -1);
    }
    const size_t per_column = (table.settings.size() + 2) / 3;
    for (size_t column = 0; column < 3; column++) {
        std::string text;
        for (size_t k = column * per_column; k < table.settings.size() && k < (column + 1) * per_column; k++)
            text += (text.empty() ? "" : "\n") + table.settings[k];
        gtk_label_set_text(GTK_LABEL(widgets.settings_labels[column]), display_text(text).c_str());
    }
}

void refresh_breakdown_window()
{
    if (widgets.window)
        fill(table_on_screen());
}

static gboolean on_window_key_press(GtkWidget* window, GdkEventKey* event, gpointer)
{
    if (event->keyval != GDK_Escape)
        return FALSE;
    gtk_widget_destroy(window);
    return TRUE;
}

// The window's place and size for content that needs at least `need`, from where the main window and its
// toolbar are on their monitor.
static ScreenRect place_beside_main_window(GtkRequisition need)
{
    PlaceRequest request;
    request.wanted_width = std::max(900, need.width);
    request.wanted_height = std::max(520, need.height);
    request.needed_width = need.width;
    request.needed_height = need.height;
    if (!ui.main_window || !gtk_widget_get_realized(ui.main_window))
        return {0, 0, request.wanted_width, request.wanted_height};
    GdkWindow* main = gtk_widget_get_window(ui.main_window);
    GdkScreen* screen = gtk_widget_get_screen(ui.main_window);
    GdkRectangle monitor, frame;
    gdk_screen_get_monitor_geometry(screen, gdk_screen_get_monitor_at_window(screen, main), &monitor);
    gdk_window_get_frame_extents(main, &frame);
    request.monitor = {monitor.x, monitor.y, monitor.width, monitor.height};
    request.main_frame = {frame.x, frame.y, frame.width, frame.height};
    int origin_x = 0, origin_y = 0, below_x = 0, below_y = 0;
    gdk_window_get_origin(main, &origin_x, &origin_y);
    GtkAllocation toolbar;
    gtk_widget_get_allocation(ui.toolbar_table, &toolbar);
    gtk_widget_translate_coordinates(ui.toolbar_table, ui.main_window, 0, toolbar.height, &below_x, &below_y);
    request.toolbar_bottom = origin_y + below_y;
    return place_beside(request);
}

void open_breakdown_window()
{
    // The window follows every refresh from its first opening on.
    static bool added = false;
    if (!added)
        add_view(refresh_breakdown_window);
    added = true;
    if (widgets.window) {
        gtk_window_present(GTK_WINDOW(widgets.window));
        return;
    }
    const BreakdownTable table = table_on_screen();
    widgets.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(widgets.window), "Détail des estimations");
    if (ui.main_window)
        gtk_window_set_transient_for(GTK_WINDOW(widgets.window), GTK_WINDOW(ui.main_window));
    gtk_window_set_destroy_with_parent(GTK_WINDOW(widgets.window), TRUE);
    g_signal_connect(widgets.window, "destroy", G_CALLBACK(on_window_destroy), nullptr);
    g_signal_connect(widgets.window, "key-press-event", G_CALLBACK(on_window_key_press), nullptr);

    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 8);
    gtk_container_add(GTK_CONTAINER(widgets.window), box);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
    widgets.view = new_table_view(table);
    gtk_container_add(GTK_CONTAINER(scroller), widgets.view);
    gtk_box_pack_start(GTK_BOX(box), scroller, TRUE, TRUE, 0);
    GtkWidget* heading = gtk_label_new(nullptr);
    gtk_label_set_markup(GTK_LABEL(heading), "<b>Réglages utilisés</b>");
    gtk_misc_set_alignment(GTK_MISC(heading), 0, 0.5);
    gtk_box_pack_start(GTK_BOX(box), heading, FALSE, FALSE, 0);
    GtkWidget* columns = gtk_hbox_new(FALSE, 18);
    for (GtkWidget*& label : widgets.settings_labels) {
        label = gtk_label_new(nullptr);
        gtk_misc_set_alignment(GTK_MISC(label), 0, 0);
        gtk_box_pack_start(GTK_BOX(columns), label, TRUE, TRUE, 0);
    }
    gtk_box_pack_start(GTK_BOX(box), columns, FALSE, FALSE, 0);
    fill(table);
    gtk_widget_show_all(box);
    GtkRequisition need;
    gtk_widget_size_request(widgets.window, &need);
    const ScreenRect place = place_beside_main_window(need);
    gtk_window_set_default_size(GTK_WINDOW(widgets.window), place.width, place.height);
    gtk_window_move(GTK_WINDOW(widgets.window), place.x, place.y);
    gtk_widget_show(widgets.window);
}

// ui/main_window.cpp — the main window's skeleton, the results grid, the window title and quitting.
#include "ui/main_window.h"

#include "core/history.h"
#include "core/display_text.h"
#include "core/text.h"
#include "core/workspace.h"
#include "report/html_report.h"
#include "ui/widgets.h"

#include <cstdlib>
#include <string>

UiHandles ui;

static void on_main_window_destroy(GtkWidget*, gpointer)
{
    quit_application();
}

void (*quit_action)() = quit_application;

void build_main_window()
{
    ui.main_window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_size_request(ui.main_window, 720, 630);
    gtk_window_set_position(GTK_WINDOW(ui.main_window), GTK_WIN_POS_CENTER);
    gtk_widget_set_events(ui.main_window, kWindowEventMask);
    g_signal_connect(ui.main_window, "destroy", G_CALLBACK(on_main_window_destroy), nullptr);
    gtk_widget_show(ui.main_window);

    ui.outer_paned = gtk_vpaned_new();
    gtk_container_add(GTK_CONTAINER(ui.main_window), ui.outer_paned);
    gtk_widget_show(ui.outer_paned);

    ui.toolbar_table = gtk_table_new(1, 1, TRUE);
    gtk_container_add(GTK_CONTAINER(ui.outer_paned), ui.toolbar_table);
    gtk_widget_show(ui.toolbar_table);

    ui.inner_paned = gtk_vpaned_new();
    gtk_container_add(GTK_CONTAINER(ui.outer_paned), ui.inner_paned);
    gtk_widget_show(ui.inner_paned);

    gtk_paned_set_position(GTK_PANED(ui.outer_paned), 50);
    gtk_paned_set_position(GTK_PANED(ui.inner_paned), 435);
}

static GtkWidget* attach_label(guint left, guint right, guint top, guint bottom)
{
    GtkWidget* label = gtk_label_new("");
    gtk_table_attach_defaults(GTK_TABLE(ui.results_table), label, left, right, top, bottom);
    gtk_widget_show(label);
    return label;
}

void build_results_area()
{
    ui.results_table = gtk_table_new(1, 1, TRUE);
    // The results keep their size when the window grows; the recipe list above takes the extra height.
    gtk_paned_pack2(GTK_PANED(ui.inner_paned), ui.results_table, FALSE, TRUE);
    gtk_widget_show(ui.results_table);

    ui.result_labels[1] = attach_label(2, 3, 0, 2);
    ui.result_labels[2] = attach_label(3, 4, 0, 2);
    for (guint row = 0; row < 4; row++)
        for (guint column = 0; column < 4; column++)
            ui.result_labels[3 + 4 * row + column] = attach_label(column, column + 1, row + 2, row + 3);
    // The mash pH and its water, on a row of their own under the estimates.
    ui.result_labels[19] = attach_label(0, 4, 6, 7);
    // The brew day's water and volumes, two rows under it.
    ui.result_labels[20] = attach_label(0, 4, 7, 8);
    ui.result_labels[21] = attach_label(0, 4, 8, 9);

    ui.style_button = gtk_button_new_with_label("Style : ");
    gtk_button_set_relief(GTK_BUTTON(ui.style_button), GTK_RELIEF_NONE);
    gtk_table_attach_defaults(GTK_TABLE(ui.results_table), ui.style_button, 0, 2, 0, 2);
    gtk_widget_show(ui.style_button);
}

void update_window_title()
{
    ws.file_base_name = ws.file_name.empty() ? "" : path_base_name(ws.file_name);
    // Bounded: an X server refuses a title of many megabytes, and the program would end with it.
    gtk_window_set_title(GTK_WINDOW(ui.main_window),
                         window_title_text(ws.title, ws.file_name, recipe_is_modified()).c_str());
}

void quit_application()
{
    if (gtk_main_level() > 0)
        gtk_main_quit();
    remove_html_report();
    std::exit(0);
}

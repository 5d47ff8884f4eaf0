// ui/dialogs.cpp — the line edit dialog and the value entry dialog (volume, carbonation, title).
#include "ui/dialogs.h"

#include "calc/entered_value.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "ui/entry_text.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/recipe_view.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

std::string read_entry_text(GtkWidget* entry, int mode)
{
    return clean_entry_text(gtk_entry_get_text(GTK_ENTRY(entry)), mode);
}

GtkWidget* new_dialog_window(int width, int height, const char* title, GtkWidget** table)
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_size_request(window, width, height);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_modal(GTK_WINDOW(window), TRUE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(window), TRUE);
    gtk_widget_set_events(window, kWindowEventMask);
    gtk_window_set_title(GTK_WINDOW(window), title);
    *table = gtk_table_new(1, 1, TRUE);
    gtk_container_add(GTK_CONTAINER(window), *table);
    gtk_widget_show(*table);
    return window;
}

GtkWidget* attach(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top, guint bottom)
{
    gtk_table_attach_defaults(GTK_TABLE(table), widget, left, right, top, bottom);
    gtk_widget_show(widget);
    return widget;
}

// An entry shows a stored text after one space, in its display form (GTK takes UTF-8 only).
static void set_entry(GtkWidget* entry, const std::string& text)
{
    gtk_entry_set_text(GTK_ENTRY(entry), (" " + display_text(text)).c_str());
}

// What an entry gives back for a stored text: the stored bytes themselves while the entry still shows
// them as set_entry did, so that a text of an older file keeps its encoding until the brewer edits it.
static std::string entry_bytes(GtkWidget* entry, const std::string& stored)
{
    const std::string typed = gtk_entry_get_text(GTK_ENTRY(entry));
    return typed == " " + display_text(stored) ? " " + stored : typed;
}

// The text the value dialog started from.
static std::string value_dialog_start;

// The handles name the dialog only while it exists, however it was closed.
static void on_edit_dialog_destroy(GtkWidget* window, gpointer)
{
    if (ui.edit_dialog != window)
        return;
    ui.edit_dialog = nullptr;
    ui.edit_label = nullptr;
    ui.edit_quantity_entry = nullptr;
    ui.edit_value_entry = nullptr;
    ui.edit_yield_entry = nullptr;
    ui.edit_time_entry = nullptr;
}

static void on_value_dialog_destroy(GtkWidget* window, gpointer)
{
    if (ui.value_dialog != window)
        return;
    ui.value_dialog = nullptr;
    ui.value_entry = nullptr;
}

void open_edit_dialog()
{
    if (ws.selected_line < 1 || ws.selected_line > ws.line_count)
        return;
    GtkWidget* table = nullptr;
    ui.edit_dialog = new_dialog_window(250, 200, "Modifier l'ingrédient :", &table);
    g_signal_connect(ui.edit_dialog, "destroy", G_CALLBACK(on_edit_dialog_destroy), nullptr);
    ui.edit_label = attach(table, gtk_label_new("xxx"), 0, 2, 0, 1);
    attach(table, gtk_label_new("Quantité"), 0, 1, 1, 2);
    ui.edit_quantity_entry = attach(table, gtk_entry_new(), 1, 2, 1, 2);
    attach(table, gtk_label_new("Valeur"), 0, 1, 2, 3);
    ui.edit_value_entry = attach(table, gtk_entry_new(), 1, 2, 2, 3);
    attach(table, gtk_label_new("Rendement"), 0, 1, 3, 4);
    ui.edit_yield_entry = attach(table, gtk_entry_new(), 1, 2, 3, 4);
    attach(table, gtk_label_new("Temps"), 0, 1, 4, 5);
    ui.edit_time_entry = attach(table, gtk_entry_new(), 1, 2, 4, 5);
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 5, 6);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_edit_validate), nullptr);
    GtkWidget* close = attach(table, gtk_button_new_with_label("Fermer"), 1, 2, 5, 6);
    g_signal_connect(close, "clicked", G_CALLBACK(on_edit_close), nullptr);

    const RecipeLine& line = ws.lines[ws.selected_line];
    gtk_label_set_text(GTK_LABEL(ui.edit_label), (" " + display_text(line.designation)).c_str());
    set_entry(ui.edit_quantity_entry, line.quantity);
    set_entry(ui.edit_time_entry, line.time);
    set_entry(ui.edit_value_entry, line.value);
    set_entry(ui.edit_yield_entry, line.yield);
    gtk_widget_show(ui.edit_dialog);
}

void on_edit_validate(GtkButton*, gpointer)
{
    const int line_number = ws.selected_line;
    if (line_number >= 1 && line_number <= ws.line_count) {
        RecipeLine& line = ws.lines[line_number];
        line.quantity = clean_entry_text(entry_bytes(ui.edit_quantity_entry, line.quantity), ENTRY_NUMBER);
        line.time = clean_entry_text(entry_bytes(ui.edit_time_entry, line.time), ENTRY_NUMBER);
        line.value = clean_entry_text(entry_bytes(ui.edit_value_entry, line.value), ENTRY_NUMBER);
        line.yield = clean_entry_text(entry_bytes(ui.edit_yield_entry, line.yield), ENTRY_NUMBER);
    }
    fill_recipe_list();
    refresh_results();
    fill_recipe_list();
    ws.selected_line = 0;
    gtk_widget_destroy(ui.edit_dialog);
}

void on_edit_close(GtkButton*, gpointer)
{
    gtk_widget_destroy(ui.edit_dialog);
}

void open_value_dialog(const std::string& prompt, const std::string& start_text, int purpose)
{
    GtkWidget* table = nullptr;
    ui.value_dialog = new_dialog_window(250, 100, "Saisie", &table);
    g_signal_connect(ui.value_dialog, "destroy", G_CALLBACK(on_value_dialog_destroy), nullptr);
    attach(table, gtk_label_new(prompt.c_str()), 0, 1, 0, 1);
    ui.value_entry = attach(table, gtk_entry_new(), 0, 1, 1, 2);
    set_entry(ui.value_entry, start_text);
    value_dialog_start = start_text;
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 2, 3);
    g_signal_connect(validate, "clicked", G_CALLBACK(apply_entered_value), GINT_TO_POINTER(purpose));
    gtk_widget_show(ui.value_dialog);
}

void apply_entered_value(GtkButton*, gpointer data)
{
    const int purpose = GPOINTER_TO_INT(data);
    const std::string entered = entry_bytes(ui.value_entry, value_dialog_start);
    const std::string number_text = clean_entry_text(entered, ENTRY_NUMBER);
    const std::string plain_text = clean_entry_text(entered, ENTRY_PLAIN);
    gtk_widget_destroy(ui.value_dialog);
    const std::string message = apply_entered_value_effects(purpose, number_text, plain_text);
    switch (purpose) {
    case VALUE_FORCED_VOLUME:
        fill_recipe_list();
        refresh_results();
        break;
    case VALUE_CARBONATION:
        show_message(GTK_MESSAGE_INFO, message);
        fill_recipe_list();
        refresh_results();
        break;
    case VALUE_TITLE:
        update_window_title();
        break;
    case VALUE_SCALE_VOLUME:
        if (!message.empty())
            show_message(GTK_MESSAGE_WARNING, message);
        fill_recipe_list();
        refresh_results();
        break;
    default:
        break;
    }
}

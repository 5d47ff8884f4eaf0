// ui/dialog_kit.cpp — the parts every small dialog is built from, so that they all look and behave alike.
#include "ui/dialog_kit.h"

#include "core/display_text.h"
#include "ui/widgets.h"

#include <gdk/gdkkeysyms.h>

std::string read_entry_text(GtkWidget* entry, int mode)
{
    return clean_entry_text(gtk_entry_get_text(GTK_ENTRY(entry)), mode);
}

// Échap closes a dialog and changes nothing, as its "Fermer" or "Annuler" does.
static gboolean on_dialog_key(GtkWidget* window, GdkEventKey* event, gpointer)
{
    if (event->keyval != GDK_Escape)
        return FALSE;
    gtk_widget_destroy(window);
    return TRUE;
}

// A small fixed-size modal window holding one homogeneous table that grows as widgets are attached, and
// under it the hint that says what a refused field expects (hidden until then).
GtkWidget* new_dialog_window(int width, int height, const char* title, GtkWidget** table)
{
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_size_request(window, width, height);
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_modal(GTK_WINDOW(window), TRUE);
    gtk_window_set_transient_for(GTK_WINDOW(window), GTK_WINDOW(ui.main_window));
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_window_set_destroy_with_parent(GTK_WINDOW(window), TRUE);
    gtk_widget_set_events(window, kWindowEventMask);
    gtk_window_set_title(GTK_WINDOW(window), title);
    g_signal_connect(window, "key-press-event", G_CALLBACK(on_dialog_key), nullptr);
    GtkWidget* column = gtk_vbox_new(FALSE, 4);
    gtk_container_add(GTK_CONTAINER(window), column);
    gtk_widget_show(column);
    *table = gtk_table_new(1, 1, TRUE);
    gtk_box_pack_start(GTK_BOX(column), *table, TRUE, TRUE, 0);
    gtk_widget_show(*table);
    GtkWidget* hint = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(hint), TRUE);
    gtk_widget_set_size_request(hint, width - 10, -1);
    gtk_box_pack_start(GTK_BOX(column), hint, FALSE, FALSE, 4);
    g_object_set_data(G_OBJECT(window), "hint", hint);
    g_object_set_data(G_OBJECT(window), "height", GINT_TO_POINTER(height));
    return window;
}

// Shows the hint under the fields, the window growing to hold it.
void show_hint(GtkWidget* window, const std::string& text)
{
    GtkWidget* hint = GTK_WIDGET(g_object_get_data(G_OBJECT(window), "hint"));
    gchar* escaped = g_markup_escape_text(text.c_str(), -1);
    gtk_label_set_markup(GTK_LABEL(hint),
                         (std::string("<span foreground=\"#A00000\">") + escaped + "</span>").c_str());
    g_free(escaped);
    gtk_widget_show(hint);
    GtkRequisition size;
    gtk_widget_size_request(hint, &size);
    int width = 0;
    gtk_widget_get_size_request(window, &width, nullptr);
    gtk_widget_set_size_request(
        window, width, GPOINTER_TO_INT(g_object_get_data(G_OBJECT(window), "height")) + size.height + 8);
}

// A refused field is tinted and carries a warning sign and the hint as its tooltip, until it is edited.
void mark_entry(GtkWidget* entry, const std::string& hint)
{
    static const GdkColor refused = {0, 0xFFFF, 0xD8D8, 0xD8D8};
    gtk_widget_modify_base(entry, GTK_STATE_NORMAL, &refused);
    gtk_entry_set_icon_from_stock(GTK_ENTRY(entry), GTK_ENTRY_ICON_SECONDARY, GTK_STOCK_DIALOG_WARNING);
    gtk_widget_set_tooltip_text(entry, hint.c_str());
    g_object_set_data(G_OBJECT(entry), "refused", GINT_TO_POINTER(1));
}

static void on_entry_changed(GtkEditable* editable, gpointer)
{
    GtkWidget* entry = GTK_WIDGET(editable);
    if (!g_object_get_data(G_OBJECT(entry), "refused"))
        return;
    gtk_widget_modify_base(entry, GTK_STATE_NORMAL, nullptr);
    gtk_entry_set_icon_from_stock(GTK_ENTRY(entry), GTK_ENTRY_ICON_SECONDARY, nullptr);
    gtk_widget_set_tooltip_text(entry, nullptr);
    g_object_set_data(G_OBJECT(entry), "refused", nullptr);
}

// An entry where Entrée validates the dialog (through its default button).
GtkWidget* new_entry()
{
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    g_signal_connect(entry, "changed", G_CALLBACK(on_entry_changed), nullptr);
    return entry;
}

void make_default(GtkWidget* window, GtkWidget* button)
{
    gtk_widget_set_can_default(button, TRUE);
    gtk_window_set_default(GTK_WINDOW(window), button);
}

bool entry_is_refused(GtkWidget* entry)
{
    return g_object_get_data(G_OBJECT(entry), "refused") != nullptr;
}

std::string dialog_hint(GtkWidget* window)
{
    GtkWidget* hint = GTK_WIDGET(g_object_get_data(G_OBJECT(window), "hint"));
    return gtk_widget_get_visible(hint) ? gtk_label_get_text(GTK_LABEL(hint)) : "";
}

GtkWidget* attach(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top, guint bottom)
{
    gtk_table_attach_defaults(GTK_TABLE(table), widget, left, right, top, bottom);
    gtk_widget_show(widget);
    return widget;
}

void set_entry(GtkWidget* entry, const std::string& text)
{
    gtk_entry_set_text(GTK_ENTRY(entry), (" " + display_text(text)).c_str());
}

std::string entry_bytes(GtkWidget* entry, const std::string& stored)
{
    const std::string typed = gtk_entry_get_text(GTK_ENTRY(entry));
    return typed == " " + display_text(stored) ? " " + stored : typed;
}

bool read_number_entry(GtkWidget* entry, const std::string& stored, NumberField field,
                       const std::string& category, std::string& text, std::string& hints)
{
    const std::string typed = entry_bytes(entry, stored);
    if (typed == " " + stored) {
        text = clean_entry_text(typed, ENTRY_NUMBER);
        return true;
    }
    const CheckedNumber checked = check_number_entry(typed, field, category);
    if (checked.accepted) {
        text = checked.text;
        return true;
    }
    mark_entry(entry, checked.hint);
    hints += (hints.empty() ? "" : "\n") + checked.hint;
    return false;
}

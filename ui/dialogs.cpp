// ui/dialogs.cpp — the line edit dialog and the value entry dialog (volume, carbonation, title).
#include "ui/dialogs.h"

#include "calc/entered_value.h"
#include "core/history.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "ui/entry_text.h"
#include "ui/message_box.h"
#include "ui/refresh.h"
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
    ui.edit_quantity_entry = attach(table, new_entry(), 1, 2, 1, 2);
    attach(table, gtk_label_new("Valeur"), 0, 1, 2, 3);
    ui.edit_value_entry = attach(table, new_entry(), 1, 2, 2, 3);
    attach(table, gtk_label_new("Rendement"), 0, 1, 3, 4);
    ui.edit_yield_entry = attach(table, new_entry(), 1, 2, 3, 4);
    attach(table, gtk_label_new("Temps"), 0, 1, 4, 5);
    ui.edit_time_entry = attach(table, new_entry(), 1, 2, 4, 5);
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 5, 6);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_edit_validate), nullptr);
    make_default(ui.edit_dialog, validate);
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

// The text to store for a numeric field: a text left as it was shown is kept (an older file's field may hold
// anything), a typed one must be a number as the field expects. Marks a refused entry and adds its hint.
static bool read_number(GtkWidget* entry, const std::string& stored, NumberField field,
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

void on_edit_validate(GtkButton*, gpointer)
{
    const int line_number = ws.selected_line;
    if (line_number >= 1 && line_number <= ws.line_count) {
        RecipeLine& line = ws.lines[line_number];
        const struct {
            GtkWidget* entry;
            std::string RecipeLine::*member;
            NumberField field;
        } fields[] = {{ui.edit_quantity_entry, &RecipeLine::quantity, NumberField::quantity},
                      {ui.edit_value_entry, &RecipeLine::value, NumberField::value},
                      {ui.edit_yield_entry, &RecipeLine::yield, NumberField::yield},
                      {ui.edit_time_entry, &RecipeLine::time, NumberField::time}};
        std::string texts[4], hints;
        GtkWidget* first_refused = nullptr;
        for (int k = 0; k < 4; k++)
            if (!read_number(fields[k].entry, line.*fields[k].member, fields[k].field, line.category,
                             texts[k], hints) &&
                !first_refused)
                first_refused = fields[k].entry;
        if (first_refused) {
            // Nothing is stored until every field holds what it should.
            show_hint(ui.edit_dialog, hints);
            gtk_widget_grab_focus(first_refused);
            return;
        }
        history_note_change();
        for (int k = 0; k < 4; k++)
            line.*fields[k].member = texts[k];
    }
    ws.selected_line = 0;
    gtk_widget_destroy(ui.edit_dialog);
    refresh_after_command();
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
    attach(table, gtk_label_new(prompt.c_str()), 0, 2, 0, 1);
    ui.value_entry = attach(table, new_entry(), 0, 2, 1, 2);
    set_entry(ui.value_entry, start_text);
    value_dialog_start = start_text;
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 2, 3);
    g_signal_connect(validate, "clicked", G_CALLBACK(apply_entered_value), GINT_TO_POINTER(purpose));
    make_default(ui.value_dialog, validate);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 1, 2, 2, 3);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), ui.value_dialog);
    gtk_widget_show(ui.value_dialog);
}

void apply_entered_value(GtkButton*, gpointer data)
{
    const int purpose = GPOINTER_TO_INT(data);
    const std::string entered = entry_bytes(ui.value_entry, value_dialog_start);
    std::string number_text = clean_entry_text(entered, ENTRY_NUMBER);
    const std::string plain_text = clean_entry_text(entered, ENTRY_PLAIN);
    if (purpose == VALUE_FORCED_VOLUME || purpose == VALUE_CARBONATION || purpose == VALUE_SCALE_VOLUME) {
        std::string hints;
        const NumberField field =
            purpose == VALUE_CARBONATION ? NumberField::carbonation : NumberField::forced_volume;
        if (!read_number(ui.value_entry, value_dialog_start, field, "", number_text, hints)) {
            show_hint(ui.value_dialog, hints);
            gtk_widget_grab_focus(ui.value_entry);
            return;
        }
    }
    gtk_widget_destroy(ui.value_dialog);
    history_note_change();
    const std::string message = apply_entered_value_effects(purpose, number_text, plain_text);
    if (purpose == VALUE_CARBONATION) {
        show_message(GTK_MESSAGE_INFO, message);
    } else if (!message.empty()) {
        history_forget_unchanged(); // refused: the recipe is as it was
        show_message(GTK_MESSAGE_WARNING, message);
    }
    refresh_after_command();
}

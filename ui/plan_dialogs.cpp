// ui/plan_dialogs.cpp — the windows of the recipe's own efficiency, boil time and notes. They read and write
// the recipe through calc/evaluate and note each change in the history.
#include "ui/plan_dialogs.h"

#include "calc/evaluate.h"
#include "calc/format.h"
#include "calc/recipe_settings.h"
#include "core/display_text.h"
#include "core/history.h"
#include "core/workspace.h"
#include "ui/dialog_kit.h"
#include "ui/refresh.h"

#include <string>

namespace
{

struct BrewhouseDialog {
    GtkWidget* window = nullptr;
    GtkWidget* efficiency = nullptr;
    GtkWidget* boil = nullptr;
};
BrewhouseDialog brewhouse;

struct NotesWindow {
    GtkWidget* window = nullptr;
    GtkWidget* view = nullptr;
    std::string shown; // the notes as the view was filled, in their display form
};
NotesWindow notes;

constexpr double kMostEfficiency = 100;
constexpr double kMostBoilMinutes = 600;

// Reads one figure of the dialog; a refused one is marked and its hint added.
bool read_figure(GtkWidget* entry, double most, const char* hint, double* value, std::string& hints)
{
    const std::string text = read_entry_text(entry, ENTRY_PLAIN);
    if (plan_figure_of(text, most, value))
        return true;
    mark_entry(entry, hint);
    hints += std::string(hints.empty() ? "" : "\n") + hint;
    return false;
}

void on_brewhouse_validate(GtkButton*, gpointer)
{
    double efficiency = -1, boil = -1;
    std::string hints;
    const bool read = read_figure(brewhouse.efficiency, kMostEfficiency,
                                  "Rendement : un nombre de 0 à 100, ou rien", &efficiency, hints) &
                      read_figure(brewhouse.boil, kMostBoilMinutes,
                                  "Ébullition : un nombre de minutes de 0 à 600, ou rien", &boil, hints);
    if (!read) {
        show_hint(brewhouse.window, hints);
        return;
    }
    gtk_widget_destroy(brewhouse.window);
    history_note_change();
    set_brewhouse_on_screen(efficiency, boil);
    history_forget_unchanged();
    refresh_after_command();
}

void on_notes_validate(GtkButton*, gpointer)
{
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(notes.view));
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* typed = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    const std::string text = typed ? typed : "";
    g_free(typed);
    gtk_widget_destroy(notes.window);
    // Notes left as shown keep their bytes, whatever encoding an older file gave them.
    if (text == notes.shown)
        return;
    history_note_change();
    set_notes_on_screen(text);
    history_forget_unchanged();
    refresh_after_command();
}

GtkWidget* label_at_right(const char* text)
{
    GtkWidget* label = gtk_label_new(text);
    gtk_misc_set_alignment(GTK_MISC(label), 1, 0.5);
    return label;
}

void add_buttons(GtkWidget* window, GtkWidget* table, guint row, GCallback validate)
{
    GtkWidget* ok = attach(table, gtk_button_new_with_label("Valider"), 0, 1, row, row + 1);
    g_signal_connect(ok, "clicked", validate, nullptr);
    make_default(window, ok);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 1, 2, row, row + 1);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), window);
}

} // namespace

void open_brewhouse_dialog()
{
    if (brewhouse.window) {
        gtk_window_present(GTK_WINDOW(brewhouse.window));
        return;
    }
    const Settings& configured = ws.settings;
    GtkWidget* table = nullptr;
    brewhouse.window = new_dialog_window(340, 170, "Rendement et ébullition de la recette", &table);
    g_signal_connect(brewhouse.window, "destroy", G_CALLBACK(gtk_widget_destroyed), &brewhouse.window);
    attach(table, label_at_right("Rendement (%) :"), 0, 1, 0, 1);
    brewhouse.efficiency = attach(table, new_entry(), 1, 2, 0, 1);
    set_entry(brewhouse.efficiency, plan_figure_text(ws.plan.efficiency));
    attach(table, label_at_right("Ébullition (min) :"), 0, 1, 1, 2);
    brewhouse.boil = attach(table, new_entry(), 1, 2, 1, 2);
    set_entry(brewhouse.boil, plan_figure_text(ws.plan.boil_minutes));
    const std::string usual = "Vide : la configuration (" + format_decimals(100 * configured.efficiency, 1) +
                              " %, " + format_decimals(configured.boil_minutes, 0) + " min)";
    attach(table, gtk_label_new(usual.c_str()), 0, 2, 2, 3);
    add_buttons(brewhouse.window, table, 3, G_CALLBACK(on_brewhouse_validate));
    gtk_widget_show(brewhouse.window);
}

void open_notes_window()
{
    if (notes.window) {
        gtk_window_present(GTK_WINDOW(notes.window));
        return;
    }
    GtkWidget* table = nullptr;
    notes.window = new_dialog_window(460, 320, "Notes de la recette", &table);
    g_signal_connect(notes.window, "destroy", G_CALLBACK(gtk_widget_destroyed), &notes.window);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
    notes.view = gtk_text_view_new();
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(notes.view), GTK_WRAP_WORD_CHAR);
    notes.shown = display_text(ws.plan.notes);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(notes.view)), notes.shown.c_str(), -1);
    gtk_container_add(GTK_CONTAINER(scroller), notes.view);
    gtk_widget_show(notes.view);
    attach(table, scroller, 0, 2, 0, 7);
    add_buttons(notes.window, table, 7, G_CALLBACK(on_notes_validate));
    gtk_widget_show(notes.window);
}

GtkWidget* brewhouse_dialog()
{
    return brewhouse.window;
}

GtkWidget* notes_window()
{
    return notes.window;
}

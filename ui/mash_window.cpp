// ui/mash_window.cpp — the window of the recipe's mash schedule. The steps are edited on a copy
// (calc/mash_schedule_edit); the list and the figures under it follow each edit, and Valider writes the whole
// schedule through calc/evaluate as one step of the history.
#include "ui/mash_window.h"

#include "calc/brew_day_text.h"
#include "calc/evaluate.h"
#include "calc/mash_schedule_edit.h"
#include "core/display_text.h"
#include "core/history.h"
#include "core/text.h"
#include "core/workspace.h"
#include "ui/dialog_kit.h"
#include "ui/refresh.h"

#include <string>

namespace
{

enum Column { COL_NAME, COL_TEMPERATURE, COL_MINUTES, COL_KIND, COL_ACTION, COL_COUNT };

struct MashWindow {
    GtkWidget* window = nullptr;
    GtkWidget* origin = nullptr;  // whose steps these are
    GtkWidget* brewery = nullptr; // the button that gives back the brewery's rests
    GtkListStore* store = nullptr;
    GtkWidget* list = nullptr;
    GtkWidget* name = nullptr;
    GtkWidget* temperature = nullptr;
    GtkWidget* minutes = nullptr;
    GtkWidget* kind = nullptr;
    GtkWidget* figures = nullptr;
    EditedMash mash;
    size_t selected = 0;
    bool filling = false; // the fields are being filled from a step: their changes are no edits
};
MashWindow w;

const MashStepKind kKinds[] = {MashStepKind::infusion, MashStepKind::direct_heat, MashStepKind::decoction};

int kind_index(MashStepKind kind)
{
    for (int k = 0; k < 3; k++)
        if (kKinds[k] == kind)
            return k;
    return 0;
}

// The list, the origin and the figures from the edited copy, the selection kept.
void show_schedule()
{
    const BrewDay day = brew_day_with_mash_on_screen(plan_steps_of(w.mash));
    gtk_label_set_text(GTK_LABEL(w.origin), w.mash.brewery_rests ? "Paliers de l'installation (configuration)"
                                                                 : "Paliers propres à la recette");
    gtk_widget_set_sensitive(w.brewery, !w.mash.brewery_rests);
    w.filling = true;
    gtk_list_store_clear(w.store);
    for (size_t k = 0; k < w.mash.steps.size(); k++) {
        const MashStep& step = w.mash.steps[k];
        const std::string action =
            k < day.mash.steps.size() ? mash_action_text(day.mash.steps[k], day.mash, k == 0) : "";
        GtkTreeIter row;
        gtk_list_store_append(w.store, &row);
        gtk_list_store_set(w.store, &row, COL_NAME, display_text(step.name).c_str(), COL_TEMPERATURE,
                           format_decimals(step.temperature, 1).c_str(), COL_MINUTES,
                           format_decimals(step.minutes, 0).c_str(), COL_KIND,
                           mash_kind_text(step.kind).c_str(), COL_ACTION, action.c_str(), -1);
    }
    w.filling = false;
    gtk_label_set_text(GTK_LABEL(w.figures), mash_summary_text(day.mash).c_str());
}

// The selected step's fields, or empty and insensitive when there is no step.
void fill_fields()
{
    const bool any = w.selected < w.mash.steps.size();
    w.filling = true;
    if (any) {
        const MashStep& step = w.mash.steps[w.selected];
        set_entry(w.name, step.name);
        set_entry(w.temperature, number_to_text(step.temperature));
        set_entry(w.minutes, number_to_text(step.minutes));
        gtk_combo_box_set_active(GTK_COMBO_BOX(w.kind), kind_index(step.kind));
    } else {
        for (GtkWidget* entry : {w.name, w.temperature, w.minutes})
            gtk_entry_set_text(GTK_ENTRY(entry), "");
        gtk_combo_box_set_active(GTK_COMBO_BOX(w.kind), -1);
    }
    for (GtkWidget* field : {w.name, w.temperature, w.minutes, w.kind})
        gtk_widget_set_sensitive(field, any);
    w.filling = false;
}

// Selects step `index` in the list; its fields are filled again only when `refill` (not while typing).
void select_step(size_t index, bool refill)
{
    w.selected = index;
    GtkTreeIter row;
    w.filling = true;
    if (gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(w.store), &row, nullptr, static_cast<gint>(index)))
        gtk_tree_selection_select_iter(gtk_tree_view_get_selection(GTK_TREE_VIEW(w.list)), &row);
    w.filling = false;
    if (refill)
        fill_fields();
}

void show_and_select(size_t index, bool refill = true)
{
    show_schedule();
    select_step(index, refill);
}

// Reads one figure of the selected step; a refused one is marked and its hint added to `hints`.
bool read_figure(GtkWidget* entry, NumberField field, double most, double* value, std::string& hints)
{
    const CheckedNumber checked =
        check_bounded_entry(gtk_entry_get_text(GTK_ENTRY(entry)), field, most, value);
    if (checked.accepted)
        return true;
    mark_entry(entry, checked.hint);
    hints += std::string(hints.empty() ? "" : "\n") + checked.hint;
    return false;
}

// Every field of the selected step, checked; the refusals' hints in `hints`.
bool read_fields(MashStep& step, std::string& hints)
{
    const bool read =
        read_figure(w.temperature, NumberField::temperature, kMostMashTemperature, &step.temperature, hints) &
        read_figure(w.minutes, NumberField::time, kMostMashMinutes, &step.minutes, hints);
    step.name = clean_entry_text(entry_bytes(w.name, step.name), ENTRY_PLAIN);
    const gint kind = gtk_combo_box_get_active(GTK_COMBO_BOX(w.kind));
    if (kind >= 0 && kind < 3)
        step.kind = kKinds[kind];
    return read;
}

// True when the selected step's fields read; else they are marked and the hint says why, so that the brewer
// does not leave a refused figure behind by going to another step.
bool fields_read()
{
    if (w.selected >= w.mash.steps.size())
        return true;
    MashStep step = w.mash.steps[w.selected];
    std::string hints;
    if (read_fields(step, hints))
        return true;
    show_hint(w.window, hints);
    return false;
}

void on_selection_changed(GtkTreeSelection* selection, gpointer)
{
    if (w.filling)
        return;
    GtkTreeModel* model = nullptr;
    GtkTreeIter row;
    if (!gtk_tree_selection_get_selected(selection, &model, &row))
        return;
    if (!fields_read()) {
        select_step(w.selected, false);
        return;
    }
    GtkTreePath* path = gtk_tree_model_get_path(model, &row);
    w.selected = static_cast<size_t>(gtk_tree_path_get_indices(path)[0]);
    gtk_tree_path_free(path);
    fill_fields();
}

// A field edited: the step takes it at once when it reads, so that the list and figures follow the typing.
void on_field_changed(GtkWidget*, gpointer)
{
    if (w.filling || w.selected >= w.mash.steps.size())
        return;
    MashStep step = w.mash.steps[w.selected];
    std::string hints;
    if (!read_fields(step, hints))
        return;
    const MashStep& was = w.mash.steps[w.selected];
    if (step.name == was.name && step.temperature == was.temperature && step.minutes == was.minutes &&
        step.kind == was.kind)
        return;
    w.mash.steps[w.selected] = step;
    w.mash.brewery_rests = false;
    show_and_select(w.selected, false);
}

void on_add(GtkButton*, gpointer)
{
    if (!fields_read())
        return;
    show_and_select(add_mash_step(w.mash, w.selected));
    gtk_widget_grab_focus(w.name);
}

void on_remove(GtkButton*, gpointer)
{
    show_and_select(remove_mash_step(w.mash, w.selected));
}

void on_move(GtkButton*, gpointer up)
{
    if (!fields_read())
        return;
    show_and_select(move_mash_step(w.mash, w.selected, GPOINTER_TO_INT(up) != 0));
}

void on_brewery_rests(GtkButton*, gpointer)
{
    use_brewery_rests(w.mash, ws.settings);
    show_and_select(0);
}

void on_validate(GtkButton*, gpointer)
{
    if (!fields_read())
        return;
    const std::vector<MashStep> steps = plan_steps_of(w.mash);
    gtk_widget_destroy(w.window);
    history_note_change();
    set_mash_on_screen(steps);
    history_forget_unchanged();
    refresh_after_command();
}

void on_destroy(GtkWidget*, gpointer)
{
    w.window = nullptr;
    if (w.store)
        g_object_unref(w.store);
    w.store = nullptr;
}

GtkWidget* label_at(const char* text, float x)
{
    GtkWidget* label = gtk_label_new(text);
    gtk_misc_set_alignment(GTK_MISC(label), x, 0.5);
    return label;
}

GtkWidget* button(GtkWidget* table, const char* text, guint left, guint top, GCallback clicked, gpointer data)
{
    GtkWidget* b = attach(table, gtk_button_new_with_mnemonic(text), left, left + 1, top, top + 1);
    g_signal_connect(b, "clicked", clicked, data);
    return b;
}

void add_list(GtkWidget* table)
{
    w.store = gtk_list_store_new(COL_COUNT, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING,
                                 G_TYPE_STRING);
    w.list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(w.store));
    const char* titles[COL_COUNT] = {"Nom", "°C", "min", "Type", "Pour y arriver"};
    for (int c = 0; c < COL_COUNT; c++) {
        GtkCellRenderer* cell = gtk_cell_renderer_text_new();
        if (c == COL_TEMPERATURE || c == COL_MINUTES)
            g_object_set(cell, "xalign", 1.0, nullptr);
        gtk_tree_view_append_column(GTK_TREE_VIEW(w.list), gtk_tree_view_column_new_with_attributes(
                                                               titles[c], cell, "text", c, nullptr));
    }
    g_signal_connect(gtk_tree_view_get_selection(GTK_TREE_VIEW(w.list)), "changed",
                     G_CALLBACK(on_selection_changed), nullptr);
    GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scroller), w.list);
    gtk_widget_show(w.list);
    attach(table, scroller, 0, 4, 1, 7);
}

void add_fields(GtkWidget* table)
{
    attach(table, label_at("Nom :", 1), 0, 1, 8, 9);
    w.name = attach(table, new_entry(), 1, 4, 8, 9);
    attach(table, label_at("Température (°C) :", 1), 0, 1, 9, 10);
    w.temperature = attach(table, new_entry(), 1, 2, 9, 10);
    attach(table, label_at("Durée (min) :", 1), 2, 3, 9, 10);
    w.minutes = attach(table, new_entry(), 3, 4, 9, 10);
    attach(table, label_at("Type :", 1), 0, 1, 10, 11);
    w.kind = attach(table, gtk_combo_box_new_text(), 1, 2, 10, 11);
    for (MashStepKind kind : kKinds)
        gtk_combo_box_append_text(GTK_COMBO_BOX(w.kind), mash_kind_text(kind).c_str());
    for (GtkWidget* entry : {w.name, w.temperature, w.minutes})
        g_signal_connect(entry, "changed", G_CALLBACK(on_field_changed), nullptr);
    g_signal_connect(w.kind, "changed", G_CALLBACK(on_field_changed), nullptr);
}

} // namespace

void open_mash_window()
{
    if (w.window) {
        gtk_window_present(GTK_WINDOW(w.window));
        return;
    }
    GtkWidget* table = nullptr;
    w.window = new_dialog_window(620, 470, "Paliers d'empâtage de la recette", &table);
    g_signal_connect(w.window, "destroy", G_CALLBACK(on_destroy), nullptr);
    w.origin = attach(table, label_at("", 0), 0, 4, 0, 1);
    add_list(table);
    button(table, "_Ajouter", 0, 7, G_CALLBACK(on_add), nullptr);
    button(table, "_Supprimer", 1, 7, G_CALLBACK(on_remove), nullptr);
    button(table, "_Monter", 2, 7, G_CALLBACK(on_move), GINT_TO_POINTER(1));
    button(table, "_Descendre", 3, 7, G_CALLBACK(on_move), GINT_TO_POINTER(0));
    add_fields(table);
    w.brewery = attach(table, gtk_button_new_with_mnemonic("Paliers de l'_installation"), 2, 4, 10, 11);
    g_signal_connect(w.brewery, "clicked", G_CALLBACK(on_brewery_rests), nullptr);
    w.figures = attach(table, label_at("", 0), 0, 4, 11, 14);
    GtkWidget* ok = button(table, "Valider", 2, 14, G_CALLBACK(on_validate), nullptr);
    make_default(w.window, ok);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 3, 4, 14, 15);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), w.window);

    w.mash = edited_mash_of(ws.plan, ws.settings);
    show_and_select(0);
    gtk_widget_show(w.window);
    gtk_widget_grab_focus(w.list);
}

GtkWidget* mash_window()
{
    return w.window;
}

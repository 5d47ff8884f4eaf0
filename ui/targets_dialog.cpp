// ui/targets_dialog.cpp — the dialog that asks the density, colour and bitterness to aim at.
#include "ui/targets_dialog.h"

#include "calc/format.h"
#include "calc/evaluate.h"
#include "calc/targets.h"
#include "core/history.h"
#include "core/text.h"
#include "core/workspace.h"
#include "ui/dialog_kit.h"
#include "ui/entry_text.h"
#include "ui/message_box.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

namespace
{

const char* const kFieldLabels[3] = {"Densité initiale", "Couleur (EBC)", "Amertume (IBU)"};
const Aim kAims[3] = {Aim::density, Aim::colour, Aim::bitterness};

// Today's values as the fields first showed them: a field that still shows its own is not aimed at
// unless it is ticked.
std::string shown_today[3];

} // namespace

static void on_targets_dialog_destroy(GtkWidget* window, gpointer)
{
    if (ui.targets_dialog != window)
        return;
    ui.targets_dialog = nullptr;
    for (GtkWidget*& entry : ui.target_entries)
        entry = nullptr;
    for (GtkWidget*& check : ui.target_checks)
        check = nullptr;
}

// Changing a value aims at it.
static void on_target_changed(GtkEditable* editable, gpointer data)
{
    const int k = GPOINTER_TO_INT(data);
    if (gtk_entry_get_text(GTK_ENTRY(editable)) != shown_today[k] && ui.target_checks[k])
        gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(ui.target_checks[k]), TRUE);
}

void open_targets_dialog()
{
    GtkWidget* table = nullptr;
    ui.targets_dialog = new_dialog_window(340, 175, "Viser des valeurs", &table);
    g_signal_connect(ui.targets_dialog, "destroy", G_CALLBACK(on_targets_dialog_destroy), nullptr);
    const double today[3] = {ws.estimates.initial_density, ws.estimates.colour_ebc,
                             ws.estimates.bitterness_ibu};
    for (guint k = 0; k < 3; k++) {
        ui.target_checks[k] = attach(table, gtk_check_button_new_with_label(kFieldLabels[k]), 0, 1, k, k + 1);
        ui.target_entries[k] = attach(table, new_entry(), 1, 2, k, k + 1);
        shown_today[k] = " " + format_decimals(today[k], 2);
        gtk_entry_set_text(GTK_ENTRY(ui.target_entries[k]), shown_today[k].c_str());
        g_signal_connect(ui.target_entries[k], "changed", G_CALLBACK(on_target_changed), GINT_TO_POINTER(k));
    }
    attach(table, gtk_label_new("Cochez ou changez les valeurs à viser."), 0, 2, 3, 4);
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 4, 5);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_targets_validate), nullptr);
    make_default(ui.targets_dialog, validate);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 1, 2, 4, 5);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), ui.targets_dialog);
    gtk_widget_show(ui.targets_dialog);
}

// The targets of the ticked fields that hold a value; false when one holds no number or a value no beer
// has, which is then marked and explained under the fields.
static bool read_targets(Targets& targets)
{
    bool* on[3] = {&targets.og_on, &targets.ebc_on, &targets.ibu_on};
    double* value[3] = {&targets.og, &targets.ebc, &targets.ibu};
    std::string hints;
    GtkWidget* first_refused = nullptr;
    for (int k = 0; k < 3; k++) {
        if (!gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(ui.target_checks[k])))
            continue;
        const std::string typed = gtk_entry_get_text(GTK_ENTRY(ui.target_entries[k]));
        if (clean_entry_text(typed, ENTRY_NUMBER).empty())
            continue; // emptied: not aimed at
        const CheckedNumber checked = check_number_entry(typed, NumberField::value);
        double number = checked.accepted ? text_to_number(checked.text) : 0;
        if (kAims[k] == Aim::density)
            number = density_thousandths(number);
        std::string problem = checked.accepted ? target_value_problem(kAims[k], number) : "";
        if (!checked.accepted || !problem.empty()) {
            const std::string hint = std::string(kFieldLabels[k]) + " : " +
                                     (problem.empty() ? "un nombre, ou rien pour ne pas la viser" : problem) +
                                     ".";
            mark_entry(ui.target_entries[k], hint);
            hints += (hints.empty() ? "" : "\n") + hint;
            if (!first_refused)
                first_refused = ui.target_entries[k];
            continue;
        }
        *on[k] = true;
        *value[k] = number;
    }
    if (first_refused) {
        show_hint(ui.targets_dialog, hints);
        gtk_widget_grab_focus(first_refused);
        return false;
    }
    return true;
}

void on_targets_validate(GtkButton*, gpointer)
{
    Targets targets;
    if (!read_targets(targets))
        return; // the dialog stays open on the refused field
    gtk_widget_destroy(ui.targets_dialog);
    if (!targets.og_on && !targets.ebc_on && !targets.ibu_on)
        return;
    const RecipeChange change =
        solve_targets(recipe_on_screen(), settings_on_screen(), targets, ingredient_database());
    if (change.done) {
        history_note_change();
        apply_recipe_change(change);
    } else {
        show_message(GTK_MESSAGE_WARNING, change.message);
    }
    refresh_after_command();
}

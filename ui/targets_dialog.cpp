// ui/targets_dialog.cpp — the dialog that asks the density, colour and bitterness to aim at.
#include "ui/targets_dialog.h"

#include "calc/format.h"
#include "calc/targets.h"
#include "core/text.h"
#include "core/workspace.h"
#include "ui/dialogs.h"
#include "ui/entry_text.h"
#include "ui/message_box.h"
#include "ui/recipe_view.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

namespace
{

const char* const kFieldLabels[3] = {"Densité initiale", "Couleur (EBC)", "Amertume (IBU)"};

} // namespace

static void on_targets_dialog_destroy(GtkWidget* window, gpointer)
{
    if (ui.targets_dialog != window)
        return;
    ui.targets_dialog = nullptr;
    for (GtkWidget*& entry : ui.target_entries)
        entry = nullptr;
}

static void on_targets_close(GtkButton*, gpointer)
{
    gtk_widget_destroy(ui.targets_dialog);
}

void open_targets_dialog()
{
    GtkWidget* table = nullptr;
    ui.targets_dialog = new_dialog_window(320, 175, "Viser des valeurs", &table);
    g_signal_connect(ui.targets_dialog, "destroy", G_CALLBACK(on_targets_dialog_destroy), nullptr);
    const double today[3] = {ws.estimates.initial_density, ws.estimates.colour_ebc,
                             ws.estimates.bitterness_ibu};
    for (guint k = 0; k < 3; k++) {
        attach(table, gtk_label_new(kFieldLabels[k]), 0, 1, k, k + 1);
        ui.target_entries[k] = attach(table, gtk_entry_new(), 1, 2, k, k + 1);
        gtk_entry_set_text(GTK_ENTRY(ui.target_entries[k]), (" " + format_decimals(today[k], 2)).c_str());
    }
    attach(table, gtk_label_new("Videz un champ pour ne pas le viser."), 0, 2, 3, 4);
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 4, 5);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_targets_validate), nullptr);
    GtkWidget* close = attach(table, gtk_button_new_with_label("Fermer"), 1, 2, 4, 5);
    g_signal_connect(close, "clicked", G_CALLBACK(on_targets_close), nullptr);
    gtk_widget_show(ui.targets_dialog);
}

// The targets of the filled-in fields; false, with the French reason, for a field that holds no number.
static bool read_targets(Targets& targets, std::string& why)
{
    bool* on[3] = {&targets.og_on, &targets.ebc_on, &targets.ibu_on};
    double* value[3] = {&targets.og, &targets.ebc, &targets.ibu};
    for (int k = 0; k < 3; k++) {
        const std::string text = read_entry_text(ui.target_entries[k], ENTRY_NUMBER);
        if (text.empty())
            continue;
        if (text.find_first_of("0123456789") == std::string::npos) {
            why = std::string(kFieldLabels[k]) + " : « " + text + " » n'est pas un nombre.";
            return false;
        }
        *on[k] = true;
        *value[k] = text_to_number(text);
    }
    return true;
}

void on_targets_validate(GtkButton*, gpointer)
{
    Targets targets;
    std::string message;
    const bool read = read_targets(targets, message);
    gtk_widget_destroy(ui.targets_dialog);
    if (read && (targets.og_on || targets.ebc_on || targets.ibu_on)) {
        const RecipeChange change =
            solve_targets(recipe_lines_on_screen(), ws.settings, forced_volume_on_screen(), targets);
        apply_recipe_change(change);
        message = change.message;
    }
    if (!message.empty())
        show_message(GTK_MESSAGE_WARNING, message);
    fill_recipe_list();
    refresh_results();
}

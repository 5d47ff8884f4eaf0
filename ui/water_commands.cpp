// ui/water_commands.cpp — the water and mash pH commands: each asks its value, calls the operation, and
// shows what it did.
#include "ui/water_commands.h"

#include "calc/evaluate.h"
#include "calc/water_text.h"
#include "core/data_folders.h"
#include "core/history.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/ph_correction.h"
#include "refdata/water_profiles.h"
#include "ui/message_box.h"
#include "ui/refresh.h"
#include "ui/value_dialog.h"
#include "ui/widgets.h"

#include <cmath>

// Applies a solver's change as one undoable step, or says why nothing changed.
static void apply_or_explain(const RecipeChange& change)
{
    if (!change.done) {
        show_message(GTK_MESSAGE_WARNING, change.message);
        return;
    }
    history_note_change();
    apply_whole_recipe_change(change);
    refresh_after_command();
    show_message(GTK_MESSAGE_INFO, change.message);
}

void aim_mash_ph_command()
{
    open_value_dialog("pH d'empâtage visé :", "5.40", ValueKind::text, [](const EnteredValue& value) {
        apply_or_explain(mash_ph_change_on_screen(text_to_number(value.text)));
    });
}

void aim_water_profile_command()
{
    open_value_dialog(
        "Profil d'eau visé (ions en mg/L) :", "Pilsen", ValueKind::water_profile,
        [](const EnteredValue& value) { apply_or_explain(water_profile_change_on_screen(value.text)); });
}

// Offers to keep the mean difference of the measurements as the brewery's correction.
static void offer_correction(const std::string& text)
{
    const std::string bases = data_folders().bases;
    int count = 0;
    const double mean = mean_ph_difference(bases + "/mesures_ph.txt", &count);
    GtkWidget* dialog = gtk_message_dialog_new(
        GTK_WINDOW(ui.main_window), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_YES_NO, "%s",
        (text + "\n\nÉcart moyen de vos " + std::to_string(count) +
         " mesure(s) : " + format_decimals(mean, 2) +
         ".\nGarder cet écart comme correction de la brasserie (ajoutée à chaque pH prédit) ?")
            .c_str());
    const gint answer = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    if (answer != GTK_RESPONSE_YES)
        return;
    std::string why;
    if (!write_ph_correction(bases + "/configuration.txt", mean, &why)) {
        show_message(GTK_MESSAGE_ERROR, "La correction n'a pas pu être enregistrée : " + why);
        return;
    }
    ws.settings.ph_correction = mean;
    refresh_after_command();
}

void measured_ph_command()
{
    const std::string start = ws.plan.measured_ph > 0 ? format_decimals(ws.plan.measured_ph, 2) : "";
    open_value_dialog(
        "pH mesuré à l'empâtage (à 25 °C) :", start, ValueKind::text, [](const EnteredValue& value) {
            const double measured = text_to_number(value.text);
            if (!(measured > 2 && measured < 9)) {
                show_message(GTK_MESSAGE_WARNING,
                             "Un pH d'empâtage se situe entre 2 et 9 : rien n'a changé.");
                return;
            }
            history_note_change();
            ws.plan.measured_ph = measured;
            refresh_after_command();
            const std::string text = measured_ph_text(measured, ws.estimates);
            if (text.empty()) {
                show_message(GTK_MESSAGE_INFO,
                             "pH mesuré noté ; la recette n'a pas de pH prédit à comparer.");
                return;
            }
            const double model = ws.estimates.mash_ph - ws.estimates.ph_correction;
            add_ph_measurement(data_folders().bases + "/mesures_ph.txt", ws.title, measured, model);
            offer_correction(text);
        });
}

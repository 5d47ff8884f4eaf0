// ui/line_dialog.cpp — the dialog that edits the quantity, value, yield, time and step of the selected line.
#include "ui/line_dialog.h"

#include "core/display_text.h"
#include "core/history.h"
#include "core/keywords.h"
#include "core/workspace.h"
#include "refdata/water_profiles.h"
#include "ui/dialog_kit.h"
#include "ui/profile_picker.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

#include <string>

// The brewing steps a line may take, in brewing order: a hop in AROMATISATION stands after the boil, one in
// FERMENTATION is a dry hop.
static const char* const kSteps[] = {"EMPATAGE",    "RINCAGE",       "EBULLITION",
                                     "AMERISATION", "AROMATISATION", "FERMENTATION"};
constexpr int kStepCount = sizeof kSteps / sizeof kSteps[0];

// The list of the steps, showing the line's own (none when its text is none of them: it is then kept).
static GtkWidget* new_step_combo(const std::string& step)
{
    GtkWidget* combo = gtk_combo_box_new_text();
    for (int k = 0; k < kStepCount; k++) {
        gtk_combo_box_append_text(GTK_COMBO_BOX(combo), kSteps[k]);
        if (step == kSteps[k])
            gtk_combo_box_set_active(GTK_COMBO_BOX(combo), k);
    }
    return combo;
}

// A water line's value for the profile picked: the text it held while that is the same profile (its bytes
// kept), else the profile's name in capitals, as the ingredient database writes it.
static std::string water_value(const std::string& held, const std::string& picked)
{
    const WaterProfile* profile = find_water_profile(water_profiles(), picked);
    if (!profile || profile == find_water_profile(water_profiles(), held))
        return picked.empty() ? held : (profile ? held : picked);
    gchar* upper = g_utf8_strup(profile->name.c_str(), -1);
    const std::string value = upper;
    g_free(upper);
    return value;
}

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
    ui.edit_step_combo = nullptr;
    ui.edit_profile_combo = nullptr;
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
    const RecipeLine& shown = ws.lines[ws.selected_line];
    // A water's value names its profile: picked from the list, never typed.
    const bool water = category_of(shown.category) == Category::water;
    attach(table, gtk_label_new(water ? "Profil" : "Valeur"), 0, 1, 2, 3);
    if (water)
        ui.edit_profile_combo = attach(table, new_profile_combo(shown.value), 1, 2, 2, 3);
    else
        ui.edit_value_entry = attach(table, new_entry(), 1, 2, 2, 3);
    attach(table, gtk_label_new("Rendement"), 0, 1, 3, 4);
    ui.edit_yield_entry = attach(table, new_entry(), 1, 2, 3, 4);
    attach(table, gtk_label_new("Temps"), 0, 1, 4, 5);
    ui.edit_time_entry = attach(table, new_entry(), 1, 2, 4, 5);
    const RecipeLine& line = ws.lines[ws.selected_line];
    attach(table, gtk_label_new("Étape"), 0, 1, 5, 6);
    ui.edit_step_combo = attach(table, new_step_combo(line.step), 1, 2, 5, 6);
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 6, 7);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_edit_validate), nullptr);
    make_default(ui.edit_dialog, validate);
    GtkWidget* close = attach(table, gtk_button_new_with_label("Fermer"), 1, 2, 6, 7);
    g_signal_connect(close, "clicked", G_CALLBACK(on_edit_close), nullptr);

    gtk_label_set_text(GTK_LABEL(ui.edit_label), (" " + display_text(line.designation)).c_str());
    set_entry(ui.edit_quantity_entry, line.quantity);
    set_entry(ui.edit_time_entry, line.time);
    if (ui.edit_value_entry)
        set_entry(ui.edit_value_entry, line.value);
    set_entry(ui.edit_yield_entry, line.yield);
    gtk_widget_show(ui.edit_dialog);
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
        texts[1] = ui.edit_profile_combo ? water_value(line.value, picked_profile(ui.edit_profile_combo))
                                         : line.value;
        for (int k = 0; k < 4; k++)
            if (fields[k].entry &&
                !read_number_entry(fields[k].entry, line.*fields[k].member, fields[k].field, line.category,
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
        const int step = gtk_combo_box_get_active(GTK_COMBO_BOX(ui.edit_step_combo));
        if (step >= 0 && step < kStepCount)
            line.step = kSteps[step];
    }
    ws.selected_line = 0;
    gtk_widget_destroy(ui.edit_dialog);
    refresh_after_command();
}

void on_edit_close(GtkButton*, gpointer)
{
    gtk_widget_destroy(ui.edit_dialog);
}

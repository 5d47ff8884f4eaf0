// ui/value_dialog.cpp — the small dialog that asks one value and hands it to the command that asked for it.
#include "ui/value_dialog.h"

#include "core/text.h"
#include "ui/dialog_kit.h"
#include "ui/profile_picker.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

namespace
{

// The open dialog's start text, kind and command; one value dialog is open at a time.
struct ValueQuestion {
    std::string start_text;
    ValueKind kind = ValueKind::text;
    ValueAction action;
};
ValueQuestion question;

} // namespace

static void on_value_dialog_destroy(GtkWidget* window, gpointer)
{
    if (ui.value_dialog != window)
        return;
    ui.value_dialog = nullptr;
    ui.value_entry = nullptr;
    ui.value_profile_combo = nullptr;
}

// "Valider" (or Entrée): checks the number the kind needs, closes the dialog, runs the command, refreshes.
static void on_value_validate(GtkButton*, gpointer)
{
    if (question.kind == ValueKind::water_profile) {
        EnteredValue value;
        value.text = picked_profile(ui.value_profile_combo);
        const ValueAction action = question.action;
        gtk_widget_destroy(ui.value_dialog);
        if (action && !value.text.empty())
            action(value);
        refresh_after_command();
        return;
    }
    const std::string entered = entry_bytes(ui.value_entry, question.start_text);
    std::string number_text = clean_entry_text(entered, ENTRY_NUMBER);
    if (question.kind != ValueKind::text) {
        std::string hints;
        const NumberField field =
            question.kind == ValueKind::carbonation ? NumberField::carbonation : NumberField::forced_volume;
        if (!read_number_entry(ui.value_entry, question.start_text, field, "", number_text, hints)) {
            show_hint(ui.value_dialog, hints);
            gtk_widget_grab_focus(ui.value_entry);
            return;
        }
    }
    EnteredValue value;
    // The entry's commas are points already; turning them again keeps a decimal comma from cutting the
    // number.
    value.number = text_to_number(commas_to_points(number_text));
    value.text = clean_entry_text(entered, ENTRY_PLAIN);
    const ValueAction action = question.action;
    gtk_widget_destroy(ui.value_dialog);
    if (action)
        action(value);
    refresh_after_command();
}

void open_value_dialog(const std::string& prompt, const std::string& start_text, ValueKind kind,
                       ValueAction action)
{
    question = ValueQuestion{start_text, kind, std::move(action)};
    GtkWidget* table = nullptr;
    // A profile's list shows its ions beside its name: the window is as wide as that line.
    const int width = kind == ValueKind::water_profile ? 440 : 250;
    ui.value_dialog = new_dialog_window(width, 100, "Saisie", &table);
    g_signal_connect(ui.value_dialog, "destroy", G_CALLBACK(on_value_dialog_destroy), nullptr);
    attach(table, gtk_label_new(prompt.c_str()), 0, 2, 0, 1);
    if (kind == ValueKind::water_profile) {
        ui.value_profile_combo = attach(table, new_profile_combo(start_text), 0, 2, 1, 2);
    } else {
        ui.value_entry = attach(table, new_entry(), 0, 2, 1, 2);
        set_entry(ui.value_entry, start_text);
    }
    GtkWidget* validate = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 2, 3);
    g_signal_connect(validate, "clicked", G_CALLBACK(on_value_validate), nullptr);
    make_default(ui.value_dialog, validate);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 1, 2, 2, 3);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), ui.value_dialog);
    gtk_widget_show(ui.value_dialog);
}

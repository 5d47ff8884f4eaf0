// ui/installation_dialog.cpp — the "Installation…" dialog: every key of the configuration on notebook pages,
// checked, then written to the configuration in use and read again.
#include "ui/installation_dialog.h"

#include "core/workspace.h"
#include "refdata/brewer_configuration.h"
#include "refdata/configuration.h"
#include "refdata/configuration_write.h"
#include "ui/dialog_kit.h"
#include "ui/installation_fields.h"
#include "ui/message_box.h"
#include "ui/refresh.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// One key of the dialog: its value as shown, its rule, and its entries (or its one list).
struct Row {
    ConfigurationValue value;
    SettingRule rule;
    size_t page = 0; // among the pages shown
    std::vector<GtkWidget*> inputs;
};

struct InstallationDialog {
    GtkWidget* window = nullptr;
    GtkWidget* notebook = nullptr;
    std::vector<Row> rows;
};
InstallationDialog dialog;

// The keys in the order of their pages, then of the table of places.
std::vector<Row> rows_of(const Settings& s)
{
    const std::vector<std::string> pages = installation_pages();
    std::vector<Row> rows;
    for (ConfigurationValue& v : configuration_values(s)) {
        Row row;
        row.rule = setting_rule(v.key, v.unit);
        row.page = static_cast<size_t>(std::find(pages.begin(), pages.end(), row.rule.page) - pages.begin());
        row.value = std::move(v);
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.page != b.page ? a.page < b.page : a.rule.order < b.rule.order;
    });
    return rows;
}

// What the dialog calls a key: a word key's label without the words its list shows anyway.
std::string shown_label(const Row& row)
{
    const std::string& label = row.value.label;
    return row.rule.kind == SettingKind::word ? label.substr(0, label.find(" (")) : label;
}

void put(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top)
{
    gtk_table_attach(GTK_TABLE(table), widget, left, right, top, top + 1, GTK_FILL, GTK_SHRINK, 4, 2);
    gtk_widget_show(widget);
}

GtkWidget* left_label(const std::string& text)
{
    GtkWidget* label = gtk_label_new(text.c_str());
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    return label;
}

// The colour sample beside a colour entry shows an estimate as the results panel would, or nothing while
// the digits are not a colour.
void on_colour_changed(GtkEditable* editable, gpointer sample)
{
    SettingRule rule;
    rule.kind = SettingKind::colour;
    const CheckedSetting colour =
        check_setting_field(rule, "", "", 0, gtk_entry_get_text(GTK_ENTRY(editable)));
    const char* arrow = static_cast<const char*>(g_object_get_data(G_OBJECT(sample), "arrow"));
    const std::string markup =
        colour.accepted ? "<span foreground=\"#" + colour.text + "\"><b>1047.5 " + arrow + "</b></span>" : "";
    gtk_label_set_markup(GTK_LABEL(sample), markup.c_str());
}

GtkWidget* new_setting_entry(const std::string& text, int width_chars)
{
    GtkWidget* entry = new_entry();
    gtk_entry_set_width_chars(GTK_ENTRY(entry), width_chars);
    set_entry(entry, text);
    return entry;
}

// Puts one key on row `top` of its section's table: label, then entries and units, a list, or a sample.
void add_row(GtkWidget* table, guint top, Row& row, GtkSizeGroup* labels)
{
    GtkWidget* label = gtk_label_new((shown_label(row) + " :").c_str());
    gtk_misc_set_alignment(GTK_MISC(label), 1, 0.5);
    gtk_size_group_add_widget(labels, label);
    // The key's own name, for the brewer who also edits the file by hand.
    gtk_widget_set_tooltip_text(label, ("Clé " + row.value.key + " de " + configuration_path()).c_str());
    put(table, label, 0, 1, top);
    const std::vector<std::string>& fields = row.value.fields;
    switch (row.rule.kind) {
    case SettingKind::number:
        for (size_t k = 0; k < fields.size() && k < 2; k++) {
            const guint column = 1 + 2 * static_cast<guint>(k);
            row.inputs.push_back(new_setting_entry(fields[k], 8));
            put(table, row.inputs.back(), column, column + 1, top);
            put(table, left_label(field_unit(row.value.unit, k)), column + 1, column + 2, top);
        }
        break;
    case SettingKind::word: {
        GtkWidget* combo = gtk_combo_box_new_text();
        for (size_t k = 0; k < row.rule.words.size(); k++) {
            gtk_combo_box_append_text(GTK_COMBO_BOX(combo), row.rule.words[k].c_str());
            if (!fields.empty() && row.rule.words[k] == fields[0])
                gtk_combo_box_set_active(GTK_COMBO_BOX(combo), static_cast<gint>(k));
        }
        row.inputs.push_back(combo);
        put(table, combo, 1, 3, top);
        break;
    }
    case SettingKind::colour: {
        row.inputs.push_back(new_setting_entry(fields.empty() ? "" : fields[0], 8));
        put(table, row.inputs.back(), 1, 2, top);
        put(table, left_label(row.value.unit), 2, 3, top);
        GtkWidget* sample = left_label("");
        // Static texts: the sign the results panel puts after an estimate below or above the style's range.
        g_object_set_data(G_OBJECT(sample), "arrow",
                          const_cast<char*>(row.value.key == "COULEUR_MAX" ? "▲" : "▼"));
        put(table, sample, 3, 5, top);
        g_signal_connect(row.inputs.back(), "changed", G_CALLBACK(on_colour_changed), sample);
        on_colour_changed(GTK_EDITABLE(row.inputs.back()), sample);
        break;
    }
    case SettingKind::text:
        row.inputs.push_back(new_setting_entry(fields.empty() ? "" : fields[0], 24));
        put(table, row.inputs.back(), 1, 5, top);
        break;
    }
}

// Adds a framed section to a page, with its note when it has one; gives the table its keys go into.
GtkWidget* new_section(GtkWidget* column, const std::string& section)
{
    GtkWidget* frame = gtk_frame_new(section.c_str());
    gtk_box_pack_start(GTK_BOX(column), frame, FALSE, FALSE, 0);
    GtkWidget* inside = gtk_vbox_new(FALSE, 2);
    gtk_container_set_border_width(GTK_CONTAINER(inside), 4);
    gtk_container_add(GTK_CONTAINER(frame), inside);
    const std::string note = section_note(section);
    if (!note.empty()) {
        GtkWidget* said = left_label(note);
        gtk_label_set_line_wrap(GTK_LABEL(said), TRUE);
        gtk_widget_set_size_request(said, 560, -1);
        gtk_misc_set_padding(GTK_MISC(said), 4, 0);
        gtk_box_pack_start(GTK_BOX(inside), said, FALSE, FALSE, 0);
    }
    GtkWidget* table = gtk_table_new(1, 5, FALSE);
    gtk_box_pack_start(GTK_BOX(inside), table, FALSE, FALSE, 0);
    return table;
}

// Builds the notebook: one page per page name that holds a key, one frame per section.
void add_pages(GtkWidget* notebook)
{
    const std::vector<std::string> names = installation_pages();
    size_t shown = 0;
    for (size_t page = 0; page < names.size(); page++) {
        GtkWidget* column = nullptr;
        GtkWidget* table = nullptr;
        // One width for the labels of a page, so its fields line up from one frame to the next.
        GtkSizeGroup* labels = gtk_size_group_new(GTK_SIZE_GROUP_HORIZONTAL);
        std::string section;
        guint top = 0;
        for (Row& row : dialog.rows) {
            if (row.page != page)
                continue;
            if (!column) {
                column = gtk_vbox_new(FALSE, 6);
                gtk_container_set_border_width(GTK_CONTAINER(column), 8);
                gtk_notebook_append_page(GTK_NOTEBOOK(notebook), column, gtk_label_new(names[page].c_str()));
            }
            if (!table || row.rule.section != section) {
                section = row.rule.section;
                table = new_section(column, section);
                top = 0;
            }
            add_row(table, top++, row, labels);
            row.page = shown;
        }
        g_object_unref(labels);
        if (column) {
            gtk_widget_show_all(column);
            shown++;
        }
    }
}

// Reads one field as the brewer left it: true with the field's text, or false with the entry marked.
bool read_field(const Row& row, size_t k, std::string& text, std::string& hints)
{
    GtkWidget* input = row.inputs[k];
    const std::string stored = k < row.value.fields.size() ? row.value.fields[k] : "";
    std::string typed;
    if (row.rule.kind == SettingKind::word) {
        gchar* active = gtk_combo_box_get_active_text(GTK_COMBO_BOX(input));
        typed = active ? active : stored;
        g_free(active);
    } else {
        typed = entry_bytes(input, stored);
        if (typed == " " + stored) { // left as shown: an older file's value stays, whatever it is
            text = stored;
            return true;
        }
    }
    const CheckedSetting checked = check_setting_field(row.rule, row.value.label, row.value.unit, k, typed);
    if (checked.accepted) {
        text = checked.text;
        return true;
    }
    if (GTK_IS_ENTRY(input))
        mark_entry(input, checked.hint);
    hints += (hints.empty() ? "" : "\n") + checked.hint;
    return false;
}

void on_validate(GtkButton*, gpointer)
{
    Settings after = ws.settings;
    std::string hints;
    int refused_page = -1;
    for (const Row& row : dialog.rows) {
        std::vector<std::string> fields = row.value.fields;
        bool read = true;
        for (size_t k = 0; k < row.inputs.size() && k < fields.size(); k++)
            read = read_field(row, k, fields[k], hints) && read;
        if (read)
            set_configuration_value(after, row.value.key, fields);
        else if (refused_page < 0)
            refused_page = static_cast<int>(row.page);
    }
    if (refused_page >= 0) {
        gtk_notebook_set_current_page(GTK_NOTEBOOK(dialog.notebook), refused_page);
        show_hint(dialog.window, hints);
        return;
    }
    const bool changed = !changed_configuration_values(ws.settings, after).empty();
    std::string why;
    if (changed && !save_brewer_configuration(ws.settings, after, &why)) {
        show_message(GTK_MESSAGE_ERROR, "La configuration n'a pas pu être enregistrée :\n" +
                                            configuration_path() + "\n(" + why +
                                            ")\nAucun réglage n'a changé.");
        return;
    }
    gtk_widget_destroy(dialog.window);
    if (!changed)
        return;
    reload_configuration(); // what the file now says, so the window shows what the next start will
    refresh_after_command();
}

void on_destroy(GtkWidget*, gpointer)
{
    dialog = InstallationDialog();
}

} // namespace

void open_installation_dialog()
{
    if (dialog.window) {
        gtk_window_present(GTK_WINDOW(dialog.window));
        return;
    }
    dialog.rows = rows_of(ws.settings);
    GtkWidget* table = nullptr;
    dialog.window = new_dialog_window(640, 460, "Installation de brassage", &table);
    g_signal_connect(dialog.window, "destroy", G_CALLBACK(on_destroy), nullptr);
    dialog.notebook = attach(table, gtk_notebook_new(), 0, 2, 0, 11);
    add_pages(dialog.notebook);
    GtkWidget* ok = attach(table, gtk_button_new_with_label("Valider"), 0, 1, 11, 12);
    g_signal_connect(ok, "clicked", G_CALLBACK(on_validate), nullptr);
    make_default(dialog.window, ok);
    GtkWidget* cancel = attach(table, gtk_button_new_with_label("Annuler"), 1, 2, 11, 12);
    g_signal_connect_swapped(cancel, "clicked", G_CALLBACK(gtk_widget_destroy), dialog.window);
    gtk_widget_show(dialog.window);
}

GtkWidget* installation_dialog()
{
    return dialog.window;
}

GtkWidget* installation_notebook()
{
    return dialog.notebook;
}

GtkWidget* installation_input(const std::string& key, size_t field)
{
    for (const Row& row : dialog.rows)
        if (row.value.key == key && field < row.inputs.size())
            return row.inputs[field];
    return nullptr;
}

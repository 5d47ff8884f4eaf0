// ui/profile_picker.cpp — a GtkComboBox of the water profiles: the name kept in a hidden column, the name and
// the ions shown.
#include "ui/profile_picker.h"

#include "calc/water_text.h"
#include "core/display_text.h"
#include "refdata/water_profiles.h"

enum { COL_NAME, COL_SHOWN, COL_COUNT };

GtkWidget* new_profile_combo(const std::string& selected)
{
    GtkListStore* store = gtk_list_store_new(COL_COUNT, G_TYPE_STRING, G_TYPE_STRING);
    const std::vector<WaterProfile>& profiles = water_profiles();
    const WaterProfile* chosen = find_water_profile(profiles, selected);
    const bool unknown = !chosen && selected.find_first_not_of(' ') != std::string::npos;
    int active = -1, row = 0;
    if (unknown) {
        const std::string shown = display_text(selected) + " (profil inconnu)";
        gtk_list_store_insert_with_values(store, nullptr, -1, COL_NAME, selected.c_str(), COL_SHOWN,
                                          shown.c_str(), -1);
        active = row++;
    }
    for (const WaterProfile& p : profiles) {
        const std::string shown = display_text(profile_choice_text(p));
        gtk_list_store_insert_with_values(store, nullptr, -1, COL_NAME, p.name.c_str(), COL_SHOWN,
                                          shown.c_str(), -1);
        if (&p == chosen)
            active = row;
        row++;
    }
    GtkWidget* combo = gtk_combo_box_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), cell, TRUE);
    gtk_cell_layout_set_attributes(GTK_CELL_LAYOUT(combo), cell, "text", COL_SHOWN, nullptr);
    // A long list opens as a menu of several columns rather than a list running off the screen.
    if (row > 12)
        gtk_combo_box_set_wrap_width(GTK_COMBO_BOX(combo), 2);
    if (active >= 0)
        gtk_combo_box_set_active(GTK_COMBO_BOX(combo), active);
    return combo;
}

std::string picked_profile(GtkWidget* combo)
{
    GtkTreeIter iter;
    if (!combo || !gtk_combo_box_get_active_iter(GTK_COMBO_BOX(combo), &iter))
        return "";
    gchar* name = nullptr;
    gtk_tree_model_get(gtk_combo_box_get_model(GTK_COMBO_BOX(combo)), &iter, COL_NAME, &name, -1);
    const std::string picked = name ? name : "";
    g_free(name);
    return picked;
}

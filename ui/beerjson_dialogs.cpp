// ui/beerjson_dialogs.cpp — the BeerJSON export from the window: the Save chooser proposes the recipe's
// title in the recipe's folder, and the file is written through the safe file writer.
#include "ui/beerjson_dialogs.h"

#include "calc/evaluate.h"
#include "core/workspace.h"
#include "recipe/formats/beerjson_write.h"
#include "ui/message_box.h"
#include "ui/widgets.h"

#include <gtk/gtk.h>

#include <string>

static std::string proposed_json_name()
{
    std::string name = ws.title.empty() ? "recette" : ws.title;
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '-';
    return name + ".json";
}

static bool ends_with_json(const std::string& path)
{
    return path.size() >= 5 && g_ascii_strcasecmp(path.c_str() + path.size() - 5, ".json") == 0;
}

void export_recipe_as_beerjson()
{
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "Exporter en BeerJSON", GTK_WINDOW(ui.main_window), GTK_FILE_CHOOSER_ACTION_SAVE, "gtk-cancel",
        GTK_RESPONSE_CANCEL, "gtk-save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_add_pattern(filter, "*.json");
    gtk_file_filter_add_pattern(filter, "*.JSON");
    gtk_file_filter_set_name(filter, "Recettes BeerJSON (*.json)");
    gtk_file_chooser_add_filter(chooser, filter);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gchar* folder = ws.file_name.empty() ? g_get_current_dir() : g_path_get_dirname(ws.file_name.c_str());
    gtk_file_chooser_set_current_folder(chooser, folder);
    g_free(folder);
    gtk_file_chooser_set_current_name(chooser, proposed_json_name().c_str());
    std::string path;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        path = chosen ? chosen : "";
        g_free(chosen);
    }
    gtk_widget_destroy(dialog);
    if (path.empty())
        return;
    if (!ends_with_json(path))
        path += ".json";
    std::string why;
    evaluate_recipe();
    if (!export_beerjson(path, recipe_report_on_screen(), &why))
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'exporter la recette dans :\n" + path + "\n(" + why + ")");
}

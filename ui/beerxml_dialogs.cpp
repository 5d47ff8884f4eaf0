// ui/beerxml_dialogs.cpp — the BeerXML dialogs: which recipe of a file to open, where to export, and the
// messages. Reading, mapping and writing are the library's (recipe/formats/).
#include "ui/beerxml_dialogs.h"

#include "calc/evaluate.h"
#include "core/display_text.h"
#include "core/history.h"
#include "core/workspace.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/beerxml_write.h"
#include "recipe/list_edit.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

#include <vector>

static void add_filter(GtkFileChooser* chooser, const char* name, std::initializer_list<const char*> patterns)
{
    GtkFileFilter* filter = gtk_file_filter_new();
    for (const char* pattern : patterns)
        gtk_file_filter_add_pattern(filter, pattern);
    gtk_file_filter_set_name(filter, name);
    gtk_file_chooser_add_filter(chooser, filter);
}

void add_open_filters(GtkFileChooser* chooser)
{
    add_filter(chooser, "Fichier Recette CUVELO (*.cvl)", {"*.cvl"});
    add_filter(chooser, "Recettes BeerXML (*.xml)", {"*.xml", "*.XML"});
    add_filter(chooser, "Recettes BeerJSON (*.json)", {"*.json", "*.JSON"});
    add_filter(chooser, "Toutes les recettes", {"*.cvl", "*.xml", "*.XML", "*.json", "*.JSON"});
}

// Asks which recipe of the file to open; its index, or -1 when the brewer cancels.
static int choose_recipe(const ForeignFile& content, const std::string& path)
{
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "Choisir une recette", GTK_WINDOW(ui.main_window),
        static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT), "gtk-cancel",
        GTK_RESPONSE_CANCEL, "gtk-open", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    gtk_window_set_default_size(GTK_WINDOW(dialog), 420, 320);
    gchar* base = g_path_get_basename(path.c_str());
    std::string question = "Le fichier « " + bounded_display_text(base, kMaxNameCharacters) + " » contient " +
                           std::to_string(content.recipes.size()) + " recettes";
    if (content.recipes_left_out > 0)
        question += " lisibles, et " + std::to_string(content.recipes_left_out) + " de plus au-delà des " +
                    std::to_string(kMostRecipes) + " premières, qui ne sont pas lues";
    question += ". Laquelle ouvrir ?";
    g_free(base);
    GtkWidget* label = gtk_label_new(question.c_str());
    gtk_misc_set_alignment(GTK_MISC(label), 0, 0.5);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);

    GtkListStore* store = gtk_list_store_new(2, G_TYPE_INT, G_TYPE_STRING);
    for (size_t i = 0; i < content.recipes.size(); i++) {
        GtkTreeIter row;
        gtk_list_store_append(store, &row);
        gtk_list_store_set(store, &row, 0, static_cast<int>(i + 1), 1,
                           foreign_recipe_label(content, i).c_str(), -1);
    }
    GtkWidget* list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
    g_object_unref(store);
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    gtk_tree_view_append_column(GTK_TREE_VIEW(list),
                                gtk_tree_view_column_new_with_attributes("N°", text, "text", 0, nullptr));
    gtk_tree_view_append_column(
        GTK_TREE_VIEW(list), gtk_tree_view_column_new_with_attributes("Recette", text, "text", 1, nullptr));
    GtkTreePath* first = gtk_tree_path_new_first();
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(list), first, nullptr, FALSE);
    gtk_tree_path_free(first);
    // A double click opens the recipe at once.
    g_signal_connect_swapped(list, "row-activated", G_CALLBACK(gtk_window_activate_default), dialog);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(scrolled), list);

    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(dialog), 6);
    gtk_box_set_spacing(GTK_BOX(area), 6);
    gtk_box_pack_start(GTK_BOX(area), label, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(area), scrolled, TRUE, TRUE, 0);
    g_object_set_data(G_OBJECT(dialog), "recipe-list", list); // the GUI tests pick a row through it
    gtk_widget_show_all(area);

    int chosen = -1;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        GtkTreeModel* model = nullptr;
        GtkTreeIter row;
        GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(list));
        if (gtk_tree_selection_get_selected(selection, &model, &row)) {
            gtk_tree_model_get(model, &row, 0, &chosen, -1);
            chosen--;
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

bool open_foreign_recipe(const OpenedFile& file, const std::string& path)
{
    const ForeignFile& content = file.foreign;
    if (!file.read) {
        show_message(GTK_MESSAGE_ERROR, "Impossible d'ouvrir le fichier :\n" + path + "\n(" + file.why + ")");
        return false;
    }
    if (content.refused) {
        show_message(GTK_MESSAGE_ERROR,
                     "Le fichier « " + path + " » n'est pas ouvert :\n" + content.refusal + ".");
        return false;
    }
    const int index = content.recipes.size() == 1 ? 0 : choose_recipe(content, path);
    if (index < 0)
        return false;
    const ImportedRecipe recipe =
        import_foreign_recipe(content.recipes[static_cast<size_t>(index)], reference_data());
    open_imported_recipe(recipe);
    // The recipe shows behind the message, which compares the file's figures with these estimates.
    // An imported recipe starts its own history, as an opened one does, but is saved nowhere yet: modified.
    history_reset_unsaved();
    refresh_after_command();
    show_message(GTK_MESSAGE_INFO,
                 import_message(recipe, content, ws.estimates, 100 * settings_on_screen().efficiency));
    return true;
}

// The file name proposed for the export: the recipe's title, without what a file name cannot hold.
static std::string proposed_name()
{
    std::string name = ws.title.empty() ? "recette" : ws.title;
    for (char& c : name)
        if (c == '/' || c == '\\')
            c = '-';
    return name + ".xml";
}

static bool ends_with_xml(const std::string& path)
{
    return path.size() >= 4 && g_ascii_strcasecmp(path.c_str() + path.size() - 4, ".xml") == 0;
}

void export_recipe_as_beerxml()
{
    GtkWidget* dialog = gtk_file_chooser_dialog_new(
        "Exporter en BeerXML", GTK_WINDOW(ui.main_window), GTK_FILE_CHOOSER_ACTION_SAVE, "gtk-cancel",
        GTK_RESPONSE_CANCEL, "gtk-save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    add_filter(chooser, "Recettes BeerXML (*.xml)", {"*.xml", "*.XML"});
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gchar* folder = ws.file_name.empty() ? g_get_current_dir() : g_path_get_dirname(ws.file_name.c_str());
    gtk_file_chooser_set_current_folder(chooser, folder);
    g_free(folder);
    gtk_file_chooser_set_current_name(chooser, proposed_name().c_str());
    std::string path;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        path = chosen ? chosen : "";
        g_free(chosen);
    }
    gtk_widget_destroy(dialog);
    if (path.empty())
        return;
    if (!ends_with_xml(path))
        path += ".xml";
    std::vector<std::string> clamped;
    std::string why;
    evaluate_recipe();
    if (!export_beerxml(path, recipe_report_on_screen(), &clamped, &why)) {
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'exporter la recette dans :\n" + path + "\n(" + why + ")");
        return;
    }
    if (clamped.empty())
        return;
    std::string message = "Recette exportée en BeerXML dans :\n" + path +
                          "\n\nCe que le format BeerXML ne garde pas tel quel :";
    for (size_t i = 0; i < clamped.size() && i < 12; i++)
        message += "\n  " + clamped[i];
    if (clamped.size() > 12)
        message += "\n  et " + std::to_string(clamped.size() - 12) + " autre(s)";
    show_message(GTK_MESSAGE_INFO, message);
}

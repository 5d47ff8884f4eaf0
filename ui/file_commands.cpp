// ui/file_commands.cpp — the file commands: each keeps the brewer's work unless the brewer says otherwise.
#include "ui/file_commands.h"

#include "calc/evaluate.h"
#include "core/data_folders.h"
#include "core/history.h"
#include "core/text.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/formats/recipe_format.h"
#include "report/brew_sheet.h"
#include "report/browser.h"
#include "report/html_report.h"
#include "ui/beerxml_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/widgets.h"

#include <gtk/gtk.h>

static std::string last_folder;

// The path a name chosen in the Save chooser is saved under: without the spaces a typed name may end with,
// its extension ".cvl" in small letters whatever case it was typed in (the choosers' filter and the desktop's
// file type know only "*.cvl"), and ".cvl" added when it has none.
static std::string save_path_of(std::string chosen)
{
    const std::string::size_type name_start = chosen.rfind('/') + 1;
    const std::string::size_type name_end = chosen.find_last_not_of(' ');
    if (name_end != std::string::npos && name_end >= name_start)
        chosen.erase(name_end + 1);
    const std::string::size_type dot = chosen.size() >= 4 ? chosen.size() - 4 : 0;
    if (chosen.size() >= 4 && g_ascii_strcasecmp(chosen.c_str() + dot, ".cvl") == 0)
        chosen.replace(dot, 4, ".cvl");
    else
        chosen += ".cvl";
    return chosen;
}

// Saving onto a file other than the recipe's own replaces it only when the brewer says so.
static bool may_write_to(const std::string& path, GtkWindow* parent)
{
    if (path == ws.file_name || !g_file_test(path.c_str(), G_FILE_TEST_EXISTS))
        return true;
    const int answer =
        ask_question("Le fichier « " + path_base_name(path) + " » existe déjà. Le remplacer ?",
                     "Son contenu actuel sera perdu.",
                     {{"Annuler", ANSWER_CANCEL}, {"Remplacer", ANSWER_REPLACE}}, ANSWER_CANCEL, parent);
    return answer == ANSWER_REPLACE;
}

// The Save chooser's answer: a name that would replace another file asks first, and "Annuler" leaves the
// chooser open on the same name, as GTK's own overwrite question does.
static void on_save_chooser_response(GtkDialog* dialog, gint response, gpointer)
{
    if (response != GTK_RESPONSE_ACCEPT)
        return;
    gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
    if (!chosen)
        return;
    const std::string path = save_path_of(chosen);
    g_free(chosen);
    if (!may_write_to(path, GTK_WINDOW(dialog)))
        g_signal_stop_emission_by_name(dialog, "response");
}

static std::string folder_of(const std::string& path)
{
    gchar* folder = g_path_get_dirname(path.c_str());
    std::string result = folder;
    g_free(folder);
    return result;
}

std::string recipe_folder()
{
    if (!ws.file_name.empty()) {
        const std::string folder = folder_of(ws.file_name);
        if (g_file_test(folder.c_str(), G_FILE_TEST_IS_DIR))
            return folder;
    }
    if (!last_folder.empty() && g_file_test(last_folder.c_str(), G_FILE_TEST_IS_DIR))
        return last_folder;
    if (!data_folders().documents.empty())
        return data_folders().documents;
    gchar* here = g_get_current_dir();
    std::string result = here;
    g_free(here);
    return result;
}

// The chooser's "Recently Used" lists the recipes opened and saved.
static void remember_file(const std::string& path)
{
    last_folder = folder_of(path);
    // GTK keeps the list in the user's data folder but does not make that folder (a fresh account has none).
    g_mkdir_with_parents(g_get_user_data_dir(), 0700);
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (uri) {
        gtk_recent_manager_add_item(gtk_recent_manager_get_default(), uri);
        g_free(uri);
    }
}

// Runs the Open or Save file chooser; true with the chosen path when the brewer accepted it. Save gives the
// path to write, which the brewer agreed to replace when it is another existing file.
static bool choose_recipe_file(bool saving, std::string& path)
{
    GtkWidget* dialog =
        saving
            ? gtk_file_chooser_dialog_new("Enregistrer une recette", GTK_WINDOW(ui.main_window),
                                          GTK_FILE_CHOOSER_ACTION_SAVE, GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL,
                                          GTK_STOCK_SAVE, GTK_RESPONSE_ACCEPT, nullptr)
            : gtk_file_chooser_dialog_new("Ouvrir une recette", GTK_WINDOW(ui.main_window),
                                          GTK_FILE_CHOOSER_ACTION_OPEN, GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL,
                                          GTK_STOCK_OPEN, GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    if (saving) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_add_pattern(filter, "*.cvl");
        gtk_file_filter_set_name(filter, "Fichier Recette CUVELO (*.cvl)");
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
        g_signal_connect(dialog, "response", G_CALLBACK(on_save_chooser_response), nullptr);
    } else {
        add_open_filters(GTK_FILE_CHOOSER(dialog));
    }
    // Without a folder GTK's choosers open on "Recently Used", where nothing can be saved and little found.
    gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), recipe_folder().c_str());
    if (!ws.file_name.empty())
        gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(dialog), ws.file_name.c_str());

    bool accepted = false;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
        if (chosen) {
            path = saving ? save_path_of(chosen) : chosen;
            accepted = true;
            g_free(chosen);
        }
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

// The name the recipe goes by in the questions: its title, else its file, else "sans titre".
static std::string recipe_name()
{
    if (!ws.title.empty())
        return ws.title;
    if (!ws.file_name.empty())
        return path_base_name(ws.file_name);
    return "sans titre";
}

bool may_drop_recipe()
{
    if (!recipe_is_modified())
        return true;
    const int answer = ask_question(
        "Enregistrer les modifications de la recette « " + recipe_name() + " » ?",
        "Sans enregistrement, les modifications seront perdues.",
        {{"Ne pas enregistrer", ANSWER_DISCARD}, {"Annuler", ANSWER_CANCEL}, {"Enregistrer", ANSWER_SAVE}},
        ANSWER_SAVE);
    if (answer == ANSWER_DISCARD)
        return true;
    if (answer == ANSWER_SAVE)
        return save_recipe_command(false);
    return false;
}

void new_recipe_command()
{
    if (!may_drop_recipe())
        return;
    start_new_recipe();
    history_reset();
}

bool open_recipe_file(const std::string& path)
{
    // The content decides, whatever the extension: another program's file becomes a new recipe never saved.
    // Its history starts modified, since it is saved in no Cuvelo file yet (open_foreign_recipe sees to it).
    OpenedFile file = open_any_recipe_file(path, recipe_fields_on_screen());
    if (file.format != RecipeFormat::cvl) {
        if (!open_foreign_recipe(file, path))
            return false;
    } else {
        if (!file.read) {
            show_message(GTK_MESSAGE_ERROR,
                         "Impossible d'ouvrir le fichier recette :\n" + path + "\n(" + file.why + ")");
            return false;
        }
        put_file_recipe_on_screen(std::move(file.recipe), path);
        history_reset();
    }
    ws.style_display_mode = 0;
    remember_file(path);
    return true;
}

void open_recipe_command()
{
    if (!may_drop_recipe())
        return;
    std::string path;
    if (choose_recipe_file(false, path))
        open_recipe_file(path);
}

bool save_recipe_command(bool choose)
{
    std::string path = ws.file_name;
    if (choose || path.empty()) {
        if (!choose_recipe_file(true, path))
            return false;
    }
    std::string why;
    if (!save_recipe(path, &why)) {
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'enregistrer la recette dans le fichier :\n" + path + "\n(" + why + ")");
        return false;
    }
    history_mark_saved();
    remember_file(ws.file_name);
    update_window_title();
    return true;
}

void show_report_command()
{
    std::string failed_command;
    if (write_html_report(recipe_report_on_screen(), failed_command))
        return;
    if (!unwritten_report_path().empty())
        show_message(GTK_MESSAGE_ERROR, "Impossible d'écrire le rapport :\n" + unwritten_report_path() +
                                            "\n(" + unwritten_report_reason() + ")");
    else
        show_browser_failure(failed_command);
}

void show_brew_sheet_command()
{
    // Beside the report, but kept after the program ends: a sheet is printed, or read on brew day.
    const std::string report = html_report_path();
    const std::string folder = report.substr(0, report.rfind('/'));
    const std::string path = folder + "/feuille-de-brassage.html";
    std::string why = report.empty() ? "dossier inconnu" : "";
    if (report.empty() || !write_brew_sheet_file(path, recipe_report_on_screen(), &why)) {
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'écrire la feuille de brassage :\n" + path + "\n(" + why + ")");
        return;
    }
    std::string failed_command;
    if (!launch_browser(ws.settings.browser, page_argument(folder, "feuille-de-brassage.html"),
                        failed_command))
        show_browser_failure(failed_command);
}

void quit_command()
{
    if (may_drop_recipe())
        quit_action();
}

gboolean on_main_window_delete(GtkWidget*, GdkEvent*, gpointer)
{
    quit_command();
    return TRUE;
}

// ui/toolbar.cpp — the fifteen picture buttons across the top of the main window and their dispatcher.
#include "ui/toolbar.h"

#include "core/data_folders.h"
#include "core/workspace.h"
#include "recipe/beerxml_text.h"
#include "recipe/list_edit.h"
#include "recipe/recipe_file.h"
#include "report/html_report.h"
#include "ui/beerxml_dialogs.h"
#include "ui/commands.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/message_box.h"
#include "ui/picture_widget.h"
#include "ui/recipe_view.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

void add_toolbar_button(const std::string& picture, int command)
{
    GtkWidget* button = gtk_button_new();
    GtkWidget* image = picture_image(picture);
    gtk_container_add(GTK_CONTAINER(button), image);
    gtk_widget_show(image);
    gtk_table_attach_defaults(GTK_TABLE(ui.toolbar_table), button, ui.toolbar_column, ui.toolbar_column + 1,
                              0, 1);
    g_signal_connect(button, "clicked", G_CALLBACK(on_toolbar_clicked), GINT_TO_POINTER(command));
    gtk_widget_show(button);
    ui.toolbar_column++;
}

void build_toolbar()
{
    static const struct {
        const char* picture;
        int command;
    } buttons[] = {
        {"nouveau", CMD_NEW},
        {"ouvrir", CMD_OPEN},
        {"enregistrer", CMD_SAVE},
        {"html", CMD_HTML_REPORT},
        {"style", CMD_STYLE_MENU},
        {"eau", CMD_WATER_MENU},
        {"malt1", CMD_MALT_MENU},
        {"houbloncone", CMD_HOP_MENU},
        {"sucre", CMD_SUGAR_MENU},
        {"levure", CMD_YEAST_MENU},
        {"fonction", CMD_FUNCTION_MENU},
        {"modifier", CMD_MODIFY},
        {"monter", CMD_MOVE_UP},
        {"descendre", CMD_MOVE_DOWN},
        {"supprimer", CMD_DELETE},
    };
    for (const auto& button : buttons)
        add_toolbar_button(button.picture, button.command);
}

static void pop_up(GtkWidget* menu)
{
    // No positioning function: the menu opens at the pointer.
    gtk_menu_popup(GTK_MENU(menu), nullptr, nullptr, nullptr, nullptr, 0, 0);
}

// Runs the Open or Save file chooser; true with the chosen path when the user accepted it.
static bool choose_recipe_file(bool saving, std::string& path)
{
    GtkWidget* dialog =
        saving ? gtk_file_chooser_dialog_new("Enregistrer une recette", GTK_WINDOW(ui.main_window),
                                             GTK_FILE_CHOOSER_ACTION_SAVE, "gtk-cancel", GTK_RESPONSE_CANCEL,
                                             "gtk-save", GTK_RESPONSE_ACCEPT, nullptr)
               : gtk_file_chooser_dialog_new("Ouvrir une recette", GTK_WINDOW(ui.main_window),
                                             GTK_FILE_CHOOSER_ACTION_OPEN, "gtk-cancel", GTK_RESPONSE_CANCEL,
                                             "gtk-open", GTK_RESPONSE_ACCEPT, nullptr);
    if (saving) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_add_pattern(filter, "*.cvl");
        gtk_file_filter_set_name(filter, "Fichier Recette CUVELO (*.cvl)");
        gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), filter);
    } else {
        add_open_filters(GTK_FILE_CHOOSER(dialog));
    }
    if (!ws.file_name.empty()) {
        gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(dialog), ws.file_name.c_str());
    } else {
        // Without a folder GTK's Save chooser opens on "Recently Used", where nothing can be saved.
        const std::string& documents = data_folders().documents;
        gchar* here = documents.empty() ? g_get_current_dir() : g_strdup(documents.c_str());
        gtk_file_chooser_set_current_folder(GTK_FILE_CHOOSER(dialog), here);
        g_free(here);
    }

    bool accepted = false;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
        if (chosen) {
            path = chosen;
            accepted = true;
            g_free(chosen);
        }
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

static void open_recipe()
{
    std::string path;
    if (!choose_recipe_file(false, path))
        return;
    // The content decides, whatever the extension: a BeerXML file becomes a new recipe never saved.
    if (opens_as_beerxml(path)) {
        if (open_beerxml_recipe(path))
            update_window_title();
        return;
    }
    std::string why;
    if (!load_recipe(path, &why)) {
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'ouvrir le fichier recette :\n" + path + "\n(" + why + ")");
        return;
    }
    ws.style_display_mode = 0;
    update_window_title();
}

static void save_current_recipe()
{
    std::string path;
    if (!choose_recipe_file(true, path))
        return;
    std::string why;
    if (!save_recipe(path, &why)) {
        show_message(GTK_MESSAGE_ERROR,
                     "Impossible d'enregistrer la recette dans le fichier :\n" + path + "\n(" + why + ")");
        return;
    }
    update_window_title();
}

static void show_report()
{
    std::string failed_command;
    if (write_html_report(failed_command))
        return;
    if (!unwritten_report_path().empty())
        show_message(GTK_MESSAGE_ERROR, "Impossible d'écrire le rapport :\n" + unwritten_report_path() +
                                            "\n(" + unwritten_report_reason() + ")");
    else
        show_browser_failure(failed_command);
}

// The line commands act only on a line that exists: a merge may have shortened the list under the selection.
static bool line_selected()
{
    return ws.selected_line > 0 && ws.selected_line <= ws.line_count;
}

void on_toolbar_clicked(GtkWidget*, gpointer command)
{
    const int number = GPOINTER_TO_INT(command);
    switch (number) {
    case CMD_WATER_MENU:
    case CMD_MALT_MENU:
    case CMD_HOP_MENU:
    case CMD_SUGAR_MENU:
    case CMD_YEAST_MENU:
        pop_up(ui.category_menus[number]);
        break;
    case CMD_FUNCTION_MENU:
        pop_up(ui.function_menu);
        break;
    case CMD_STYLE_MENU:
        pop_up(ui.style_menu);
        break;
    case CMD_HTML_REPORT:
        show_report();
        break;
    case CMD_MODIFY:
        if (line_selected())
            open_edit_dialog();
        break;
    case CMD_MOVE_UP:
        if (ws.selected_line > 1 && line_selected()) {
            move_line_up(ws.selected_line);
            ws.selected_line = 0;
        }
        break;
    case CMD_MOVE_DOWN:
        if (ws.selected_line > 0 && ws.selected_line < ws.line_count) {
            move_line_down(ws.selected_line);
            ws.selected_line = 0;
        }
        break;
    case CMD_DELETE:
        if (line_selected()) {
            delete_line(ws.selected_line);
            ws.selected_line = 0;
        }
        break;
    case CMD_NEW:
        start_new_recipe();
        update_window_title();
        break;
    case CMD_OPEN:
        open_recipe();
        break;
    case CMD_SAVE:
        save_current_recipe();
        break;
    default:
        break;
    }
    fill_recipe_list();
    refresh_results();
}

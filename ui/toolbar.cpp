// ui/toolbar.cpp — the fifteen picture buttons across the top of the main window and their dispatcher.
#include "ui/toolbar.h"

#include "core/history.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "ui/commands.h"
#include "ui/dialogs.h"
#include "ui/file_commands.h"
#include "ui/menus.h"
#include "ui/picture_widget.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

#include <map>

static std::map<int, GtkWidget*> buttons_by_command;

void add_toolbar_button(const std::string& picture, int command, const std::string& tip)
{
    GtkWidget* button = gtk_button_new();
    GtkWidget* image = picture_image(picture);
    gtk_container_add(GTK_CONTAINER(button), image);
    gtk_widget_show(image);
    // A picture says nothing to a screen reader: the tooltip's words name the button.
    gtk_widget_set_tooltip_text(button, tip.c_str());
    atk_object_set_name(gtk_widget_get_accessible(button), tip.c_str());
    gtk_table_attach_defaults(GTK_TABLE(ui.toolbar_table), button, ui.toolbar_column, ui.toolbar_column + 1,
                              0, 1);
    g_signal_connect(button, "clicked", G_CALLBACK(on_toolbar_clicked), GINT_TO_POINTER(command));
    gtk_widget_show(button);
    buttons_by_command[command] = button;
    ui.toolbar_column++;
}

void build_toolbar()
{
    static const struct {
        const char* picture;
        int command;
        const char* tip;
    } buttons[] = {
        {"nouveau", CMD_NEW, "Nouvelle recette (Ctrl+N)"},
        {"ouvrir", CMD_OPEN, "Ouvrir une recette (Ctrl+O)"},
        {"enregistrer", CMD_SAVE, "Enregistrer la recette (Ctrl+S ; sous un autre nom : Ctrl+Maj+S)"},
        {"html", CMD_HTML_REPORT, "Afficher le rapport de la recette dans le navigateur"},
        {"style", CMD_STYLE_MENU, "Choisir le style de bière"},
        {"eau", CMD_WATER_MENU, "Ajouter une eau"},
        {"malt1", CMD_MALT_MENU, "Ajouter un malt ou une céréale"},
        {"houbloncone", CMD_HOP_MENU, "Ajouter un houblon"},
        {"sucre", CMD_SUGAR_MENU, "Ajouter un sucre, un extrait ou un autre ingrédient"},
        {"levure", CMD_YEAST_MENU, "Ajouter une levure"},
        {"fonction", CMD_FUNCTION_MENU,
         "Menu des fonctions : tri, volume, carbonatation, prix, titre, aide (F1)…"},
        {"modifier", CMD_MODIFY, "Modifier la ligne choisie (Entrée ou double-clic)"},
        {"monter", CMD_MOVE_UP, "Monter la ligne choisie (Alt+Haut)"},
        {"descendre", CMD_MOVE_DOWN, "Descendre la ligne choisie (Alt+Bas)"},
        {"supprimer", CMD_DELETE, "Supprimer la ligne choisie (Suppr)"},
    };
    for (const auto& button : buttons)
        add_toolbar_button(button.picture, button.command, button.tip);
}

GtkWidget* toolbar_button(int command)
{
    const auto found = buttons_by_command.find(command);
    return found == buttons_by_command.end() ? nullptr : found->second;
}

// Places the menu right under its button, left edges aligned, whether it was clicked or pressed.
static void position_under_button(GtkMenu*, gint* x, gint* y, gboolean* push_in, gpointer data)
{
    GtkWidget* button = GTK_WIDGET(data);
    GtkAllocation area;
    gtk_widget_get_allocation(button, &area);
    gint origin_x = 0, origin_y = 0;
    gdk_window_get_origin(gtk_widget_get_window(button), &origin_x, &origin_y);
    *x = origin_x + area.x;
    *y = origin_y + area.y + area.height;
    *push_in = TRUE; // kept on the screen
}

static void pop_up(GtkWidget* menu, GtkWidget* button)
{
    if (button && gtk_widget_get_realized(button))
        gtk_menu_popup(GTK_MENU(menu), nullptr, nullptr, position_under_button, button, 0,
                       gtk_get_current_event_time());
    else
        gtk_menu_popup(GTK_MENU(menu), nullptr, nullptr, nullptr, nullptr, 0, gtk_get_current_event_time());
    // From the keyboard the first item is ready for the arrow keys.
    GdkEvent* event = gtk_get_current_event();
    if (!event || event->type == GDK_KEY_PRESS || event->type == GDK_KEY_RELEASE)
        gtk_menu_shell_select_first(GTK_MENU_SHELL(menu), FALSE);
    if (event)
        gdk_event_free(event);
}

// The line commands act only on a line that exists: a merge may have shortened the list under the selection.
static bool line_selected()
{
    return ws.selected_line > 0 && ws.selected_line <= ws.line_count;
}

static void move_selected_line(int direction)
{
    const int from = ws.selected_line;
    const int to = from + direction;
    if (!line_selected() || to < 1 || to > ws.line_count)
        return;
    history_note_change();
    if (direction < 0)
        move_line_up(from);
    else
        move_line_down(from);
    ws.selected_line = to; // the moved line stays selected, ready for the next move
}

void run_command(int number, GtkWidget* button)
{
    if (!button)
        button = toolbar_button(number);
    switch (number) {
    case CMD_WATER_MENU:
    case CMD_MALT_MENU:
    case CMD_HOP_MENU:
    case CMD_SUGAR_MENU:
    case CMD_YEAST_MENU:
        pop_up(ui.category_menus[number], button);
        break;
    case CMD_FUNCTION_MENU:
        pop_up(ui.function_menu, button);
        break;
    case CMD_STYLE_MENU:
        pop_up(ui.style_menu, button);
        break;
    case CMD_HTML_REPORT:
        show_report_command();
        break;
    case CMD_MODIFY:
        if (line_selected())
            open_edit_dialog();
        break;
    case CMD_MOVE_UP:
        move_selected_line(-1);
        break;
    case CMD_MOVE_DOWN:
        move_selected_line(+1);
        break;
    case CMD_DELETE:
        if (line_selected()) {
            history_note_change();
            delete_line(ws.selected_line);
            ws.selected_line = 0;
        }
        break;
    case CMD_NEW:
        new_recipe_command();
        break;
    case CMD_OPEN:
        open_recipe_command();
        break;
    case CMD_SAVE:
        save_recipe_command(false);
        break;
    case CMD_SAVE_AS:
        save_recipe_command(true);
        break;
    case CMD_UNDO:
        history_undo();
        break;
    case CMD_REDO:
        history_redo();
        break;
    case CMD_QUIT:
        quit_command();
        break;
    case CMD_HELP:
        show_help_command();
        break;
    default:
        break;
    }
    refresh_after_command();
}

void on_toolbar_clicked(GtkWidget* button, gpointer command)
{
    run_command(GPOINTER_TO_INT(command), button);
}

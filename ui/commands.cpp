// ui/commands.cpp — what the toolbar, the keyboard, the menus, the list and the style button do: each command
// acts on the recipe through the library, then refreshes the windows.
#include "ui/commands.h"

#include "calc/evaluate.h"
#include "calc/format.h"
#include "core/history.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"
#include "report/browser.h"
#include "ui/beerjson_dialogs.h"
#include "ui/beerxml_dialogs.h"
#include "ui/breakdown_window.h"
#include "ui/line_dialog.h"
#include "ui/file_commands.h"
#include "ui/installation_dialog.h"
#include "ui/message_box.h"
#include "ui/plan_dialogs.h"
#include "ui/mash_window.h"
#include "ui/refresh.h"
#include "ui/targets_dialog.h"
#include "ui/value_dialog.h"
#include "ui/water_commands.h"
#include "ui/widgets.h"

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
    if (!button) {
        const auto found = ui.toolbar_buttons.find(number);
        button = found == ui.toolbar_buttons.end() ? nullptr : found->second;
    }
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

static void show_cost()
{
    show_message(GTK_MESSAGE_INFO,
                 "Prix de revient de la recette : \r\r" + format_decimals(recipe_cost_on_screen(), 2) + " €");
}

void show_help_command()
{
    std::string failed_command;
    if (!show_help(ws.settings.browser, failed_command))
        show_browser_failure(failed_command);
}

static void run_function(int number)
{
    switch (number) {
    case MENU_MERGE_SORT:
        history_note_change();
        merge_and_sort();
        break;
    case MENU_FORCE_VOLUME:
        open_value_dialog("Forcer le volume finale (L) :\r(Mettre 0 pour annuler)",
                          format_decimals(ws.estimates.final_volume, 2) + " L", ValueKind::volume,
                          [](const EnteredValue& value) {
                              history_note_change();
                              set_forced_volume_on_screen(value.number);
                          });
        break;
    case MENU_CARBONATION:
        open_value_dialog("Carbonatation (VOL) :", ws.carbonation, ValueKind::carbonation,
                          [](const EnteredValue& value) {
                              history_note_change();
                              show_message(GTK_MESSAGE_INFO, set_carbonation_on_screen(value.number));
                          });
        break;
    case MENU_COST:
        show_cost();
        break;
    case MENU_TITLE:
        open_value_dialog("Titre de la recette :", ws.title, ValueKind::text, [](const EnteredValue& value) {
            history_note_change();
            set_title_on_screen(value.text);
        });
        break;
    case MENU_HELP:
        show_help_command();
        break;
    case MENU_EXPORT_BEERXML:
        export_recipe_as_beerxml();
        break;
    case MENU_EXPORT_BEERJSON:
        export_recipe_as_beerjson();
        break;
    case MENU_BREAKDOWN:
        open_breakdown_window();
        break;
    case MENU_SCALE_VOLUME:
        open_value_dialog(
            "Adapter au volume final (L) :", format_decimals(ws.estimates.final_volume, 2) + " L",
            ValueKind::volume, [](const EnteredValue& value) {
                history_note_change();
                const std::string refused = scale_recipe_on_screen(value.number);
                if (!refused.empty()) {
                    history_forget_unchanged(); // the recipe is as it was
                    show_message(GTK_MESSAGE_WARNING, refused);
                }
            });
        break;
    case MENU_TARGETS:
        open_targets_dialog();
        break;
    case MENU_AIM_MASH_PH:
        aim_mash_ph_command();
        break;
    case MENU_AIM_WATER_PROFILE:
        aim_water_profile_command();
        break;
    case MENU_MEASURED_PH:
        measured_ph_command();
        break;
    case MENU_RECIPE_BREWHOUSE:
        open_brewhouse_dialog();
        break;
    case MENU_RECIPE_NOTES:
        open_notes_window();
        break;
    case MENU_BREW_SHEET:
        show_brew_sheet_command();
        break;
    case MENU_INSTALLATION:
        open_installation_dialog();
        break;
    case MENU_MASH_SCHEDULE:
        open_mash_window();
        break;
    default:
        break;
    }
}

void on_menu_activate(GtkMenuItem*, gpointer data)
{
    int number = GPOINTER_TO_INT(data);
    if (number >= MENU_INGREDIENT_FIRST && number <= MENU_INGREDIENT_LAST) {
        history_note_change();
        add_database_ingredient(number);
    } else if (number > MENU_INGREDIENT_LAST && number < MENU_STYLE_BASE) {
        run_function(number);
    } else if (number > MENU_STYLE_BASE && number <= MENU_STYLE_BASE + ws.style_count) {
        history_note_change();
        ws.style = ws.styles[number - MENU_STYLE_BASE];
        ws.style_display_mode = 0;
    }
    refresh_after_command();
}

void on_row_activated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer)
{
    run_command(CMD_MODIFY);
}

void on_style_button_clicked(GtkButton*, gpointer)
{
    ws.style_display_mode++;
    if (ws.style_display_mode >= 3)
        ws.style_display_mode = 0;
    refresh_after_command();
}

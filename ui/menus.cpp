// ui/menus.cpp — the seven pop-up menus (five ingredient menus, functions, styles) and their dispatcher.
#include "ui/menus.h"

#include "calc/cost.h"
#include "calc/entered_value.h"
#include "calc/format.h"
#include "core/picture.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"
#include "refdata/menu_groups.h"
#include "report/browser.h"
#include "ui/beerxml_dialogs.h"
#include "ui/commands.h"
#include "ui/dialogs.h"
#include "ui/message_box.h"
#include "ui/recipe_view.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

GtkWidget* add_menu_item(const std::string& picture, const std::string& label, GtkWidget* menu, int number)
{
    // The scaled picture is decoded once and shared by every item that shows it; a missing file gives an
    // item without a picture.
    GtkWidget* image = gtk_image_new_from_pixbuf(picture_scaled(picture, 16));
    GtkWidget* item = gtk_image_menu_item_new_with_label(label.c_str());
    gtk_image_menu_item_set_image(GTK_IMAGE_MENU_ITEM(item), image);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    g_signal_connect(item, "activate", G_CALLBACK(on_menu_activate), GINT_TO_POINTER(number));
    gtk_widget_show(item);
    return item;
}

static void build_ingredient_menus()
{
    for (int menu = 1; menu <= 5; menu++)
        ui.category_menus[menu] = gtk_menu_new();
    for (const MenuGroup& group : ingredient_menu_groups()) {
        if (group.menu < 1 || group.menu > 5)
            continue; // no menu chosen yet: the group is shown nowhere
        const IngredientEntry& head = ws.ingredients[group.first];
        GtkWidget* group_item =
            add_menu_item(head.picture, head.group, ui.category_menus[group.menu], MENU_GROUP);
        GtkWidget* submenu = gtk_menu_new();
        for (int entry = group.first; entry <= group.last; entry++)
            add_menu_item(ws.ingredients[entry].picture, ingredient_item_label(entry), submenu,
                          ws.ingredients[entry].id);
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(group_item), submenu);
    }
}

static void build_function_menu()
{
    ui.function_menu = gtk_menu_new();
    add_menu_item("trier", "Fusionner et trier les ingrédients", ui.function_menu, MENU_MERGE_SORT);
    add_menu_item("volume", "Forcer le volume final", ui.function_menu, MENU_FORCE_VOLUME);
    add_menu_item("carbonatation", "Carbonatation", ui.function_menu, MENU_CARBONATION);
    add_menu_item("prix", "Prix de revient de la recette", ui.function_menu, MENU_COST);
    add_menu_item("titre", "Titre de la recette", ui.function_menu, MENU_TITLE);
    add_menu_item("aide", "Aide Cuvelo", ui.function_menu, MENU_HELP);
    add_menu_item("exporter", "Exporter en BeerXML…", ui.function_menu, MENU_EXPORT_BEERXML);
}

static void build_style_menu()
{
    ui.style_menu = gtk_menu_new();
    add_menu_item(ws.styles[1].picture, ws.styles[1].name, ui.style_menu, MENU_STYLE_BASE + 1);
    for (const MenuGroup& group : style_menu_groups()) {
        const StyleEntry& head = ws.styles[group.first];
        GtkWidget* group_item = add_menu_item(head.picture, head.category, ui.style_menu, MENU_GROUP);
        GtkWidget* submenu = gtk_menu_new();
        for (int style = group.first; style <= group.last; style++)
            add_menu_item(ws.styles[style].picture, ws.styles[style].name, submenu, MENU_STYLE_BASE + style);
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(group_item), submenu);
    }
}

void build_menus()
{
    build_ingredient_menus();
    build_function_menu();
    build_style_menu();
}

static void show_cost()
{
    show_message(GTK_MESSAGE_INFO,
                 "Prix de revient de la recette : \r\r" + format_decimals(recipe_cost(), 2) + " €");
}

static void show_help_page()
{
    std::string failed_command;
    if (!show_help(failed_command))
        show_browser_failure(failed_command);
}

static void run_function(int number)
{
    switch (number) {
    case MENU_MERGE_SORT:
        merge_and_sort();
        break;
    case MENU_FORCE_VOLUME:
        open_value_dialog("Forcer le volume finale (L) :\r(Mettre 0 pour annuler)",
                          format_decimals(ws.estimates.final_volume, 2) + " L", VALUE_FORCED_VOLUME);
        break;
    case MENU_CARBONATION:
        open_value_dialog("Carbonatation (VOL) :", ws.carbonation, VALUE_CARBONATION);
        break;
    case MENU_COST:
        show_cost();
        break;
    case MENU_TITLE:
        open_value_dialog("Titre de la recette :", ws.title, VALUE_TITLE);
        break;
    case MENU_HELP:
        show_help_page();
        break;
    case MENU_EXPORT_BEERXML:
        export_recipe_as_beerxml();
        break;
    default:
        break;
    }
}

void on_menu_activate(GtkMenuItem*, gpointer data)
{
    int number = GPOINTER_TO_INT(data);
    if (number >= MENU_INGREDIENT_FIRST && number <= MENU_INGREDIENT_LAST) {
        add_database_ingredient(number);
    } else if (number > MENU_INGREDIENT_LAST && number < MENU_STYLE_BASE) {
        run_function(number);
    } else if (number > MENU_STYLE_BASE && number <= MENU_STYLE_BASE + ws.style_count) {
        ws.style = ws.styles[number - MENU_STYLE_BASE];
        ws.style_display_mode = 0;
    }
    fill_recipe_list();
    refresh_results();
    fill_recipe_list(); // shows the water quantities that a forced volume made the evaluation write
}

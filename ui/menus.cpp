// ui/menus.cpp — the seven pop-up menus (five ingredient menus, functions, styles); their items carry the
// numbers that ui/commands.cpp runs.
#include "ui/menus.h"

#include "core/display_text.h"
#include "core/picture.h"
#include "core/workspace.h"
#include "refdata/menu_groups.h"
#include "ui/commands.h"
#include "ui/lazy_menu.h"
#include "ui/widgets.h"

GtkWidget* add_menu_item(const std::string& picture, const std::string& label, GtkWidget* menu, int number)
{
    // The scaled picture is decoded once and shared by every item that shows it; a missing file gives an
    // item without a picture.
    GtkWidget* image = gtk_image_new_from_pixbuf(picture_scaled(picture, 16));
    GtkWidget* item = gtk_image_menu_item_new_with_label(display_text(label).c_str());
    gtk_image_menu_item_set_image(GTK_IMAGE_MENU_ITEM(item), image);
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
    g_signal_connect(item, "activate", G_CALLBACK(on_menu_activate), GINT_TO_POINTER(number));
    gtk_widget_show(item);
    return item;
}

// A group item whose sub-menu of `entries` is made when it is first opened (or in an idle moment before).
template <typename AddItem>
static void add_group_item(GtkWidget* menu, const std::string& picture, const std::string& label,
                           const MenuGroup& group, AddItem add_item)
{
    GtkWidget* group_item = add_menu_item(picture, label, menu, MENU_GROUP);
    GtkWidget* submenu = lazy_menu([group, add_item](GtkWidget* submenu) {
        for (int entry = group.first; entry <= group.last; entry++)
            add_item(submenu, entry);
    });
    gtk_menu_item_set_submenu(GTK_MENU_ITEM(group_item), submenu);
}

static void add_ingredient_item(GtkWidget* submenu, int entry)
{
    add_menu_item(ws.ingredients[entry].picture, ingredient_item_label(entry), submenu,
                  ws.ingredients[entry].id);
}

static void add_style_item(GtkWidget* submenu, int style)
{
    add_menu_item(ws.styles[style].picture, ws.styles[style].name, submenu, MENU_STYLE_BASE + style);
}

static void build_ingredient_menus()
{
    std::vector<MenuGroup> groups = ingredient_menu_groups();
    for (int number = 1; number <= 5; number++)
        ui.category_menus[number] = lazy_menu([groups, number](GtkWidget* menu) {
            for (const MenuGroup& group : groups) {
                if (group.menu != number)
                    continue; // a group before any menu was chosen (0) is shown nowhere
                const IngredientEntry& head = ws.ingredients[group.first];
                add_group_item(menu, head.picture, head.group, group, add_ingredient_item);
            }
        });
}

static void build_function_menu()
{
    add_menu_item("trier", "Fusionner et trier les ingrédients", ui.function_menu, MENU_MERGE_SORT);
    add_menu_item("volume", "Forcer le volume final", ui.function_menu, MENU_FORCE_VOLUME);
    add_menu_item("carbonatation", "Carbonatation", ui.function_menu, MENU_CARBONATION);
    add_menu_item("prix", "Prix de revient de la recette", ui.function_menu, MENU_COST);
    add_menu_item("titre", "Titre de la recette", ui.function_menu, MENU_TITLE);
    add_menu_item("aide", "Aide Cuvelo", ui.function_menu, MENU_HELP);
    add_menu_item("detail", "Détail des estimations", ui.function_menu, MENU_BREAKDOWN);
    add_menu_item("exporter", "Exporter en BeerXML…", ui.function_menu, MENU_EXPORT_BEERXML);
    add_menu_item("echelle", "Adapter à un autre volume…", ui.function_menu, MENU_SCALE_VOLUME);
    add_menu_item("cible", "Viser des valeurs…", ui.function_menu, MENU_TARGETS);
    add_menu_item("exporter", "Exporter en BeerJSON…", ui.function_menu, MENU_EXPORT_BEERJSON);
    add_menu_item("cible", "Viser un pH…", ui.function_menu, MENU_AIM_MASH_PH);
    add_menu_item("eau", "Viser un profil d'eau…", ui.function_menu, MENU_AIM_WATER_PROFILE);
    add_menu_item("detail", "pH mesuré à l'empâtage…", ui.function_menu, MENU_MEASURED_PH);
    add_menu_item("fonction", "Rendement et ébullition de la recette…", ui.function_menu,
                  MENU_RECIPE_BREWHOUSE);
    add_menu_item("modifier", "Notes de la recette…", ui.function_menu, MENU_RECIPE_NOTES);
    add_menu_item("html", "Feuille de brassage", ui.function_menu, MENU_BREW_SHEET);
    add_menu_item("fonction", "Installation…", ui.function_menu, MENU_INSTALLATION);
    add_menu_item("fonction", "Paliers d'empâtage…", ui.function_menu, MENU_MASH_SCHEDULE);
}

static void build_style_menu()
{
    add_menu_item(ws.styles[1].picture, ws.styles[1].name, ui.style_menu, MENU_STYLE_BASE + 1);
    for (const MenuGroup& group : style_menu_groups()) {
        const StyleEntry& head = ws.styles[group.first];
        add_group_item(ui.style_menu, head.picture, head.category, group, add_style_item);
    }
}

void build_menus()
{
    // Only the seven empty menus now: their items, sub-menus and pictures are made at their first pop-up or
    // in the idle moments after the window is drawn, so the window does not wait for hundreds of items.
    build_ingredient_menus();
    ui.function_menu = lazy_menu([](GtkWidget*) { build_function_menu(); });
    ui.style_menu = lazy_menu([](GtkWidget*) { build_style_menu(); });
}

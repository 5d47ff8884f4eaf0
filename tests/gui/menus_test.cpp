// tests/gui/menus_test.cpp — the seven pop-up menus and what their items do.
#include "gui_support.h"

#include "calc/evaluate.h"
#include "calc/format.h"
#include "core/picture.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/lazy_menu.h"
#include "ui/menus.h"
#include "ui/widgets.h"

using Menus = GuiTest;

static GtkWidget* submenu_of(GtkWidget* menu, const std::string& label)
{
    GtkWidget* item = menu_item(menu, label);
    return item ? gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)) : nullptr;
}

TEST_F(Menus, IngredientMenusHoldOneGroupItemPerRunOfEntries)
{
    EXPECT_EQ(menu_labels(ui.category_menus[1]), std::vector<std::string>{"Eaux"});
    EXPECT_EQ(menu_labels(ui.category_menus[2]),
              (std::vector<std::string>{"Malts de base", "Malts spéciaux"}));
    EXPECT_EQ(menu_labels(ui.category_menus[3]), std::vector<std::string>{"Houblons"});
    EXPECT_EQ(menu_labels(ui.category_menus[4]), std::vector<std::string>{"Sucres"});
    EXPECT_EQ(menu_labels(ui.category_menus[5]), std::vector<std::string>{"Levures"});
    // Quantity, designation and value, each followed by one space; the quantity in capitals.
    EXPECT_EQ(menu_labels(submenu_of(ui.category_menus[2], "Malts de base")),
              (std::vector<std::string>{"5 KG Pilsen 3 ", "4 KG Pale Ale 6 ", "1 KG Froment 4 "}));
    EXPECT_EQ(menu_labels(submenu_of(ui.category_menus[2], "Malts spéciaux")),
              std::vector<std::string>{"250 G Cara 120 120 "});
}

TEST_F(Menus, FunctionMenuListsTheSixFunctionsInOrder)
{
    EXPECT_EQ(menu_labels(ui.function_menu),
              (std::vector<std::string>{
                  "Fusionner et trier les ingrédients", "Forcer le volume final", "Carbonatation",
                  "Prix de revient de la recette", "Titre de la recette", "Aide Cuvelo",
                  "Détail des estimations", "Exporter en BeerXML…", "Adapter à un autre volume…",
                  "Viser des valeurs…", "Exporter en BeerJSON…", "Viser un pH…", "Viser un profil d'eau…",
                  "pH mesuré à l'empâtage…", "Rendement et ébullition de la recette…", "Notes de la recette…",
                  "Feuille de brassage", "Installation…", "Paliers d'empâtage…"}));
}

TEST_F(Menus, StyleMenuStartsWithPasDeStyleThenOneItemPerFamily)
{
    EXPECT_EQ(menu_labels(ui.style_menu),
              (std::vector<std::string>{"Pas de Style", "Lagers", "Ales blondes", "Ales ambrées", "Stouts",
                                        "Blanches", "Spéciales"}));
    EXPECT_EQ(gtk_menu_item_get_submenu(GTK_MENU_ITEM(menu_item(ui.style_menu, "Pas de Style"))), nullptr);
    const std::vector<std::string> last = menu_labels(submenu_of(ui.style_menu, "Spéciales"));
    ASSERT_EQ(last.size(), 20u);
    EXPECT_EQ(last.front(), "Style 101");
    EXPECT_EQ(last.back(), "Style 120");
}

static GdkPixbuf* item_pixbuf(GtkWidget* item)
{
    GtkWidget* image = gtk_image_menu_item_get_image(GTK_IMAGE_MENU_ITEM(item));
    if (!image || gtk_image_get_storage_type(GTK_IMAGE(image)) != GTK_IMAGE_PIXBUF)
        return nullptr;
    return gtk_image_get_pixbuf(GTK_IMAGE(image));
}

TEST_F(Menus, ItemsShowTheirPictureAt16PixelsAndNothingWhenItIsMissing)
{
    GdkPixbuf* cost = item_pixbuf(menu_item(ui.function_menu, "Prix de revient"));
    ASSERT_NE(cost, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(cost), 16);
    EXPECT_EQ(gdk_pixbuf_get_height(cost), 16);
    EXPECT_EQ(cost, picture_scaled("prix", 16)) << "decoded once and shared";
    GtkWidget* absent = menu_item(submenu_of(ui.style_menu, "Spéciales"), "Style 119");
    ASSERT_NE(absent, nullptr);
    EXPECT_EQ(item_pixbuf(absent), nullptr);
}

TEST_F(Menus, IngredientItemsAppendTheirEntry)
{
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    add_from_menu(CMD_MALT_MENU, "Malts spéciaux", "250 G Cara 120");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    EXPECT_EQ(list_rows(),
              (std::vector<std::vector<std::string>>{{"1", "5 KG", "Pilsen", "3", "80", "0", "EMPATAGE"},
                                                     {"2", "250 G", "Cara 120", "120", "70", "0", "EMPATAGE"},
                                                     {"3", "5 KG", "Pilsen", "3", "80", "0", "EMPATAGE"}}));
    EXPECT_EQ(label_markup(6), "Malt : 10.25 KG");
}

TEST_F(Menus, SecondWaterForTheSameStepIsRefused)
{
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_WATER_MENU, "Eaux", "12 L Eau de rinçage");
    EXPECT_EQ(shown_designations(), (std::vector<std::string>{"Eau de brassage", "Eau de rinçage"}));
}

TEST_F(Menus, EveryStyleCanBeChosenEvenBeyondTheHundredth)
{
    // Style 99 is entry 100 (item 800), Style 120 is entry 121 (item 821).
    for (const char* name : {"Style 1", "Style 98", "Style 99", "Style 120"}) {
        const int number = std::atoi(name + 6);
        const char* family = number <= 20    ? "Lagers"
                             : number <= 40  ? "Ales blondes"
                             : number <= 60  ? "Ales ambrées"
                             : number <= 80  ? "Stouts"
                             : number <= 100 ? "Blanches"
                                             : "Spéciales";
        click_toolbar(CMD_STYLE_MENU);
        ASSERT_TRUE(activate_menu_path(ui.style_menu, {family, name})) << name;
        gtk_menu_popdown(GTK_MENU(ui.style_menu));
        EXPECT_EQ(ws.style.name, name);
        EXPECT_EQ(style_button_text(), std::string(" ") + name);
        EXPECT_EQ(label_markup(5), "1040-1060");
    }
}

TEST_F(Menus, PasDeStyleRestoresTheBuiltInEntry)
{
    click_toolbar(CMD_STYLE_MENU);
    activate_menu_path(ui.style_menu, {"Stouts", "Style 70"});
    activate_menu_path(ui.style_menu, {"Pas de Style"});
    gtk_menu_popdown(GTK_MENU(ui.style_menu));
    EXPECT_EQ(ws.style.name, "Pas de Style");
    EXPECT_EQ(ws.style.category, "Pas de Catégorie");
    EXPECT_EQ(style_button_text(), " Pas de Style");
    EXPECT_EQ(label_markup(5), "0-9999");
}

TEST_F(Menus, CostIsShownInAMessageWithEuros)
{
    build_small_recipe();
    DialogWatcher watcher;
    run_function("Prix de revient de la recette");
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_INFO);
    EXPECT_TRUE(watcher.seen[0].transient_for_main);
    EXPECT_EQ(watcher.seen[0].text,
              "Prix de revient de la recette : \r\r" + format_decimals(recipe_cost_on_screen(), 2) + " €");
}

TEST_F(Menus, CostOfAnEmptyRecipeIsTheHeatingAlone)
{
    // Rests 15 + 45 + 15 + 10 min and a 90 min boil: 175 min at 0.6 an hour.
    DialogWatcher watcher;
    run_function("Prix de revient de la recette");
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].text, "Prix de revient de la recette : \r\r1.75 €");
}

TEST_F(Menus, HelpWithABrowserThatCannotStartSaysSo)
{
    const std::string browser = ws.settings.browser;
    ws.settings.browser = "cuvelo-navigateur-absent";
    DialogWatcher watcher;
    run_function("Aide Cuvelo");
    ws.settings.browser = browser;
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_ERROR);
    EXPECT_NE(watcher.seen[0].text.find("cuvelo-navigateur-absent"), std::string::npos);
}

TEST_F(Menus, MergeAndSortPutsTheRecipeInBrewingOrder)
{
    add_from_menu(CMD_YEAST_MENU, "Levures", "1 SACHET Levure ale");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    select_row(4);
    run_function("Fusionner et trier");
    EXPECT_EQ(list_rows(), (std::vector<std::vector<std::string>>{
                               {"1", "15 L", "Eau de brassage", "0", "0", "0", "EMPATAGE"},
                               {"2", "10 KG", "Pilsen", "3", "80", "0", "EMPATAGE"},
                               {"3", "1 SACHET", "Levure ale", "0", "75", "0", "FERMENTATION"}}));
    click_toolbar(CMD_DELETE);
    EXPECT_EQ(list_rows().size(), 3u) << "the selected fourth line is gone with the merge";
}

TEST_F(Menus, GroupItemsOnlyRefresh)
{
    build_small_recipe();
    const auto rows = list_rows();
    gtk_menu_item_activate(GTK_MENU_ITEM(menu_item(ui.category_menus[2], "Malts de base")));
    drain_events();
    EXPECT_EQ(list_rows(), rows);
}

TEST_F(Menus, ListShowsTheWaterThatAForcedVolumeRewrites)
{
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "1 KG Froment");
    run_function("Forcer le volume final");
    type_into(ui.value_entry, "20");
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.value_dialog, "Valider")));
    drain_events();
    ASSERT_EQ(list_rows()[0][1], "3 L");
    // 3 L per kg: the mash water follows the grain as soon as the malt is added.
    add_from_menu(CMD_MALT_MENU, "Malts de base", "4 KG Pale Ale");
    EXPECT_EQ(list_rows()[0][1], "15 L");
}

static bool idle_filling_done = false;

TEST_F(Menus, ALazyMenuIsFilledOnceAtItsFirstShowingOrInAnIdleMoment)
{
    int fills = 0;
    auto fill_with = [&fills](const char* label) {
        return [&fills, label](GtkWidget* menu) {
            fills++;
            add_menu_item("prix", label, menu, MENU_GROUP);
        };
    };
    GtkWidget* shown_first = lazy_menu(fill_with("montré"));
    GtkWidget* left_to_idle = lazy_menu(fill_with("attendu"));
    EXPECT_FALSE(lazy_menus_filled());
    EXPECT_TRUE(menu_labels(shown_first).empty());

    // A pop-up before any idle moment finds its items made at once, picture included.
    gtk_menu_popup(GTK_MENU(shown_first), nullptr, nullptr, nullptr, nullptr, 0, 0);
    EXPECT_EQ(menu_labels(shown_first), std::vector<std::string>{"montré"});
    EXPECT_TRUE(menu_labels(left_to_idle).empty());
    GtkWidget* image = gtk_image_menu_item_get_image(GTK_IMAGE_MENU_ITEM(menu_item(shown_first, "montré")));
    EXPECT_EQ(gtk_image_get_pixbuf(GTK_IMAGE(image)), picture_scaled("prix", 16));
    gtk_menu_popdown(GTK_MENU(shown_first));

    idle_filling_done = false;
    fill_lazy_menus_when_idle([] { idle_filling_done = true; });
    drain_events();
    EXPECT_TRUE(idle_filling_done);
    EXPECT_TRUE(lazy_menus_filled());
    EXPECT_EQ(menu_labels(left_to_idle), std::vector<std::string>{"attendu"});

    // Shown again, neither is filled twice.
    for (GtkWidget* menu : {shown_first, left_to_idle}) {
        gtk_menu_popup(GTK_MENU(menu), nullptr, nullptr, nullptr, nullptr, 0, 0);
        gtk_menu_popdown(GTK_MENU(menu));
    }
    drain_events();
    EXPECT_EQ(fills, 2);
    EXPECT_EQ(menu_labels(shown_first).size(), 1u);
    gtk_widget_destroy(shown_first);
    gtk_widget_destroy(left_to_idle);
}

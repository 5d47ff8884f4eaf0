// tests/gui/style_selector_test.cpp — the style button: its text cycle and its picture.
#include "gui_support.h"

#include "core/picture.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

using StyleSelector = GuiTest;

static void choose_style(const std::string& family, const std::string& name)
{
    click_toolbar(CMD_STYLE_MENU);
    activate_menu_path(ui.style_menu, {family, name});
    gtk_menu_popdown(GTK_MENU(ui.style_menu));
    drain_events();
}

static void click_style_button()
{
    gtk_button_clicked(GTK_BUTTON(ui.style_button));
    drain_events();
}

static GtkWidget* button_image()
{
    return gtk_button_get_image(GTK_BUTTON(ui.style_button));
}

TEST_F(StyleSelector, NewRecipeShowsPasDeStyleWithItsPicture)
{
    EXPECT_EQ(style_button_text(), " Pas de Style");
    GtkWidget* image = button_image();
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(gtk_image_get_storage_type(GTK_IMAGE(image)), GTK_IMAGE_PIXBUF);
    EXPECT_EQ(gtk_image_get_pixbuf(GTK_IMAGE(image)), picture_for("style0"));
}

TEST_F(StyleSelector, ClicksCycleNameCategoryDescriptionAndReevaluate)
{
    build_small_recipe();
    const std::vector<std::string> expected = {" Pas de Catégorie", " Pas de description", " Pas de Style"};
    for (const std::string& text : expected) {
        gtk_label_set_text(GTK_LABEL(ui.result_labels[6]), "stale");
        click_style_button();
        EXPECT_EQ(style_button_text(), text);
        EXPECT_EQ(label_markup(6), "Malt : 5 KG") << "each click evaluates the recipe again";
    }
}

TEST_F(StyleSelector, ChoosingAStyleShowsItsNameWhateverWasShown)
{
    click_style_button();
    click_style_button();
    ASSERT_EQ(style_button_text(), " Pas de description");
    choose_style("Stouts", "Style 64");
    EXPECT_EQ(style_button_text(), " Style 64");
    click_style_button();
    EXPECT_EQ(style_button_text(), " Stouts");
    click_style_button();
    EXPECT_EQ(style_button_text(), " Description du style 64");
}

TEST_F(StyleSelector, StyleWithoutPictureNameKeepsThePreviousPicture)
{
    choose_style("Stouts", "Style 64");
    GtkWidget* image = button_image();
    ASSERT_EQ(gtk_image_get_storage_type(GTK_IMAGE(image)), GTK_IMAGE_PIXBUF);
    EXPECT_EQ(gtk_image_get_pixbuf(GTK_IMAGE(image)), picture_for("style4"));
    choose_style("Spéciales", "Style 120");
    EXPECT_EQ(style_button_text(), " Style 120");
    EXPECT_EQ(gtk_image_get_pixbuf(GTK_IMAGE(button_image())), picture_for("style4"));
}

TEST_F(StyleSelector, MissingPictureFileShowsTheBrokenImage)
{
    choose_style("Spéciales", "Style 119");
    GtkWidget* image = button_image();
    ASSERT_EQ(gtk_image_get_storage_type(GTK_IMAGE(image)), GTK_IMAGE_STOCK);
    gchar* stock = nullptr;
    gtk_image_get_stock(GTK_IMAGE(image), &stock, nullptr);
    EXPECT_STREQ(stock, GTK_STOCK_MISSING_IMAGE);
}

TEST_F(StyleSelector, TextsOfTheStyleFileShowAsTheyAre)
{
    choose_style("Spéciales", "Style 117");
    click_style_button();
    click_style_button();
    GtkWidget* label = nullptr;
    std::vector<GtkWidget*> pending = {ui.style_button};
    while (!pending.empty() && !label) {
        GtkWidget* widget = pending.back();
        pending.pop_back();
        if (GTK_IS_LABEL(widget))
            label = widget;
        else if (GTK_IS_CONTAINER(widget)) {
            GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
            for (GList* child = children; child; child = child->next)
                pending.push_back(GTK_WIDGET(child->data));
            g_list_free(children);
        }
    }
    ASSERT_NE(label, nullptr);
    EXPECT_STREQ(gtk_label_get_text(GTK_LABEL(label)), " Douce & ronde <forte>");
}

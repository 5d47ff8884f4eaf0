// ui/style_selector.cpp — the style button: its picture and the cycle of name, family and description.
#include "ui/style_selector.h"

#include "core/picture.h"
#include "core/workspace.h"
#include "ui/results_panel.h"
#include "ui/widgets.h"

void on_style_button_clicked(GtkButton*, gpointer)
{
    ws.style_display_mode++;
    if (ws.style_display_mode >= 3)
        ws.style_display_mode = 0;
    refresh_results();
}

void show_style_image()
{
    if (ws.style.picture.empty())
        return;
    // The decoded picture is shared with the menus; a missing file shows GTK's broken-image picture.
    GdkPixbuf* picture = picture_for(ws.style.picture);
    ui.style_image = picture ? gtk_image_new_from_pixbuf(picture)
                             : gtk_image_new_from_stock(GTK_STOCK_MISSING_IMAGE, GTK_ICON_SIZE_BUTTON);
    gtk_widget_show(ui.style_image);
    gtk_button_set_image(GTK_BUTTON(ui.style_button), ui.style_image);
}

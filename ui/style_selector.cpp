// ui/style_selector.cpp — the style button: its picture and the cycle of name, family and description.
#include "ui/style_selector.h"

#include "core/workspace.h"
#include "ui/picture_widget.h"
#include "ui/refresh.h"
#include "ui/widgets.h"

void on_style_button_clicked(GtkButton*, gpointer)
{
    ws.style_display_mode++;
    if (ws.style_display_mode >= 3)
        ws.style_display_mode = 0;
    refresh_after_command();
}

void show_style_image()
{
    if (ws.style.picture.empty())
        return;
    ui.style_image = picture_image(ws.style.picture);
    gtk_widget_show(ui.style_image);
    gtk_button_set_image(GTK_BUTTON(ui.style_button), ui.style_image);
}

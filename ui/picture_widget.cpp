// ui/picture_widget.cpp — image widgets of the pictures in "./images/", decoded once and shared.
#include "ui/picture_widget.h"

#include "core/picture.h"

GtkWidget* picture_image(const std::string& name)
{
    GdkPixbuf* picture = picture_for(name);
    return picture ? gtk_image_new_from_pixbuf(picture)
                   : gtk_image_new_from_stock(GTK_STOCK_MISSING_IMAGE, GTK_ICON_SIZE_BUTTON);
}

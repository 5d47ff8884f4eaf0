// ui/picture_widget.h — image widgets of the pictures in "./images/", decoded once and shared.
#pragma once

#include <gtk/gtk.h>

#include <string>

// An image of the picture at the file's own size, or GTK's broken-image picture when the file is missing or
// unreadable (the look of gtk_image_new_from_file).
GtkWidget* picture_image(const std::string& name);

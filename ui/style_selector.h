// ui/style_selector.h — the style button: its picture and the cycle of name, family and description.
#pragma once

#include <gtk/gtk.h>

// "clicked" handler of the style button: shows the next of name, category, description, then refreshes.
void on_style_button_clicked(GtkButton* button, gpointer unused);

// Puts the current style's picture on the style button; a style without a picture name keeps the old one.
void show_style_image();

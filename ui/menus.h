// ui/menus.h — the seven pop-up menus (five ingredient menus, functions, styles) and their dispatcher.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Builds the ingredient, function and style menus from the reference data, once; later calls do nothing.
void build_menus();

// Start-up's way to build the menus: once the main loop is first idle, after the window is drawn, so that the
// window shows without waiting for hundreds of items and their pictures. A pop-up that comes first builds
// them itself through build_menus.
void build_menus_when_idle();

// Appends an item with a label and the 16 × 16 picture `picture` to `menu`; it carries `number`.
GtkWidget* add_menu_item(const std::string& picture, const std::string& label, GtkWidget* menu, int number);

// The items' "activate" handler: runs the item (MenuCommand), then refills the list, the results and the
// list again. The item is not used.
void on_menu_activate(GtkMenuItem* item, gpointer number);

// ui/menus.h — the seven pop-up menus (five ingredient menus, functions, styles).
#pragma once

#include <gtk/gtk.h>

#include <string>

// Makes the five ingredient menus, the function menu and the style menu; each is filled from the reference
// data when first shown or in the idle moments after start-up (ui/lazy_menu.h).
void build_menus();

// Appends an item with a label and the 16 × 16 picture `picture` to `menu`; it carries `number`.
GtkWidget* add_menu_item(const std::string& picture, const std::string& label, GtkWidget* menu, int number);
// Its "activate" handler is on_menu_activate (ui/commands.h).

// ui/lazy_menu.h — menus whose items are made when first shown, or in the main loop's idle moments before
// that.
#pragma once

#include <gtk/gtk.h>

#include <functional>

// An empty menu that `fill` fills once: when it is first shown (popped up, or opened as a sub-menu), or when
// the idle filling reaches it, whichever comes first. Menus made while filling are queued after the others.
GtkWidget* lazy_menu(std::function<void(GtkWidget* menu)> fill);

// Fills the waiting menus one by one in the main loop's idle moments (after GTK has drawn the window), in the
// order they were made; then runs `when_done` once. Fills nothing itself.
void fill_lazy_menus_when_idle(void (*when_done)());

// True when every menu made so far is filled.
bool lazy_menus_filled();

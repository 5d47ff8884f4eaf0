// ui/shortcuts.h — the keyboard shortcuts of the main window.
#pragma once

#include <gtk/gtk.h>

#include <vector>

struct Shortcut {
    guint key;            // GDK key value, lower case
    GdkModifierType mods; // Ctrl, Maj, Alt as held
    int command;          // ToolbarCommand
    const char* keys;     // as the tooltips and the README write it
};

// Every shortcut of the main window, each once.
const std::vector<Shortcut>& shortcuts();

// Runs the command of a shortcut key; TRUE when the key was one (the main window's "key-press-event").
gboolean on_main_window_key(GtkWidget* window, GdkEventKey* event, gpointer unused);

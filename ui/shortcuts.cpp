// ui/shortcuts.cpp — the keyboard shortcuts of the main window, looked up before GTK's own key handling.
#include "ui/shortcuts.h"

#include "ui/commands.h"
#include "ui/toolbar.h"

#include <gdk/gdkkeysyms.h>

const std::vector<Shortcut>& shortcuts()
{
    static const GdkModifierType none = GdkModifierType(0);
    static const GdkModifierType ctrl = GDK_CONTROL_MASK;
    static const GdkModifierType ctrl_shift = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    static const GdkModifierType alt = GDK_MOD1_MASK;
    static const std::vector<Shortcut> table = {
        {GDK_n, ctrl, CMD_NEW, "Ctrl+N"},
        {GDK_o, ctrl, CMD_OPEN, "Ctrl+O"},
        {GDK_s, ctrl, CMD_SAVE, "Ctrl+S"},
        {GDK_s, ctrl_shift, CMD_SAVE_AS, "Ctrl+Maj+S"},
        {GDK_z, ctrl, CMD_UNDO, "Ctrl+Z"},
        {GDK_z, ctrl_shift, CMD_REDO, "Ctrl+Maj+Z"},
        {GDK_y, ctrl, CMD_REDO, "Ctrl+Y"},
        {GDK_q, ctrl, CMD_QUIT, "Ctrl+Q"},
        {GDK_F1, none, CMD_HELP, "F1"},
        {GDK_Delete, none, CMD_DELETE, "Suppr"},
        {GDK_KP_Delete, none, CMD_DELETE, "Suppr"},
        {GDK_Up, alt, CMD_MOVE_UP, "Alt+Haut"},
        {GDK_KP_Up, alt, CMD_MOVE_UP, "Alt+Haut"},
        {GDK_Down, alt, CMD_MOVE_DOWN, "Alt+Bas"},
        {GDK_KP_Down, alt, CMD_MOVE_DOWN, "Alt+Bas"},
    };
    return table;
}

gboolean on_main_window_key(GtkWidget*, GdkEventKey* event, gpointer)
{
    // Caps Lock, Num Lock and the like do not count; Maj does, so the key is compared in lower case.
    const guint mods = event->state & gtk_accelerator_get_default_mod_mask();
    const guint key = gdk_keyval_to_lower(event->keyval);
    for (const Shortcut& shortcut : shortcuts())
        if (shortcut.key == key && shortcut.mods == mods) {
            run_command(shortcut.command);
            return TRUE;
        }
    return FALSE;
}

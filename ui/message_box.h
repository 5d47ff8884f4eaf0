// ui/message_box.h — the modal message dialogs: cost, carbonation and the French error messages.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Shows a message over the main window with a single Close button, waits until it is closed, destroys it.
void show_message(GtkMessageType type, const std::string& text);

// Says why a page is not shown: no browser configured, or a browser (`failed_command`) that could not start.
void show_browser_failure(const std::string& failed_command);

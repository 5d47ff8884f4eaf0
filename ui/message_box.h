// ui/message_box.h — the modal message dialogs: cost, carbonation and the French error messages.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Shows a message over the main window with a single Close button, waits until it is closed, destroys it.
void show_message(GtkMessageType type, const std::string& text);

// Says why the report or the help page is not shown: no browser configured, a browser that could not be
// started (`failed_command`), or a report file that could not be written (no command then).
void show_page_failure(const std::string& failed_command);

// ui/message_box.cpp — the modal message dialogs: cost, carbonation and the French error messages.
#include "ui/message_box.h"

#include "core/display_text.h"
#include "core/workspace.h"
#include "ui/widgets.h"

void show_message(GtkMessageType type, const std::string& text)
{
    // "%s" keeps a "%" of a file name or a recipe text from being read as a format.
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(ui.main_window), GTK_DIALOG_DESTROY_WITH_PARENT,
                                               type, GTK_BUTTONS_CLOSE, "%s", display_text(text).c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

void show_browser_failure(const std::string& failed_command)
{
    if (ws.settings.browser.empty())
        show_message(GTK_MESSAGE_ERROR,
                     "Aucun navigateur n'est indiqué (clé NAVIGATEUR de bases/configuration.txt).");
    else
        show_message(GTK_MESSAGE_ERROR, "Impossible de lancer le navigateur :\n" + failed_command);
}

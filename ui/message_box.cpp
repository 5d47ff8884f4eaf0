// ui/message_box.cpp — the modal message dialogs and questions, all titled "CUVELO".
#include "ui/message_box.h"

#include "core/display_text.h"
#include "core/workspace.h"
#include "report/browser.h"
#include "ui/widgets.h"

void show_message(GtkMessageType type, const std::string& text)
{
    // "%s" keeps a "%" of a file name or a recipe text from being read as a format.
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(ui.main_window), GTK_DIALOG_DESTROY_WITH_PARENT,
                                               type, GTK_BUTTONS_CLOSE, "%s", display_text(text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "CUVELO");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

void show_notice(GtkMessageType type, const std::string& text)
{
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(ui.main_window), GTK_DIALOG_DESTROY_WITH_PARENT,
                                               type, GTK_BUTTONS_CLOSE, "%s", display_text(text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "CUVELO");
    g_signal_connect(dialog, "response", G_CALLBACK(gtk_widget_destroy), nullptr);
    gtk_widget_show(dialog);
}

void show_browser_failure(const std::string& failed_command)
{
    // A brewer who set an environment variable instead learns where the browser is chosen.
    const std::string file = browser_setting_file();
    if (ws.settings.browser.empty())
        show_message(GTK_MESSAGE_ERROR, "Aucun navigateur n'est indiqué (clé NAVIGATEUR de " + file + ").");
    else
        show_message(GTK_MESSAGE_ERROR, "Impossible de lancer le navigateur :\n" + failed_command +
                                            "\nLe navigateur se choisit par la clé NAVIGATEUR de " + file +
                                            ".");
}

int ask_question(const std::string& question, const std::string& detail,
                 const std::vector<std::pair<std::string, int>>& buttons, int default_answer,
                 GtkWindow* parent)
{
    GtkWidget* dialog =
        gtk_message_dialog_new(parent ? parent : GTK_WINDOW(ui.main_window),
                               GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                               GTK_MESSAGE_WARNING, GTK_BUTTONS_NONE, "%s", question.c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", detail.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "CUVELO");
    for (const auto& button : buttons)
        gtk_dialog_add_button(GTK_DIALOG(dialog), button.first.c_str(), button.second);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), default_answer);
    g_object_set_data(G_OBJECT(dialog), "cuvelo-question", GINT_TO_POINTER(1));
    const int response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    for (const auto& button : buttons)
        if (button.second == response)
            return response;
    return ANSWER_CANCEL;
}

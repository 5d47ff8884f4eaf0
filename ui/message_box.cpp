// ui/message_box.cpp — the modal message dialogs and questions, all titled "CUVELO".
#include "ui/message_box.h"

#include "core/display_text.h"
#include "core/workspace.h"
#include "report/browser.h"
#include "ui/widgets.h"

#include <algorithm>

// The largest area a message takes before it scrolls, in pixels; at most half the screen's height.
constexpr int kWidestMessage = 640;
constexpr int kTallestMessage = 420;

// A message too large for its area scrolls inside it, so that the dialog stays within the screen and its
// button always shows.
static void bound_message_area(GtkWidget* dialog)
{
    GtkWidget* area = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(dialog));
    GList* children = gtk_container_get_children(GTK_CONTAINER(area));
    GtkWidget* label = children ? GTK_WIDGET(children->data) : nullptr;
    g_list_free(children);
    if (!label || !GTK_IS_LABEL(label))
        return;
    GtkRequisition wanted;
    gtk_widget_size_request(label, &wanted);
    const int tallest = std::min(kTallestMessage, gdk_screen_get_height(gtk_widget_get_screen(dialog)) / 2);
    if (wanted.width <= kWidestMessage && wanted.height <= tallest)
        return;
    const int width = std::min(wanted.width, kWidestMessage);
    g_object_ref(label);
    gtk_container_remove(GTK_CONTAINER(area), label);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR); // a long name breaks too
    gtk_widget_set_size_request(label, width, -1);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_add_with_viewport(GTK_SCROLLED_WINDOW(scrolled), label);
    gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(scrolled))), GTK_SHADOW_NONE);
    g_object_unref(label);
    GtkRequisition bar;
    gtk_widget_size_request(gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(scrolled)), &bar);
    gtk_widget_set_size_request(scrolled, width + bar.width + 4, tallest);
    gtk_box_pack_start(GTK_BOX(area), scrolled, TRUE, TRUE, 0);
    gtk_box_reorder_child(GTK_BOX(area), scrolled, 0);
    gtk_widget_show_all(scrolled);
    g_object_set_data(G_OBJECT(dialog), "message-scrolled", scrolled); // the GUI tests check its size
}

void show_message(GtkMessageType type, const std::string& text)
{
    // "%s" keeps a "%" of a file name or a recipe text from being read as a format.
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(ui.main_window), GTK_DIALOG_DESTROY_WITH_PARENT,
                                               type, GTK_BUTTONS_CLOSE, "%s", display_text(text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "CUVELO");
    bound_message_area(dialog);
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
                               GTK_MESSAGE_WARNING, GTK_BUTTONS_NONE, "%s", display_text(question).c_str());
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", display_text(detail).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "CUVELO");
    bound_message_area(dialog);
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

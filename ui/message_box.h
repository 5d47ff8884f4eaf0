// ui/message_box.h — the modal message dialogs and questions, all titled "CUVELO".
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <utility>
#include <vector>

// The answers of the questions; closing a question or pressing Échap answers ANSWER_CANCEL.
enum QuestionAnswer { ANSWER_SAVE = 1, ANSWER_DISCARD = 2, ANSWER_CANCEL = 3, ANSWER_REPLACE = 4 };

// Shows a message over the main window with a single Close button, waits until it is closed, destroys it.
void show_message(GtkMessageType type, const std::string& text);

// Shows a message over the main window with a single Close button and returns at once; the message goes
// when it is closed. For what happens outside any command, such as a browser that ended in error.
void show_notice(GtkMessageType type, const std::string& text);

// Says why a page is not shown: no browser configured, or a browser (`failed_command`) that could not start,
// naming the NAVIGATEUR key and its file.
void show_browser_failure(const std::string& failed_command);

// Asks a question over `parent` (the main window when null) with the buttons (label, answer) left to right,
// `default_answer` taking Entrée; gives the chosen answer, or ANSWER_CANCEL when the question is closed or
// Échap pressed.
int ask_question(const std::string& question, const std::string& detail,
                 const std::vector<std::pair<std::string, int>>& buttons, int default_answer,
                 GtkWindow* parent = nullptr);

// report/browser.cpp — starts the configured browser on a page and lets the main loop reap it.
#include "report/browser.h"

#include "core/workspace.h"

#include <glib.h>

std::vector<std::string> split_arguments(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    bool in_word = false; // a quote alone starts a word, so "" gives an empty one
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' && !quoted) {
            if (in_word)
                words.push_back(word);
            word.clear();
            in_word = false;
            i++;
            continue;
        }
        in_word = true;
        if (c == '\\') {
            size_t count = 0;
            while (i + count < text.size() && text[i + count] == '\\')
                count++;
            bool before_quote = i + count < text.size() && text[i + count] == '"';
            if (!before_quote) {
                word.append(count, '\\');
                i += count;
            } else if (count % 2 == 1) {
                word.append(count / 2, '\\');
                word += '"';
                i += count + 1;
            } else {
                word.append(count / 2, '\\');
                i += count; // the quote itself toggles on the next turn
            }
            continue;
        }
        if (c == '"')
            quoted = !quoted;
        else
            word += c;
        i++;
    }
    if (in_word)
        words.push_back(word);
    return words;
}

std::string page_argument(const std::string& folder, const std::string& page)
{
    // A "#" or "?" in a folder name would end the path of the URL, and a quote would break the one word.
    static const char kHex[] = "0123456789ABCDEF";
    std::string url_folder;
    for (unsigned char c : folder) {
        if (c < 0x20 || c == 0x7F || c == '%' || c == '#' || c == '?' || c == '"' || c == '\\') {
            url_folder += '%';
            url_folder += kHex[c >> 4];
            url_folder += kHex[c & 15];
        } else {
            url_folder += static_cast<char>(c);
        }
    }
    return "\"file:///" + url_folder + "/" + page + "\"";
}

static int running_browsers = 0;

static void on_browser_ended(GPid pid, gint, gpointer)
{
    g_spawn_close_pid(pid);
    running_browsers--;
}

bool launch_browser(const std::string& argument_text, std::string& failed_command)
{
    std::string program = ws.settings.browser;
    for (char& c : program)
        if (c == '\\')
            c = '/';
    std::vector<std::string> words = split_arguments(program);
    if (words.empty()) {
        failed_command = ws.settings.browser;
        return false;
    }
    for (const std::string& word : split_arguments(argument_text))
        words.push_back(word);
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);

    // Waiting here would freeze the window for as long as the browser runs; the main loop reaps it instead.
    GPid pid = 0;
    GError* error = nullptr;
    if (!g_spawn_async(nullptr, argv.data(), nullptr,
                       GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr, nullptr, &pid,
                       &error)) {
        g_clear_error(&error);
        failed_command = ws.settings.browser;
        return false;
    }
    running_browsers++;
    g_child_watch_add(pid, on_browser_ended, nullptr);
    failed_command.clear();
    return true;
}

bool show_help(std::string& failed_command)
{
    const std::string& folder = data_folders().help;
    return launch_browser(page_argument(folder.empty() ? executable_folder() : folder, "lisez-moi.htm"),
                          failed_command);
}

int running_browser_count()
{
    return running_browsers;
}

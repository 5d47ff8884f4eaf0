// report/browser.cpp — starts the configured browser on a page and lets the main loop reap it.
#include "report/browser.h"

#include <glib.h>
#include <sys/wait.h>

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
static void (*end_notice)(const std::string& message) = nullptr;

void set_browser_end_notice(void (*notice)(const std::string& message))
{
    end_notice = notice;
}

std::string browser_setting_file()
{
    std::string file = data_folders().bases + "/configuration.txt";
    return file.compare(0, 2, "./") == 0 ? file.substr(2) : file;
}

std::string browser_end_message(const std::string& command, int status, double seconds,
                                const std::string& setting_file)
{
    // A browser the brewer closes after reading ends well, or by a signal; only a quick error says that the
    // command could not show the page (xdg-open without a desktop, a browser refusing its options).
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 0 || seconds >= kBrowserQuickEndSeconds)
        return "";
    return "Le navigateur « " + command + " » s'est arrêté en erreur (code " +
           std::to_string(WEXITSTATUS(status)) + ") : la page n'est sans doute pas affichée.\n" +
           "Le navigateur se choisit par la clé NAVIGATEUR de " + setting_file + ".";
}

// One started browser, until it ends.
struct BrowserRun {
    std::string command;
    gint64 started_us;
};

static void on_browser_ended(GPid pid, gint status, gpointer data)
{
    g_spawn_close_pid(pid);
    running_browsers--;
    const auto* run = static_cast<const BrowserRun*>(data);
    const double seconds = static_cast<double>(g_get_monotonic_time() - run->started_us) / G_USEC_PER_SEC;
    const std::string message = browser_end_message(run->command, status, seconds, browser_setting_file());
    if (!message.empty() && end_notice)
        end_notice(message);
}

static void forget_run(gpointer data)
{
    delete static_cast<BrowserRun*>(data);
}

bool launch_browser(const std::string& browser, const std::string& argument_text, std::string& failed_command)
{
    std::string program = browser;
    for (char& c : program)
        if (c == '\\')
            c = '/';
    std::vector<std::string> words = split_arguments(program);
    if (words.empty()) {
        failed_command = browser;
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
        failed_command = browser;
        return false;
    }
    running_browsers++;
    g_child_watch_add_full(G_PRIORITY_DEFAULT, pid, on_browser_ended,
                           new BrowserRun{browser, g_get_monotonic_time()}, forget_run);
    failed_command.clear();
    return true;
}

bool show_help(const std::string& browser, std::string& failed_command)
{
    const std::string& folder = data_folders().help;
    return launch_browser(browser,
                          page_argument(folder.empty() ? executable_folder() : folder, "lisez-moi.htm"),
                          failed_command);
}

int running_browser_count()
{
    return running_browsers;
}

// report/browser.h — runs the configured browser on a page, without blocking the caller.
#pragma once

#include "core/data_folders.h" // executable_folder

#include <string>
#include <vector>

// Splits a text into words: runs of spaces separate, double quotes group, 2n(+1) backslashes before a
// quote give n backslashes (and a literal quote).
std::vector<std::string> split_arguments(const std::string& text);

// The quoted argument that names `page` in `folder`: "file:///" + folder + "/" + page, the folder's bytes
// that would change the URL ("%", "#", "?", quotes, backslashes, controls) percent-encoded.
std::string page_argument(const std::string& folder, const std::string& page);

// Starts `browser`, the NAVIGATEUR setting (split into words, backslashes as slashes), with the words of
// `argument_text` and returns at once. False when it could not be started; `failed_command` then names it.
bool launch_browser(const std::string& browser, const std::string& argument_text,
                    std::string& failed_command);

// Opens "lisez-moi.htm" from the help folder (the shared data folder, else the executable's folder) in
// `browser`.
bool show_help(const std::string& browser, std::string& failed_command);

// How many started browsers have not ended yet; their ends are noticed by the default GLib main context.
int running_browser_count();

// The configuration file that holds the NAVIGATEUR key, as messages name it.
std::string browser_setting_file();

// A browser that ends in error this soon after its start most likely showed nothing.
constexpr double kBrowserQuickEndSeconds = 10;

// The French message for a browser `command` that ended with the wait status `status` after `seconds`: why
// the page is probably not shown and that the NAVIGATEUR key of `setting_file` sets the browser; "" when it
// ended well, was stopped by a signal, or ran long enough to have shown the page.
std::string browser_end_message(const std::string& command, int status, double seconds,
                                const std::string& setting_file);

// Who hears of a browser that ended in error at once (the window shows it); nobody until it is set.
void set_browser_end_notice(void (*notice)(const std::string& message));

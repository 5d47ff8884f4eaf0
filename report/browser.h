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

// Starts the browser setting (split into words, backslashes as slashes) with the words of `argument_text`
// and returns at once. False when it could not be started; `failed_command` then names it.
bool launch_browser(const std::string& argument_text, std::string& failed_command);

// Opens "lisez-moi.htm" from the help folder (the shared data folder, else the executable's folder).
bool show_help(std::string& failed_command);

// How many started browsers have not ended yet; their ends are noticed by the default GLib main context.
int running_browser_count();

// report/html_report.h — the recipe as a small HTML page.
#pragma once

#include "report/report_page.h"

#include <string>

// Writes the report of `report` to `path` (backslashes taken as slashes) through replace_file, replacing a
// link at that name instead of following it. False when the file cannot be written, `why` (when not null)
// then giving the French reason.
bool write_html_report_file(const std::string& path, const RecipeReport& report, std::string* why = nullptr);

// The report command: writes "recette.html" in the report folder (by default the working directory),
// replacing (and so deleting) the previous report, and shows it in the browser without waiting. False, with
// the failed command in `failed_command`, when the browser could not be started.
bool write_html_report(const RecipeReport& report, std::string& failed_command);

// Deletes the report that this process wrote, if any (called when the program quits).
void remove_html_report();

// The absolute path of the report: "recette.html" in the report folder ("" if that is unknown).
std::string html_report_path();

// The page that the last report command could not write, or "" when it was written. When it is not
// empty, that command returned false without starting the browser and left `failed_command` empty.
std::string unwritten_report_path();

// Why the last report command could not write its page (French), or "".
std::string unwritten_report_reason();

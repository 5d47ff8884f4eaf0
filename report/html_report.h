// report/html_report.h — the recipe as a small HTML page.
#pragma once

#include <string>

// Writes the report of the last evaluation to `path` (cost and priming recomputed). False when the file
// cannot be written.
bool write_html_report_file(const std::string& path);

// The report command: writes "recette.html" in the working directory, replacing (and so deleting) the
// previous report, and shows it in the browser without waiting. False, with the failed command in
// `failed_command`, when the browser could not be started.
bool write_html_report(std::string& failed_command);

// Deletes the report that this process wrote, if any (called when the program quits).
void remove_html_report();

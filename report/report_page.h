// report/report_page.h — the recipe as the text of a small HTML page.
#pragma once

#include "core/workspace.h"

#include <string>

// The page of a recipe: its title, file name, style, lines and estimates as they stand in `recipe` (its
// priming figures included), and `cost`. Reads nothing else.
std::string report_page(const Workspace& recipe, double cost);

// A text as HTML: "<", ">", "&" and both quotes become entities, so that no text of a recipe file or a
// database can add markup or script to the page.
std::string html_escape(const std::string& text);

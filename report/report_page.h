// report/report_page.h — the recipe as the text of a small HTML page.
#pragma once

#include "core/workspace.h"

#include <functional>
#include <string>

// The address by which the page names a picture (escaped by the page).
using PictureAddress = std::function<std::string(const std::string& picture)>;

// The page of a recipe: its title, file name, style, lines and estimates as they stand in `recipe` (its
// priming figures included), and `cost`; pictures named by `address`, "./images/<picture>.png" without one.
// Reads nothing else.
std::string report_page(const Workspace& recipe, double cost, const PictureAddress& address = nullptr);

// A text as HTML: "<", ">", "&" and both quotes become entities, so that no text of a recipe file or a
// database can add markup or script to the page.
std::string html_escape(const std::string& text);

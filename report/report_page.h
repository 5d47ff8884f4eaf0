// report/report_page.h — the recipe as the text of a small HTML page.
#pragma once

#include "core/records.h"

#include <functional>
#include <string>

// The address by which the page names a picture (escaped by the page).
using PictureAddress = std::function<std::string(const std::string& picture)>;

// The page of a recipe: its title, file name, style, lines, estimates (priming figures included), cost and
// the breakdown of its estimates under its settings; pictures named by `address`, "./images/<picture>.png"
// without one. Reads nothing else.
std::string report_page(const RecipeReport& report, const PictureAddress& address = nullptr);

// A text as HTML: "<", ">", "&" and both quotes become entities, so that no text of a recipe file or a
// database can add markup or script to the page.
std::string html_escape(const std::string& text);

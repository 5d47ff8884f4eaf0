// report/brew_sheet.h — the printable brew-day sheet of a recipe: one A4 HTML page, no script.
#pragma once

#include "core/records.h"

#include <string>

// The sheet in brew-day order: ingredients to weigh by stage with totals, water, strike water, each mash
// step, sparge, the boil's additions by the minute, hop stand, cooling, yeast, fermentation and priming,
// with boxes to tick and blanks for the measured figures. Every text of the recipe is escaped.
std::string brew_sheet_html(const RecipeReport& report);

// Writes the sheet at `path` through the safe file writer; false, with a French reason in `why`, on failure.
bool write_brew_sheet_file(const std::string& path, const RecipeReport& report, std::string* why);

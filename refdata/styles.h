// refdata/styles.h — builds the style database: the built-in "Pas de Style", then "styles.txt" of the bases
// folder.
#pragma once

#include <string>

// Entry 1 is always the built-in entry; the file's styles follow from entry 2.
void load_styles();

// Appends one style (twelve texts in file order). Ignored when the database is full.
void add_style(const std::string& category, const std::string& name, const std::string& og_min,
               const std::string& og_max, const std::string& fg_min, const std::string& fg_max,
               const std::string& ebc_min, const std::string& ebc_max, const std::string& ibu_min,
               const std::string& ibu_max, const std::string& picture, const std::string& description);

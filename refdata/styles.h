// refdata/styles.h — builds the style database: the built-in "Pas de Style", then "styles.txt" of the bases
// folder.
#pragma once

#include "core/records.h"

// Entry 1 is always the built-in entry; the file's styles follow from entry 2.
void load_styles();

// Appends one style. Ignored when the database is full.
void add_style(const StyleEntry& style);

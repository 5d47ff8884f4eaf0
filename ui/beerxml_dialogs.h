// ui/beerxml_dialogs.h — BeerXML in the window: opening a file (asking which recipe when it holds several)
// and the "Exporter en BeerXML…" command, each ending with its one French message.
#pragma once

#include "recipe/formats/recipe_format.h"

#include <gtk/gtk.h>

#include <string>

// Adds the Open chooser's filters: Cuvelo recipes, BeerXML recipes, and both together ("Toutes les
// recettes").
void add_open_filters(GtkFileChooser* chooser);

// Opens another program's file (read by open_any_recipe_file) as a new recipe never saved, asking which
// recipe when it holds several; says what it read, lost and corrected, or why the file is refused. True when
// the recipe on screen was replaced (the caller refreshes and retitles the window).
bool open_foreign_recipe(const OpenedFile& file, const std::string& path);

// The export command: a Save chooser of "*.xml" files, then the export; says what was clamped or why the
// file could not be written.
void export_recipe_as_beerxml();

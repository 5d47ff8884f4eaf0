// ui/beerjson_dialogs.h — the "Exporter en BeerJSON…" command (a BeerJSON file opens as any other recipe
// file, through ui/beerxml_dialogs.h's open_foreign_recipe).
#pragma once

// The export command: a Save chooser of "*.json" files, then the export; says why the file could not be
// written.
void export_recipe_as_beerjson();

// ui/installation_dialog.h — the "Installation…" dialog: every key of the brewery's configuration, by page,
// written to the configuration in use when validated.
#pragma once

#include <gtk/gtk.h>

#include <string>

// Opens the dialog (or brings it forward). "Valider" checks every field; a refused one is marked, its page
// shown and its hint given, and nothing is written. Otherwise the changed keys are written to the
// configuration in use, the configuration is read again and the window refreshed. A write that fails is
// told in French and changes nothing. "Annuler" and Échap change nothing.
void open_installation_dialog();

// The open dialog, for the tests; null when closed.
GtkWidget* installation_dialog();

// Its notebook, for the tests; null when closed.
GtkWidget* installation_notebook();

// The entry (or the list) of field `field` of `key` in the open dialog, for the tests; null when none.
GtkWidget* installation_input(const std::string& key, size_t field);

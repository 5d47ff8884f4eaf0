// ui/targets_dialog.h — the dialog that asks the density, colour and bitterness to aim at.
#pragma once

#include <gtk/gtk.h>

// Opens the dialog with today's estimates in its three fields.
void open_targets_dialog();

// "Valider": solves the recipe for the fields that are filled in, or says which value is out of reach.
void on_targets_validate(GtkButton* button, gpointer unused);

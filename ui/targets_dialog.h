// ui/targets_dialog.h — the dialog that asks the density, colour and bitterness to aim at.
#pragma once

#include <gtk/gtk.h>

// Opens the dialog with today's estimates in its three fields.
void open_targets_dialog();

// "Valider": solves the recipe for the fields that are filled in, as one step of the undo history, or says
// which value is out of reach and changes nothing; a field that holds no number keeps the dialog open.
void on_targets_validate(GtkButton* button, gpointer unused);

// ui/targets_dialog.h — the dialog that asks the density, colour and bitterness to aim at.
#pragma once

#include <gtk/gtk.h>

// Opens the dialog with today's estimates in its three fields, none of them aimed at yet.
void open_targets_dialog();

// "Valider": solves the recipe for the values that are aimed at (those the brewer changed or ticked), as
// one step of the undo history, or says which value is out of reach and changes nothing; an aimed field
// that holds no number, or a value no beer has, keeps the dialog open.
void on_targets_validate(GtkButton* button, gpointer unused);

// ui/dialog_kit.h — the parts every small dialog is built from, so that they all look and behave alike.
#pragma once

#include "ui/entry_text.h"

#include <gtk/gtk.h>

#include <string>

// An entry's text, cleaned by clean_entry_text in EntryMode `mode`.
std::string read_entry_text(GtkWidget* entry, int mode);

// True while a dialog entry is marked as refused (until it is edited).
bool entry_is_refused(GtkWidget* entry);

// The hint a dialog shows under its fields; "" while it shows none.
std::string dialog_hint(GtkWidget* window);

// A small fixed-size modal window over the main window holding one homogeneous table that grows as widgets
// are attached, with a hidden hint under it; Échap closes it.
GtkWidget* new_dialog_window(int width, int height, const char* title, GtkWidget** table);

// Attaches a widget to the table at the given cells and shows it.
GtkWidget* attach(GtkWidget* table, GtkWidget* widget, guint left, guint right, guint top, guint bottom);

// An entry where Entrée validates the dialog (through its default button).
GtkWidget* new_entry();

// Makes `button` the one Entrée presses.
void make_default(GtkWidget* window, GtkWidget* button);

// Shows the hint under the fields, the window growing to hold it.
void show_hint(GtkWidget* window, const std::string& text);

// Tints a refused entry and gives it a warning sign and the hint as its tooltip, until it is edited.
void mark_entry(GtkWidget* entry, const std::string& hint);

// Shows a stored text in an entry after one space, in its display form (GTK takes UTF-8 only).
void set_entry(GtkWidget* entry, const std::string& text);

// What an entry gives back for a stored text: the stored bytes themselves while the entry still shows
// them as set_entry did, so that a text of an older file keeps its encoding until the brewer edits it.
std::string entry_bytes(GtkWidget* entry, const std::string& stored);

// The text to store for a numeric field shown from `stored`: a text left as it was shown is kept (an older
// file's field may hold anything), a typed one must be a number as `field` expects for `category`. A refused
// entry is marked and its hint added to `hints` (one per line); false then.
bool read_number_entry(GtkWidget* entry, const std::string& stored, NumberField field,
                       const std::string& category, std::string& text, std::string& hints);

// ui/profile_picker.h — the list that picks a bundled water profile, each shown with its ions, wherever a
// profile is named.
#pragma once

#include <gtk/gtk.h>

#include <string>

// A list of the bundled profiles, the one named `selected` chosen (names compared as profiles are found).
// A `selected` text that names no profile is kept as the list's first choice, marked unknown, so that
// validating without a change keeps it.
GtkWidget* new_profile_combo(const std::string& selected);

// The name of the profile chosen in the list, as the profile file spells it ("" when none is chosen); the
// kept unknown text when that is chosen.
std::string picked_profile(GtkWidget* combo);

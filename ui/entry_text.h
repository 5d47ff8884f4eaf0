// ui/entry_text.h — how the text typed into a dialog entry is cleaned before it is stored (no GTK here).
#pragma once

#include <string>

enum EntryMode { ENTRY_PLAIN = 0, ENTRY_NUMBER = 1 };

// Tabs, CRs and LFs become spaces (they would split a recipe file's fields and lines), leading and trailing
// spaces are removed, and for a number commas become points and a-z capitals.
std::string clean_entry_text(const std::string& typed, int mode);

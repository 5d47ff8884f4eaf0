// core/display_text.h — recipe and database texts as the window shows them: valid UTF-8, of bounded length.
#pragma once

#include <cstddef>
#include <string>

// The text as valid UTF-8 for display: valid UTF-8 sequences stay, every other byte is read as
// Windows-1252 (the encoding of older recipe files), its five unassigned bytes as U+FFFD. The bytes
// themselves are never changed: this is for the screen only.
std::string display_text(const std::string& bytes);

// The display text cut to at most `max_characters` characters on a character boundary, with "…" added
// when something was cut. Reads only the start of a long text.
std::string bounded_display_text(const std::string& bytes, size_t max_characters);

// The longest recipe title the window title shows, in characters.
constexpr size_t kMaxTitleCharacters = 200;

// The main window's title: "CUVELO V0.9 : " and the recipe title, or, without a title, the program's name
// and, when there is a recipe file, " : " and its base name; both bounded and shown as display_text. A
// modified recipe has a "*" before its name (before the whole title when it has none).
std::string window_title_text(const std::string& title, const std::string& file_name, bool modified = false);

// core/display_text.h — recipe and database texts as the window shows them: valid UTF-8 without invisible or
// reversing characters, of bounded length.
#pragma once

#include <cstddef>
#include <string>

// The text as valid UTF-8: valid UTF-8 sequences stay, every other byte is read as Windows-1252 (the
// encoding of older recipe files), its five unassigned bytes as U+FFFD. `converted` (when not null) counts
// the bytes read as Windows-1252.
std::string utf8_text(const std::string& bytes, size_t* converted = nullptr);

// True for the characters that show nothing yet change how a text shows: bidirectional embeddings,
// overrides and isolates (U+202A–U+202E, U+2066–U+2069), zero-width characters and direction marks
// (U+200B–U+200F), the line and paragraph separators (U+2028, U+2029) and U+FEFF.
bool is_hidden_character(char32_t c);

// The UTF-8 text without its hidden characters; `dropped` (when not null) counts them.
std::string without_hidden_characters(const std::string& utf8, size_t* dropped = nullptr);

// The text as the window shows it: utf8_text without hidden characters, so that no text can reverse a title
// or a list row. The bytes themselves are never changed: this is for the screen only.
std::string display_text(const std::string& bytes);

// The display text cut to at most `max_characters` characters on a character boundary, with "…" added
// when something was cut. Reads only the start of a long text.
std::string bounded_display_text(const std::string& bytes, size_t max_characters);

// The display text of `bytes` in lower case, for matching names whatever their case.
std::string folded_display_text(const std::string& bytes);

// The longest name a message quotes, in characters.
constexpr size_t kMaxNameCharacters = 120;

// The longest text a cell of the recipe list shows, in characters.
constexpr size_t kMaxCellCharacters = 200;

// The longest recipe title the window title shows, in characters.
constexpr size_t kMaxTitleCharacters = 200;

// The main window's title: "CUVELO V0.9 : " and the recipe title, or, without a title, the program's name
// and, when there is a recipe file, " : " and its base name; both bounded and shown as display_text. A
// modified recipe has a "*" before its name (before the whole title when it has none).
std::string window_title_text(const std::string& title, const std::string& file_name, bool modified = false);

// recipe/formats/json_layout.h — one pass over a JSON text, outside its strings, before json-glib sees it:
// its shape for the reader's caps and, in a text of plain standard JSON, where each recipe of "beerjson" →
// "recipes" lies, so that json-glib parses one recipe at a time and the rest of the file without them.
#pragma once

#include <string>
#include <vector>

// Where one recipe object lies in the text: [begin, end) and the line of its opening brace, from 1.
struct JsonPiece {
    size_t begin = 0, end = 0;
    int first_line = 1;
};

struct JsonLayout {
    int deepest = 0;       // the deepest nesting of objects and arrays
    size_t values = 0;     // members and array items after the first: commas and colons
    size_t containers = 0; // objects and arrays

    // Whether the recipes were cut out: only when the text holds nothing but standard JSON outside its
    // strings, one "beerjson" member at the top and one "recipes" member in it, both spelled without escapes.
    // Otherwise the whole text is parsed at once, as it is.
    bool split = false;
    std::vector<JsonPiece> recipes; // the object items of the recipes array, in order
    // When split: the text with each recipe replaced by "{}" and the line ends it held, blanks outside
    // strings left out where no two words meet, so that json-glib finds the same lines in it.
    std::string rest;
};

// The layout of `bytes` from `from` (past a byte order mark) to its end.
JsonLayout json_layout(const std::string& bytes, size_t from);

// One piece of the text, blanks outside strings left out as in JsonLayout::rest.
std::string compact_json_piece(const std::string& bytes, const JsonPiece& piece);

// recipe/formats/json_layout.h — one pass over a JSON text, outside its strings, before json-glib sees it:
// its shape for the reader's caps and, in a text of standard JSON, where each recipe of "beerjson" →
// "recipes" lies, so that json-glib parses one recipe at a time and the rest of the file without them, and
// never sees the "//" comments that some programs write and json-glib refuses.
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

    // Whether the text holds nothing but standard JSON and comments ("//" to the line end, "/* … */") outside
    // its strings. Otherwise it is parsed as it is.
    bool standard = false;
    // Whether the recipes were cut out: only in a standard text with one "beerjson" member at the top and one
    // "recipes" member in it, both spelled without escapes. Otherwise the text is parsed whole.
    bool split = false;
    std::vector<JsonPiece> recipes; // the object items of the recipes array, in order
    // When standard: the text with each recipe cut out replaced by "{}" and the line ends it held, blanks and
    // comments outside strings left out where no two words meet, so that json-glib finds the same lines in
    // it.
    std::string rest;
};

// The layout of `bytes` from `from` (past a byte order mark) to its end.
JsonLayout json_layout(const std::string& bytes, size_t from);

// One piece of the text, blanks and comments outside strings left out as in JsonLayout::rest.
std::string compact_json_piece(const std::string& bytes, const JsonPiece& piece);

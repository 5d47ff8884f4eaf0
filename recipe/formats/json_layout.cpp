// recipe/formats/json_layout.cpp — the pass over a JSON text before json-glib: json-glib's scanner reads a
// character at a time and its tree costs far more than the text, so a large file is handed to it a recipe at
// a time and without its indentation, which halves the time and keeps one recipe's tree in memory.
#include "recipe/formats/json_layout.h"

#include <algorithm>
#include <cstring>

namespace
{

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The characters of numbers and of true, false and null: two of them must not be joined by leaving out the
// blank between them.
bool is_word(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E' || c == 't' ||
           c == 'r' || c == 'u' || c == 'f' || c == 'a' || c == 'l' || c == 's' || c == 'n';
}

// The end of the comment at `i` ("//" to the line end, left to the caller, or "/* … */"), `i` itself when no
// comment starts there, and std::string::npos for a "/*" never closed.
size_t comment_end(const std::string& bytes, size_t i, size_t end)
{
    if (bytes[i] != '/' || i + 1 >= end)
        return i;
    if (bytes[i + 1] == '/') {
        const size_t line_end = bytes.find('\n', i);
        return line_end == std::string::npos || line_end > end ? end : line_end;
    }
    if (bytes[i + 1] != '*')
        return i;
    const size_t close = bytes.find("*/", i + 2);
    return close == std::string::npos || close + 2 > end ? std::string::npos : close + 2;
}

bool is_dropped_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

// Appends [begin, end) of `bytes` with the blanks and comments outside strings left out, line ends kept
// (those of comments too), and one space kept where two words would otherwise meet. What is kept is copied a
// stretch at a time.
void append_compact(const std::string& bytes, size_t begin, size_t end, std::string& out)
{
    size_t kept = begin, i = begin;
    while (i < end) {
        const char c = bytes[i];
        if (c == '"') {
            for (i++; i < end && bytes[i] != '"'; i++)
                if (bytes[i] == '\\')
                    i++;
            i++;
            continue;
        }
        if (!is_dropped_blank(c) && comment_end(bytes, i, end) == i) {
            i++;
            continue;
        }
        out.append(bytes, kept, i - kept);
        for (;;) {
            if (i < end && is_dropped_blank(bytes[i])) {
                i++;
                continue;
            }
            const size_t after = i < end ? comment_end(bytes, i, end) : i;
            if (after == i)
                break;
            const size_t stop = after == std::string::npos ? end : after;
            out.append(
                static_cast<size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                               bytes.begin() + static_cast<std::ptrdiff_t>(stop), '\n')),
                '\n');
            i = stop;
        }
        if (i < end && is_word(bytes[i]) && !out.empty() && is_word(out.back()))
            out += ' ';
        kept = i;
    }
    out.append(bytes, kept, std::min(i, end) - kept);
}

bool same_key(const std::string& bytes, size_t begin, size_t end, const char* key)
{
    const size_t n = std::strlen(key);
    return end - begin == n && bytes.compare(begin, n, key) == 0;
}

} // namespace

JsonLayout json_layout(const std::string& bytes, size_t from)
{
    JsonLayout layout;
    int depth = 0, line = 1;
    bool standard = true, keys_plain = true;
    // The last string: where it lies, and whether it holds an escape.
    size_t string_begin = 0, string_end = 0;
    bool escaped = false;
    // The path to the recipes: the member of the top object being read is "beerjson", its value is the object
    // being read, its member being read is "recipes", and the array being read is that member's value.
    bool beerjson_member = false, in_beerjson = false, recipes_member = false, in_recipes = false;
    int beerjson_members = 0, recipes_members = 0;
    JsonPiece piece;
    bool in_piece = false;

    for (size_t i = from; i < bytes.size(); i++) {
        const char c = bytes[i];
        switch (c) {
        case '"':
            string_begin = i + 1;
            escaped = false;
            for (i++; i < bytes.size() && bytes[i] != '"'; i++) {
                if (bytes[i] == '\n')
                    line++;
                if (bytes[i] == '\\') {
                    escaped = true;
                    if (++i < bytes.size() && bytes[i] == '\n')
                        line++;
                }
            }
            string_end = std::min(i, bytes.size());
            break;
        case '{':
        case '[':
            layout.containers++;
            layout.deepest = std::max(layout.deepest, ++depth);
            if (depth == 2)
                in_beerjson = c == '{' && beerjson_member;
            else if (depth == 3)
                in_recipes = c == '[' && in_beerjson && recipes_member;
            else if (depth == 4 && c == '{' && in_recipes) {
                piece.begin = i;
                piece.first_line = line;
                in_piece = true;
            }
            break;
        case '}':
        case ']':
            if (depth == 4 && in_piece) {
                piece.end = i + 1;
                layout.recipes.push_back(piece);
                in_piece = false;
            }
            depth--;
            if (depth == 1)
                in_beerjson = false;
            else if (depth == 2)
                in_recipes = false;
            break;
        case ':':
            layout.values++;
            if (depth == 1) {
                keys_plain = keys_plain && !escaped;
                beerjson_member = same_key(bytes, string_begin, string_end, "beerjson");
                beerjson_members += beerjson_member;
            } else if (depth == 2 && in_beerjson) {
                keys_plain = keys_plain && !escaped;
                recipes_member = same_key(bytes, string_begin, string_end, "recipes");
                recipes_members += recipes_member;
            }
            break;
        case ',':
            layout.values++;
            if (depth == 1)
                beerjson_member = false;
            else if (depth == 2)
                recipes_member = false;
            break;
        case '\n':
            line++;
            break;
        case '/': {
            // A comment is a blank; an unclosed one, or a lone slash, is no standard JSON.
            const size_t after = comment_end(bytes, i, bytes.size());
            if (after == i || after == std::string::npos) {
                standard = false;
                break;
            }
            line += static_cast<int>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(i),
                                                bytes.begin() + static_cast<std::ptrdiff_t>(after), '\n'));
            i = after - 1;
            break;
        }
        default:
            standard = standard && (is_blank(c) || is_word(c));
            break;
        }
    }

    // A text that is not standard JSON is parsed as it is; one that is not a whole one, or whose recipes
    // cannot be found by their names alone, is parsed whole without its blanks. json-glib then names its
    // fault on the same line as ever.
    layout.standard = standard;
    layout.split = standard && keys_plain && depth == 0 && string_end < bytes.size() &&
                   beerjson_members == 1 && recipes_members == 1;
    if (!layout.split)
        layout.recipes = std::vector<JsonPiece>();
    if (!standard)
        return layout;
    size_t cursor = from;
    for (const JsonPiece& p : layout.recipes) {
        append_compact(bytes, cursor, p.begin, layout.rest);
        layout.rest += "{}";
        layout.rest.append(
            static_cast<size_t>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(p.begin),
                                           bytes.begin() + static_cast<std::ptrdiff_t>(p.end), '\n')),
            '\n');
        cursor = p.end;
    }
    append_compact(bytes, cursor, bytes.size(), layout.rest);
    return layout;
}

std::string compact_json_piece(const std::string& bytes, const JsonPiece& piece)
{
    std::string out;
    out.reserve(piece.end - piece.begin);
    append_compact(bytes, piece.begin, std::min(piece.end, bytes.size()), out);
    return out;
}

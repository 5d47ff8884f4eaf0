// core/note_text.cpp — escaping a text of several lines into one line of a file, and back.
#include "core/note_text.h"

std::string escaped_notes(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string unescaped_notes(const std::string& line)
{
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size(); i++) {
        const char c = line[i];
        if (c != '\\' || i + 1 == line.size()) {
            out += c;
            continue;
        }
        const char next = line[i + 1];
        const char meant = next == '\\'  ? '\\'
                           : next == 't' ? '\t'
                           : next == 'n' ? '\n'
                           : next == 'r' ? '\r'
                                         : 0;
        if (meant) {
            out += meant;
            i++;
        } else {
            out += c;
        }
    }
    return out;
}

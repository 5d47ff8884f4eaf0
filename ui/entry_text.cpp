// ui/entry_text.cpp — how the text typed into a dialog entry is cleaned before it is stored (no GTK here).
#include "ui/entry_text.h"

#include "core/text.h"

std::string clean_entry_text(const std::string& typed, int mode)
{
    std::string text = typed;
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        text.clear();
    else
        text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (mode == ENTRY_NUMBER)
        text = upper_ascii(commas_to_points(text));
    return text;
}

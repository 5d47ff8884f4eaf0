// refdata/styles.cpp — the built-in "Pas de Style" entry, then the styles of "bases/styles.txt".
#include "refdata/styles.h"

#include "core/data_folders.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/reference_line.h"

void add_style(const StyleEntry& style)
{
    if (ws.style_count >= kStyleCapacity)
        return;
    ws.style_count++;
    ws.styles[ws.style_count] = style;
}

// The built-in entry: every range open, so that no figure is flagged.
static StyleEntry no_style()
{
    StyleEntry s;
    s.category = "Pas de Catégorie";
    s.name = "Pas de Style";
    s.og_min = s.fg_min = s.ebc_min = s.ibu_min = "0";
    s.og_max = s.fg_max = s.ebc_max = s.ibu_max = "9999";
    s.picture = "style0";
    s.description = "Pas de description";
    return s;
}

void load_styles()
{
    // The built-in entry is always entry 1, whatever the file holds.
    ws.style_count = 0;
    add_style(no_style());
    for_each_reference_line(data_folders().bases + "/styles.txt", [](const std::string& line) {
        StyleEntry style;
        int n = 1;
        for (std::string StyleEntry::*field : kStyleFields)
            style.*field = tab_field(line, n++);
        add_style(style);
    });
}

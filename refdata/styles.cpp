// refdata/styles.cpp — the built-in "Pas de Style" entry, then the styles of "bases/styles.txt".
#include "refdata/styles.h"

#include "core/data_folders.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/reference_line.h"

void add_style(const std::string& category, const std::string& name, const std::string& og_min,
               const std::string& og_max, const std::string& fg_min, const std::string& fg_max,
               const std::string& ebc_min, const std::string& ebc_max, const std::string& ibu_min,
               const std::string& ibu_max, const std::string& picture, const std::string& description)
{
    if (ws.style_count >= kStyleCapacity)
        return;
    ws.style_count++;
    StyleEntry& style = ws.styles[ws.style_count];
    style.category = category;
    style.name = name;
    style.og_min = og_min;
    style.og_max = og_max;
    style.fg_min = fg_min;
    style.fg_max = fg_max;
    style.ebc_min = ebc_min;
    style.ebc_max = ebc_max;
    style.ibu_min = ibu_min;
    style.ibu_max = ibu_max;
    style.picture = picture;
    style.description = description;
}

void load_styles()
{
    // The built-in entry is always entry 1, whatever the file holds.
    ws.style_count = 0;
    add_style("Pas de Catégorie", "Pas de Style", "0", "9999", "0", "9999", "0", "9999", "0", "9999",
              "style0", "Pas de description");
    for_each_reference_line(data_folders().bases + "/styles.txt", [](const std::string& line) {
        add_style(tab_field(line, 1), tab_field(line, 2), tab_field(line, 3), tab_field(line, 4),
                  tab_field(line, 5), tab_field(line, 6), tab_field(line, 7), tab_field(line, 8),
                  tab_field(line, 9), tab_field(line, 10), tab_field(line, 11), tab_field(line, 12));
    });
}

// tests/line_fixtures.h — recipe lines, ingredients and styles written in their files' field order, for
// fixtures that read best as tables.
#pragma once

#include "core/workspace.h"
#include "refdata/ingredients.h"
#include "refdata/styles.h"

#include <string>

// A recipe line with the texts of a recipe file line, picture first.
inline void add_recipe_line(const std::string& picture, const std::string& category,
                            const std::string& designation, const std::string& quantity,
                            const std::string& value, const std::string& yield, const std::string& time,
                            const std::string& step, const std::string& price)
{
    RecipeLine line;
    line.picture = picture;
    line.category = category;
    line.designation = designation;
    line.quantity = quantity;
    line.value = value;
    line.yield = yield;
    line.time = time;
    line.step = step;
    line.price = price;
    add_recipe_line(line);
}

// A recipe line from its texts, without time: a mash's line unless `step` says otherwise.
inline RecipeLine mash_line(const std::string& category, const std::string& designation,
                            const std::string& quantity, const std::string& value,
                            const std::string& yield = "0", const std::string& step = "EMPATAGE")
{
    RecipeLine line;
    line.category = category;
    line.designation = designation;
    line.quantity = quantity;
    line.value = value;
    line.yield = yield;
    line.time = "0";
    line.step = step;
    return line;
}

// An ingredient entry with its identifier, its texts in file order (group last).
inline void add_ingredient(int32_t id, const std::string& category, const std::string& picture,
                           const std::string& designation, const std::string& quantity,
                           const std::string& value, const std::string& yield, const std::string& time,
                           const std::string& step, const std::string& price, const std::string& group)
{
    IngredientEntry entry;
    entry.id = id;
    entry.category = category;
    entry.picture = picture;
    entry.designation = designation;
    entry.quantity = quantity;
    entry.value = value;
    entry.yield = yield;
    entry.time = time;
    entry.step = step;
    entry.price = price;
    entry.group = group;
    add_ingredient(entry);
}

// A style with the twelve texts of a style file line.
inline void add_style(const std::string& category, const std::string& name, const std::string& og_min,
                      const std::string& og_max, const std::string& fg_min, const std::string& fg_max,
                      const std::string& ebc_min, const std::string& ebc_max, const std::string& ibu_min,
                      const std::string& ibu_max, const std::string& picture, const std::string& description)
{
    const std::string texts[] = {category, name,    og_min,  og_max,  fg_min,  fg_max,
                                 ebc_min,  ebc_max, ibu_min, ibu_max, picture, description};
    StyleEntry style;
    int n = 0;
    for (std::string StyleEntry::*field : kStyleFields)
        style.*field = texts[n++];
    add_style(style);
}

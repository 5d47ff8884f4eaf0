// core/records.cpp — comparing the plain records.
#include "core/records.h"

static bool same_line(const RecipeLine& a, const RecipeLine& b)
{
    return a.picture == b.picture && a.category == b.category && a.designation == b.designation &&
           a.quantity == b.quantity && a.value == b.value && a.yield == b.yield && a.time == b.time &&
           a.step == b.step && a.price == b.price;
}

static bool same_style(const StyleEntry& a, const StyleEntry& b)
{
    for (std::string StyleEntry::*field : kStyleFields)
        if (a.*field != b.*field)
            return false;
    return true;
}

bool same_recipe(const Recipe& a, const Recipe& b)
{
    if (a.lines.size() != b.lines.size() || !same_style(a.style, b.style) || a.title != b.title ||
        a.carbonation != b.carbonation || a.forced.on != b.forced.on || a.forced.litres != b.forced.litres)
        return false;
    for (size_t i = 0; i < a.lines.size(); i++)
        if (!same_line(a.lines[i], b.lines[i]))
            return false;
    return true;
}

RecipeLine recipe_line_of(const IngredientEntry& entry)
{
    RecipeLine line;
    line.picture = entry.picture;
    line.category = entry.category;
    line.designation = entry.designation;
    line.quantity = entry.quantity;
    line.value = entry.value;
    line.yield = entry.yield;
    line.time = entry.time;
    line.step = entry.step;
    line.price = entry.price;
    return line;
}

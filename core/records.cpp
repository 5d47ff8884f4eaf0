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

static bool same_plan(const BrewingPlan& a, const BrewingPlan& b)
{
    if (a.efficiency != b.efficiency || a.boil_minutes != b.boil_minutes || a.notes != b.notes ||
        a.measured_ph != b.measured_ph || a.mash.size() != b.mash.size())
        return false;
    for (size_t i = 0; i < a.mash.size(); i++)
        if (a.mash[i].name != b.mash[i].name || a.mash[i].temperature != b.mash[i].temperature ||
            a.mash[i].minutes != b.mash[i].minutes || a.mash[i].kind != b.mash[i].kind)
            return false;
    if (a.fermentation.size() != b.fermentation.size())
        return false;
    for (size_t i = 0; i < a.fermentation.size(); i++)
        if (a.fermentation[i].name != b.fermentation[i].name ||
            a.fermentation[i].temperature != b.fermentation[i].temperature ||
            a.fermentation[i].days != b.fermentation[i].days)
            return false;
    return true;
}

bool same_recipe(const Recipe& a, const Recipe& b)
{
    if (a.lines.size() != b.lines.size() || !same_style(a.style, b.style) || a.title != b.title ||
        a.carbonation != b.carbonation || a.forced.on != b.forced.on || a.forced.litres != b.forced.litres ||
        !same_plan(a.plan, b.plan))
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

// refdata/ingredients.cpp — reads "bases/ingredients.txt" and numbers the entries by category group.
#include "refdata/ingredients.h"

#include "core/data_folders.h"
#include "core/keywords.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/reference_line.h"

int ingredient_group(const std::string& category)
{
    switch (category_of(category)) {
    case Category::water:
        return 1;
    case Category::malt:
    case Category::wheat_malt:
    case Category::special_malt:
    case Category::grain:
    case Category::flakes:
        return 2;
    case Category::hop_cone:
    case Category::hop_pellet:
        return 3;
    case Category::other_addition:
    case Category::sugar:
    case Category::powder_extract:
    case Category::liquid_extract:
        return 4;
    case Category::yeast:
        return 5;
    case Category::other:
        break;
    }
    return 0;
}

void add_ingredient(const IngredientEntry& from)
{
    if (ws.ingredient_count >= kIngredientCapacity)
        return;
    ws.ingredient_count++;
    IngredientEntry& entry = ws.ingredients[ws.ingredient_count];
    entry = from;
    entry.quantity = upper_ascii(from.quantity);
    entry.value = upper_ascii(from.value);
    entry.yield = upper_ascii(from.yield);
    entry.time = upper_ascii(from.time);
}

void load_ingredients()
{
    ws.ingredient_count = 0;
    int counters[6] = {0, 0, 0, 0, 0, 0};
    for_each_reference_line(data_folders().bases + "/ingredients.txt", [&](const std::string& line) {
        const std::string category = tab_field(line, 1);
        const int group = ingredient_group(category);
        int32_t id = 0;
        if (group != 0) {
            // A 100th entry would take the next group's first identifier: it is left out instead.
            if (counters[group] >= kGroupCapacity)
                return;
            counters[group]++;
            id = group * 100 + counters[group];
        }
        IngredientEntry entry;
        entry.id = id;
        entry.category = category;
        entry.picture = tab_field(line, 2);
        entry.group = tab_field(line, 3);
        entry.designation = tab_field(line, 4);
        entry.quantity = tab_field(line, 5);
        entry.value = tab_field(line, 6);
        entry.yield = tab_field(line, 7);
        entry.time = tab_field(line, 8);
        entry.step = tab_field(line, 9);
        entry.price = tab_field(line, 10);
        add_ingredient(entry);
    });
}

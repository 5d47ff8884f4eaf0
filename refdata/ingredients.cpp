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

void add_ingredient(int32_t id, const std::string& category, const std::string& picture,
                    const std::string& designation, const std::string& quantity, const std::string& value,
                    const std::string& yield, const std::string& time, const std::string& step,
                    const std::string& price, const std::string& group)
{
    if (ws.ingredient_count >= kIngredientCapacity)
        return;
    ws.ingredient_count++;
    IngredientEntry& entry = ws.ingredients[ws.ingredient_count];
    entry.id = id;
    entry.category = category;
    entry.picture = picture;
    entry.designation = designation;
    entry.quantity = upper_ascii(quantity);
    entry.value = upper_ascii(value);
    entry.yield = upper_ascii(yield);
    entry.time = upper_ascii(time);
    entry.step = step;
    entry.price = price;
    entry.group = group;
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
        add_ingredient(id, category, tab_field(line, 2), tab_field(line, 4), tab_field(line, 5),
                       tab_field(line, 6), tab_field(line, 7), tab_field(line, 8), tab_field(line, 9),
                       tab_field(line, 10), tab_field(line, 3));
    });
}

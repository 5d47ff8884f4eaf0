// refdata/menu_groups.cpp — the runs of entries that become the sub-menus of the ingredient and style menus.
#include "refdata/menu_groups.h"

#include "core/workspace.h"
#include "refdata/ingredients.h"

// Entries first..last cut into runs of equal labels. An entry whose label equals the one before it (for the
// first entry: equals "") starts no run, so a leading run of empty labels belongs to no group at all.
template <typename LabelOf>
static std::vector<MenuGroup> runs_of_equal_labels(int first, int last, LabelOf label_of)
{
    std::vector<MenuGroup> groups;
    static const std::string kNone;
    for (int i = first; i <= last; i++) {
        const std::string& previous = i == first ? kNone : label_of(i - 1);
        if (label_of(i) == previous)
            continue;
        MenuGroup group{0, i, i};
        while (group.last < last && label_of(group.last + 1) == label_of(i))
            group.last++;
        groups.push_back(group);
    }
    return groups;
}

std::vector<MenuGroup> ingredient_menu_groups()
{
    std::vector<MenuGroup> groups = runs_of_equal_labels(
        1, ws.ingredient_count, [](int i) -> const std::string& { return ws.ingredients[i].group; });
    // An unknown category keeps the menu of the group before; none was chosen before the first known one.
    int menu = 0;
    for (MenuGroup& group : groups) {
        const int chosen = ingredient_group(ws.ingredients[group.first].category);
        if (chosen != 0)
            menu = chosen;
        group.menu = menu;
    }
    return groups;
}

std::vector<MenuGroup> style_menu_groups()
{
    return runs_of_equal_labels(2, ws.style_count,
                                [](int i) -> const std::string& { return ws.styles[i].category; });
}

std::string ingredient_item_label(int entry)
{
    if (entry < 1 || entry > kIngredientCapacity)
        return std::string();
    const IngredientEntry& e = ws.ingredients[entry];
    return e.quantity + " " + e.designation + " " + e.value + " ";
}

// refdata/menu_groups.h — how the database entries fall into menus and sub-menus (no GTK here).
#pragma once

#include <string>
#include <vector>

// A run of consecutive entries with the same group label (ingredients) or family (styles).
struct MenuGroup {
    int menu = 0;  // ingredient menu 1 to 5; 0 when no menu was chosen yet (such a group is shown nowhere)
    int first = 0; // first entry of the run
    int last = 0;  // last entry of the run, included
};

// The ingredient groups in database order; a group's menu comes from its first entry's category,
// or stays that of the group before when the category is unknown.
std::vector<MenuGroup> ingredient_menu_groups();

// The style groups over entries 2 to style_count (menu is always 0).
std::vector<MenuGroup> style_menu_groups();

// The label of an ingredient item: quantity, designation and value, each followed by one space.
std::string ingredient_item_label(int entry);

// fuzz/reference_fuzz.cpp — the three reference-file readers on any bytes, then the menu walk and item
// labels.
#include "core/workspace.h"
#include "fuzz_support.h"
#include "recipe/list_edit.h"
#include "refdata/configuration.h"
#include "refdata/ingredients.h"
#include "refdata/menu_groups.h"
#include "refdata/styles.h"
#include "report/browser.h"

#include <string>
#include <vector>

// Runs must lie in first..last, in order, without gaps between equal labels being split or overlaps.
static void check_runs(const std::vector<MenuGroup>& groups, int first, int last, const char* what)
{
    int next = first;
    for (const MenuGroup& g : groups) {
        if (g.first < next || g.last < g.first || g.last > last)
            property_failed(what, "a run outside the entries or overlapping the one before");
        next = g.last + 1;
    }
}

static void check_ingredients()
{
    if (ws.ingredient_count < 0 || ws.ingredient_count > kIngredientCapacity)
        property_failed("ingredient_count beyond the capacity", std::to_string(ws.ingredient_count));
    int last_of_group[6] = {0, 0, 0, 0, 0, 0};
    for (int e = 1; e <= ws.ingredient_count; e++) {
        const IngredientEntry& entry = ws.ingredients[e];
        const int group = ingredient_group(entry.category);
        const int expected = group == 0 ? 0 : group * 100 + last_of_group[group] + 1;
        if (entry.id != expected)
            property_failed("an identifier out of its group's sequence", std::to_string(entry.id));
        if (group != 0)
            last_of_group[group]++;
        if (group != 0 && last_of_group[group] > kGroupCapacity)
            property_failed("a group's identifiers ran into the next group", std::to_string(entry.id));
    }
}

static void walk_menus()
{
    const std::vector<MenuGroup> groups = ingredient_menu_groups();
    check_runs(groups, 1, ws.ingredient_count, "ingredient menu groups");
    for (const MenuGroup& g : groups) {
        if (g.menu < 0 || g.menu > 5)
            property_failed("an ingredient group in no menu range", std::to_string(g.menu));
        for (int e = g.first; e <= g.last; e++) {
            const IngredientEntry& entry = ws.ingredients[e];
            if (entry.group != ws.ingredients[g.first].group)
                property_failed("a run of different group labels", entry.group);
            const std::string label = ingredient_item_label(e);
            if (label != entry.quantity + " " + entry.designation + " " + entry.value + " ")
                property_failed("an item label that is not quantity, designation and value", label);
        }
    }
    const std::vector<MenuGroup> styles = style_menu_groups();
    check_runs(styles, 2, ws.style_count, "style menu groups");
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enter_private_folder();
    // The same bytes serve as each of the three files: every reader meets every input.
    for (const char* path : {"bases/ingredients.txt", "bases/configuration.txt", "bases/styles.txt"})
        write_input(path, data, size);
    reset_workspace();
    load_ingredients();
    load_configuration();
    load_styles();
    set_recipe_start_values();

    check_ingredients();
    if (ws.style_count < 1 || ws.style_count > kStyleCapacity || ws.styles[1].name != "Pas de Style")
        property_failed("the style database lost its built-in entry", std::to_string(ws.style_count));
    walk_menus();

    // The browser setting is cut into the words of the command that shows the report.
    const std::vector<std::string> words = split_arguments(ws.settings.browser);
    if (words.size() > ws.settings.browser.size() / 2 + 1)
        property_failed("more browser words than the setting can hold", ws.settings.browser);

    // Choosing every ingredient item once, as the menus would.
    for (int e = 1; e <= ws.ingredient_count && ws.line_count < kLineCapacity; e++)
        add_database_ingredient(ws.ingredients[e].id);
    if (ws.line_count > kLineCapacity)
        property_failed("line_count beyond the capacity", std::to_string(ws.line_count));
    return 0;
}

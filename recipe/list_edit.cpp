// recipe/list_edit.cpp — the recipe on screen as recipe/ changes it: adding a database ingredient, deleting
// and moving lines, starting a new recipe, merging and sorting, opening and saving.
#include "recipe/list_edit.h"

#include "core/workspace.h"
#include "recipe/formats/cvl.h"
#include "recipe/merge_sort.h"

#include <utility>

// True when the recipe already holds a water line for this brewing step.
static bool has_water_for_step(const std::string& step)
{
    for (int i = 1; i <= ws.line_count; i++)
        if (ws.lines[i].category == "EAU" && ws.lines[i].step == step)
            return true;
    return false;
}

void add_database_ingredient(int item)
{
    // Only ingredient item numbers name an entry: identifier 0 marks an unknown category, never an item.
    if (item < 100 || item > 599)
        return;
    const bool water_item = item <= 199;
    for (int e = 1; e <= ws.ingredient_count; e++) {
        const IngredientEntry& entry = ws.ingredients[e];
        if (entry.id != item)
            continue;
        // One water per step: a second mash or rinse water is refused without a word.
        if (water_item && has_water_for_step(entry.step))
            continue;
        add_recipe_line(recipe_line_of(entry));
    }
}

void delete_line(int k)
{
    // A number outside the list (a stale selection) deletes nothing rather than the wrong line.
    if (ws.line_count <= 0 || k < 1 || k > ws.line_count)
        return;
    for (int i = k; i < ws.line_count; i++)
        ws.lines[i] = ws.lines[i + 1];
    ws.line_count--;
}

void move_line_up(int k)
{
    if (k <= 1 || k > ws.line_count)
        return;
    std::swap(ws.lines[k], ws.lines[k - 1]);
}

void move_line_down(int k)
{
    if (k < 1 || k >= ws.line_count)
        return;
    std::swap(ws.lines[k], ws.lines[k + 1]);
}

void start_new_recipe()
{
    ws.selected_line = 0;
    ws.line_count = 0;
    ws.file_name = "";
    ws.file_base_name = "";
    ws.style = ws.styles[1];
    ws.style_display_mode = 0;
    ws.carbonation = "2.5 VOL";
    ws.title = "";
    ws.volume_forced = 0;
    // Left over, the old figure would be saved with the new recipe and force its volume when reopened.
    ws.forced_volume = 0;
    ws.plan = BrewingPlan();
}

void merge_lines()
{
    ws.line_count = merge_lines(&ws.lines[1], ws.line_count);
}

void sort_lines()
{
    sort_lines(&ws.lines[1], ws.line_count);
}

void merge_and_sort()
{
    if (ws.line_count == 0)
        return;
    const int32_t count_before = ws.line_count;
    ws.line_count = merge_and_sort(&ws.lines[1], ws.line_count);
    // A selection may name a slot the merge emptied.
    if (ws.line_count < count_before)
        ws.selected_line = 0;
}

bool same_ingredient(int a, int b)
{
    return a != b && same_ingredient(ws.lines[a], ws.lines[b]);
}

bool save_recipe(const std::string& path, std::string* why)
{
    const std::string name = cvl_path(path);
    if (!write_cvl_file(name, recipe_on_screen(), why))
        return false;
    ws.file_name = name;
    return true;
}

void put_file_recipe_on_screen(Recipe&& recipe, const std::string& path)
{
    ws.selected_line = 0;
    put_recipe_on_screen(std::move(recipe));
    ws.file_name = path;
}

bool load_recipe(const std::string& path, std::string* why)
{
    Recipe recipe = recipe_fields_on_screen();
    if (!read_cvl_file(path, recipe, why))
        return false;
    put_file_recipe_on_screen(std::move(recipe), path);
    return true;
}

void open_imported_recipe(const ImportedRecipe& imported)
{
    ws.selected_line = 0;
    ws.file_name = "";
    ws.file_base_name = "";
    ws.style_display_mode = 0;
    Recipe recipe = imported.recipe;
    for (RecipeLine& line : recipe.lines)
        line = stored_line(line);
    put_recipe_on_screen(std::move(recipe));
}

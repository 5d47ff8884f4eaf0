// core/workspace.cpp — the workspace, its start values, the one way a recipe line is appended, and the two
// conversions between the recipe on screen and a Recipe value.
#include "core/workspace.h"

#include "core/picture.h"
#include "core/text.h"

#include <algorithm>
#include <utility>

Workspace ws;

void reset_workspace()
{
    ws = Workspace();
}

void set_recipe_start_values()
{
    ws.file_name = "";
    ws.style = ws.styles[1];
    ws.carbonation = "2.5 VOL";
    ws.title = "";
}

// Copies the texts into `line` (reusing its memory), loads the picture and upper-cases the number texts.
static void store_line(const RecipeLine& from, RecipeLine& line)
{
    line.picture_pixbuf = picture_for(from.picture);
    line.picture = from.picture;
    line.category = from.category;
    line.designation = from.designation;
    line.quantity = upper_ascii(from.quantity);
    line.value = upper_ascii(from.value);
    line.yield = upper_ascii(from.yield);
    line.time = upper_ascii(from.time);
    line.step = from.step;
    line.price = upper_ascii(from.price);
}

RecipeLine stored_line(const RecipeLine& from)
{
    RecipeLine line;
    store_line(from, line);
    return line;
}

void add_recipe_line(const RecipeLine& from)
{
    if (ws.line_count >= kLineCapacity)
        return;
    ws.line_count++;
    store_line(from, ws.lines[ws.line_count]);
}

ReferenceData reference_data()
{
    return ReferenceData{ws.ingredients, ws.ingredient_count, ws.styles, ws.style_count};
}

Recipe recipe_on_screen()
{
    Recipe recipe = recipe_fields_on_screen();
    recipe.lines.assign(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
    return recipe;
}

Recipe recipe_fields_on_screen()
{
    Recipe recipe;
    recipe.style = ws.style;
    recipe.title = ws.title;
    recipe.carbonation = ws.carbonation;
    recipe.forced = ForcedVolume{ws.volume_forced == 1, ws.forced_volume};
    recipe.plan = ws.plan;
    return recipe;
}

// Everything put_recipe_on_screen sets but the lines.
static void put_fields_on_screen(const Recipe& recipe)
{
    ws.style = recipe.style;
    ws.title = recipe.title;
    ws.carbonation = recipe.carbonation;
    ws.forced_volume = recipe.forced.litres;
    ws.volume_forced = recipe.forced.on ? 1 : 0;
    ws.plan = recipe.plan;
    if (ws.selected_line > ws.line_count)
        ws.selected_line = 0;
}

void put_recipe_on_screen(const Recipe& recipe)
{
    ws.line_count = static_cast<int32_t>(std::min(recipe.lines.size(), static_cast<size_t>(kLineCapacity)));
    for (int32_t i = 0; i < ws.line_count; i++)
        ws.lines[i + 1] = recipe.lines[i];
    put_fields_on_screen(recipe);
}

void put_recipe_on_screen(Recipe&& recipe)
{
    ws.line_count = static_cast<int32_t>(std::min(recipe.lines.size(), static_cast<size_t>(kLineCapacity)));
    for (int32_t i = 0; i < ws.line_count; i++)
        ws.lines[i + 1] = std::move(recipe.lines[i]);
    put_fields_on_screen(recipe);
}

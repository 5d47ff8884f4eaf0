// core/workspace.cpp — the workspace, its start values, and the one way a recipe line is appended.
#include "core/workspace.h"

#include "core/picture.h"
#include "core/text.h"

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

void add_recipe_line(const RecipeLine& from)
{
    if (ws.line_count >= kLineCapacity)
        return;
    ws.line_count++;
    RecipeLine& line = ws.lines[ws.line_count];
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

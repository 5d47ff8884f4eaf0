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

void add_recipe_line(const std::string& picture, const std::string& category, const std::string& designation,
                     const std::string& quantity, const std::string& value, const std::string& yield,
                     const std::string& time, const std::string& step, const std::string& price)
{
    if (ws.line_count >= kLineCapacity)
        return;
    ws.line_count++;
    RecipeLine& line = ws.lines[ws.line_count];
    line.picture_pixbuf = picture_for(picture);
    line.picture = picture;
    line.category = category;
    line.designation = designation;
    line.quantity = upper_ascii(quantity);
    line.value = upper_ascii(value);
    line.yield = upper_ascii(yield);
    line.time = upper_ascii(time);
    line.step = step;
    line.price = upper_ascii(price);
}

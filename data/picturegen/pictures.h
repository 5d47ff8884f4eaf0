// data/picturegen/pictures.h — the three families of pictures: program commands, ingredients, style glasses.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

// The pictures the program itself names: toolbar buttons, function menu items and "style0".
const std::vector<std::string>& program_picture_names();

// Draws a program picture on the 32 × 32 grid; false when the name is not one of them.
bool draw_program_picture(cairo_t* cr, const std::string& name);

// Whether a drawing exists for an ingredient picture name.
bool is_ingredient_picture(const std::string& name);

// Draws an ingredient picture (the names the ingredient database may use); false for an unknown name.
bool draw_ingredient_picture(cairo_t* cr, const std::string& name);

// The glass shapes that tell the families of styles apart.
enum class GlassShape { Pils, Pint, Shaker, Stange, Mug, Weizen, Tulip, Chalice, Snifter, Tumbler };

// The glass a style family is served in; a pint for a family this table does not know.
GlassShape glass_for_family(const std::string& family);

// A glass of the given shape holding beer of the given "#RRGGBB" colour under its head.
void draw_style_glass(cairo_t* cr, GlassShape shape, const std::string& beer_colour);

// The same glass, empty: the picture of "no style".
void draw_empty_glass(cairo_t* cr, GlassShape shape);

// A pint holding three layers, pale to dark: the style menu's button.
void draw_layered_glass(cairo_t* cr);

// data/picturegen/paint.h — the shared look of every picture: palette, outlines and recurring shapes.
#pragma once

#include <cairo.h>

#include <string>

// Pictures are drawn on a 32 × 32 grid: big enough for the toolbar, still legible once scaled to 16 × 16.
constexpr int kPictureSize = 32;

struct Rgb {
    double r, g, b;
};

// "#RRGGBB" or "RRGGBB"; black when the text is not six hexadecimal digits.
Rgb rgb_of_hex(const std::string& hex);

// Darker towards black for factor < 1, lighter towards white for factor > 1 (2 gives white).
Rgb shade(Rgb colour, double factor);

void set_colour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// Fills the current path and strokes it with the darker outline every picture shares; clears the path.
void fill_outlined(cairo_t* cr, Rgb fill);

// The same with an explicit outline colour (glasses use a neutral grey instead of a darker fill).
void fill_outlined_with(cairo_t* cr, Rgb fill, Rgb outline);

// Strokes the current path with the shared outline width; clears the path.
void stroke_outline(cairo_t* cr, Rgb outline);

// A soft white stroke along the current path, the light falling from the upper left; clears the path.
void highlight(cairo_t* cr, double width = 1.4, double alpha = 0.6);

void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double radius);

// A cereal kernel with pointed ends, centred on (cx, cy), its long axis turned by angle radians.
void kernel_path(cairo_t* cr, double cx, double cy, double length, double width, double angle);

// A drop of liquid whose tip is at (cx, top) and whose round belly has the given radius.
void drop_path(cairo_t* cr, double cx, double top, double radius);

// A thick arrow pointing up (up = true) or down, centred on cx, spanning top to bottom.
void arrow_path(cairo_t* cr, double cx, double top, double bottom, bool up);

// A closed polygon from n (x, y) pairs.
void polygon_path(cairo_t* cr, const double* xy, int n);

extern const Rgb kOutlineGrey; // neutral outline of glass, paper and metal

// data/picturegen/paint.cpp — palette, outlines and recurring shapes shared by every picture.
#include "paint.h"

#include <cmath>
#include <cstdlib>

const Rgb kOutlineGrey = {0.27, 0.31, 0.36};

// Outlines are wide enough to survive the bilinear reduction to 16 × 16 of the menus.
static const double kOutlineWidth = 1.6;

Rgb rgb_of_hex(const std::string& hex)
{
    std::string digits = (!hex.empty() && hex[0] == '#') ? hex.substr(1) : hex;
    if (digits.size() != 6 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return {0, 0, 0};
    long value = std::strtol(digits.c_str(), nullptr, 16);
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

Rgb shade(Rgb colour, double factor)
{
    if (factor <= 1.0)
        return {colour.r * factor, colour.g * factor, colour.b * factor};
    double towards_white = factor - 1.0;
    return {colour.r + (1 - colour.r) * towards_white, colour.g + (1 - colour.g) * towards_white,
            colour.b + (1 - colour.b) * towards_white};
}

void set_colour(cairo_t* cr, Rgb colour, double alpha)
{
    cairo_set_source_rgba(cr, colour.r, colour.g, colour.b, alpha);
}

void stroke_outline(cairo_t* cr, Rgb outline)
{
    set_colour(cr, outline);
    cairo_set_line_width(cr, kOutlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void fill_outlined_with(cairo_t* cr, Rgb fill, Rgb outline)
{
    set_colour(cr, fill);
    cairo_fill_preserve(cr);
    stroke_outline(cr, outline);
}

void fill_outlined(cairo_t* cr, Rgb fill)
{
    // Pale fills would get a washed-out outline; they take the neutral grey instead.
    double lightness = (fill.r + fill.g + fill.b) / 3;
    fill_outlined_with(cr, fill, lightness > 0.85 ? kOutlineGrey : shade(fill, 0.45));
}

void highlight(cairo_t* cr, double width, double alpha)
{
    cairo_set_source_rgba(cr, 1, 1, 1, alpha);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void rounded_rectangle(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - radius, y + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x + radius, y + h - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x + radius, y + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void kernel_path(cairo_t* cr, double cx, double cy, double length, double width, double angle)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    double half = length / 2, belly = width * 0.68;
    cairo_move_to(cr, -half, 0);
    cairo_curve_to(cr, -half * 0.5, -belly, half * 0.5, -belly, half, 0);
    cairo_curve_to(cr, half * 0.5, belly, -half * 0.5, belly, -half, 0);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void drop_path(cairo_t* cr, double cx, double top, double radius)
{
    double centre = top + radius * 2.1;
    cairo_move_to(cr, cx, top);
    cairo_curve_to(cr, cx + radius * 0.35, top + radius * 0.9, cx + radius, centre - radius * 0.55,
                   cx + radius, centre);
    cairo_arc(cr, cx, centre, radius, 0, M_PI);
    cairo_curve_to(cr, cx - radius, centre - radius * 0.55, cx - radius * 0.35, top + radius * 0.9, cx, top);
    cairo_close_path(cr);
}

void arrow_path(cairo_t* cr, double cx, double top, double bottom, bool up)
{
    double head = (bottom - top) * 0.5, half_head = 11, half_shaft = 4.5;
    double tip = up ? top : bottom, base = up ? bottom : top, dir = up ? 1 : -1;
    double neck = tip + dir * head;
    cairo_move_to(cr, cx, tip);
    cairo_line_to(cr, cx + half_head, neck);
    cairo_line_to(cr, cx + half_shaft, neck);
    cairo_line_to(cr, cx + half_shaft, base);
    cairo_line_to(cr, cx - half_shaft, base);
    cairo_line_to(cr, cx - half_shaft, neck);
    cairo_line_to(cr, cx - half_head, neck);
    cairo_close_path(cr);
}

void polygon_path(cairo_t* cr, const double* xy, int n)
{
    cairo_move_to(cr, xy[0], xy[1]);
    for (int i = 1; i < n; ++i)
        cairo_line_to(cr, xy[2 * i], xy[2 * i + 1]);
    cairo_close_path(cr);
}

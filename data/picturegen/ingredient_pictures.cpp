// data/picturegen/ingredient_pictures.cpp — pictures of waters, grains, hops, sugars, additions and yeasts.
#include "paint.h"
#include "pictures.h"

#include <cmath>
#include <map>

static const Rgb kWater = {0.25, 0.58, 0.92};
static const Rgb kHopGreen = {0.45, 0.72, 0.22};
static const Rgb kSugarWhite = {0.99, 0.99, 0.99};
static const Rgb kYeastCream = {0.96, 0.88, 0.66};
static const Rgb kSteel = {0.76, 0.79, 0.82};

static void draw_water(cairo_t* cr)
{
    drop_path(cr, 16, 2, 10);
    fill_outlined(cr, kWater);
    cairo_arc(cr, 16, 23, 6.5, M_PI * 0.95, M_PI * 1.35);
    highlight(cr, 2, 0.75);
}

static void draw_rinse_water(cairo_t* cr)
{
    // The sparge arm: a pipe sprinkling three drops on the grain bed.
    rounded_rectangle(cr, 2, 3, 28, 6, 2);
    fill_outlined(cr, kSteel);
    const double drops[][3] = {{8, 11, 4}, {16, 14, 4.5}, {24, 11, 4}};
    for (const auto& d : drops) {
        drop_path(cr, d[0], d[1], d[2]);
        fill_outlined(cr, kWater);
    }
}

// Three kernels in a fan, the colour telling the malt apart from pale to roasted.
static void kernels(cairo_t* cr, Rgb colour)
{
    const double placed[][3] = {{10, 19, -1.2}, {22, 19, -1.95}, {16, 12, -1.57}};
    for (const auto& k : placed) {
        kernel_path(cr, k[0], k[1], 19, 10, k[2]);
        fill_outlined(cr, colour);
        // The crease along the kernel.
        cairo_save(cr);
        cairo_translate(cr, k[0], k[1]);
        cairo_rotate(cr, k[2]);
        cairo_move_to(cr, -6, 0);
        cairo_line_to(cr, 6, 0);
        cairo_restore(cr);
        set_colour(cr, shade(colour, 0.6));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
}

static void draw_pale_malt(cairo_t* cr)
{
    kernels(cr, {0.94, 0.80, 0.48});
}

static void draw_amber_malt(cairo_t* cr)
{
    kernels(cr, {0.83, 0.53, 0.20});
}

static void draw_caramel_malt(cairo_t* cr)
{
    kernels(cr, {0.56, 0.27, 0.09});
}

static void draw_roasted_malt(cairo_t* cr)
{
    kernels(cr, {0.20, 0.12, 0.08});
}

static void draw_wheat_ear(cairo_t* cr)
{
    const Rgb wheat = {0.93, 0.74, 0.35};
    cairo_move_to(cr, 16, 31);
    cairo_line_to(cr, 16, 4);
    set_colour(cr, shade(wheat, 0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        double y = 23 - i * 6.5;
        kernel_path(cr, 12, y, 10, 6.5, -2.2);
        fill_outlined(cr, wheat);
        kernel_path(cr, 20, y, 10, 6.5, -0.95);
        fill_outlined(cr, wheat);
    }
    kernel_path(cr, 16, 5.5, 9, 6, -M_PI / 2);
    fill_outlined(cr, wheat);
}

static void draw_smoked_malt(cairo_t* cr)
{
    const Rgb malt = {0.90, 0.72, 0.42};
    kernel_path(cr, 10, 25, 16, 9, -0.15);
    fill_outlined(cr, malt);
    kernel_path(cr, 22, 25, 16, 9, 0.15);
    fill_outlined(cr, malt);
    // Curls of smoke above the kernels.
    cairo_move_to(cr, 10, 19);
    cairo_curve_to(cr, 4, 15, 15, 11, 9, 4);
    cairo_move_to(cr, 20, 19);
    cairo_curve_to(cr, 14, 15, 25, 11, 19, 2);
    set_colour(cr, {0.42, 0.42, 0.45});
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

static void draw_raw_grain(cairo_t* cr)
{
    // A jute sack tied at the neck.
    const Rgb jute = {0.80, 0.66, 0.44};
    cairo_move_to(cr, 11, 9);
    cairo_curve_to(cr, 2, 13, 3, 29, 9, 29);
    cairo_line_to(cr, 23, 29);
    cairo_curve_to(cr, 29, 29, 30, 13, 21, 9);
    cairo_close_path(cr);
    fill_outlined(cr, jute);
    const double mouth[] = {10, 2, 22, 2, 20, 9, 12, 9};
    polygon_path(cr, mouth, 4);
    fill_outlined(cr, shade(jute, 0.9));
    cairo_rectangle(cr, 10, 8, 12, 2.5);
    fill_outlined(cr, {0.55, 0.30, 0.15});
    kernel_path(cr, 16, 20, 11, 6.5, -1.2);
    fill_outlined(cr, {0.96, 0.86, 0.55});
}

static void draw_flakes(cairo_t* cr)
{
    const Rgb flake = {0.97, 0.91, 0.74};
    const double placed[][4] = {{11, 11, 8.5, 6}, {22, 14, 8, 6.5}, {14, 23, 9, 6.5}};
    for (const auto& f : placed) {
        cairo_save(cr);
        cairo_translate(cr, f[0], f[1]);
        cairo_rotate(cr, f[0] * 0.2);
        cairo_scale(cr, f[2], f[3]);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        fill_outlined_with(cr, flake, shade(flake, 0.55));
    }
}

static void draw_hop_cone(cairo_t* cr)
{
    cairo_move_to(cr, 16, 5);
    cairo_curve_to(cr, 16, 3, 18, 1.5, 21, 1.5);
    set_colour(cr, shade(kHopGreen, 0.5));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Overlapping bracts, bottom row first so that the upper rows lie over it.
    const double rows[][3] = {{26.5, 1, 3.4}, {22, 2, 4.4}, {16.5, 3, 4.3}, {11, 2, 5.0}};
    for (const auto& row : rows) {
        int count = static_cast<int>(row[1]);
        double y = row[0], r = row[2];
        double start = 16 - (count - 1) * r * 0.85;
        for (int i = 0; i < count; ++i) {
            double x = start + i * r * 1.7;
            cairo_move_to(cr, x - r, y - r * 0.4);
            cairo_curve_to(cr, x - r, y + r * 0.6, x - r * 0.4, y + r * 1.2, x, y + r * 1.5);
            cairo_curve_to(cr, x + r * 0.4, y + r * 1.2, x + r, y + r * 0.6, x + r, y - r * 0.4);
            cairo_close_path(cr);
            fill_outlined(cr, i % 2 == 0 ? kHopGreen : shade(kHopGreen, 0.9));
        }
    }
    cairo_move_to(cr, 12, 7);
    cairo_curve_to(cr, 13.5, 4.5, 18.5, 4.5, 20, 7);
    cairo_curve_to(cr, 20, 10.5, 12, 10.5, 12, 7);
    cairo_close_path(cr);
    fill_outlined(cr, shade(kHopGreen, 1.15));
}

static void draw_hop_pellets(cairo_t* cr)
{
    const Rgb pellet = {0.40, 0.60, 0.25};
    const double placed[][2] = {{9, 22}, {21, 23}, {15, 12}, {24, 11}};
    for (const auto& p : placed) {
        double x = p[0], y = p[1];
        cairo_rectangle(cr, x - 5, y - 4, 10, 8);
        fill_outlined(cr, pellet);
        cairo_save(cr);
        cairo_translate(cr, x, y - 4);
        cairo_scale(cr, 5, 2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        fill_outlined(cr, shade(pellet, 1.3));
    }
}

// A cube seen from above and the left: top, left and right faces in three shades.
static void cube(cairo_t* cr, double x, double y, double size, Rgb colour)
{
    double h = size * 0.5;
    const double top[] = {x, y, x + size, y - h, x + 2 * size, y, x + size, y + h};
    const double left[] = {x, y, x + size, y + h, x + size, y + h + size, x, y + size};
    const double right[] = {x + size, y + h, x + 2 * size, y, x + 2 * size, y + size, x + size, y + h + size};
    polygon_path(cr, left, 4);
    fill_outlined(cr, shade(colour, 0.86));
    polygon_path(cr, right, 4);
    fill_outlined(cr, shade(colour, 0.74));
    polygon_path(cr, top, 4);
    fill_outlined(cr, colour);
}

static void draw_sugar(cairo_t* cr)
{
    cube(cr, 2, 20, 8, kSugarWhite);
    cube(cr, 14, 20, 8, kSugarWhite);
    cube(cr, 8, 10, 8, kSugarWhite);
}

static void draw_candy_sugar(cairo_t* cr)
{
    const Rgb amber = {0.88, 0.55, 0.15};
    const double big[] = {4, 18, 10, 7, 18, 10, 17, 24, 7, 28};
    polygon_path(cr, big, 5);
    fill_outlined(cr, amber);
    const double small[] = {17, 16, 24, 9, 30, 16, 28, 27, 18, 28};
    polygon_path(cr, small, 5);
    fill_outlined(cr, shade(amber, 0.8));
    cairo_move_to(cr, 8, 12);
    cairo_line_to(cr, 11, 10);
    highlight(cr, 1.8, 0.8);
}

static void draw_honey(cairo_t* cr)
{
    const Rgb honey = {0.95, 0.65, 0.10};
    rounded_rectangle(cr, 5, 10, 22, 19, 5);
    fill_outlined(cr, honey);
    rounded_rectangle(cr, 7, 5, 18, 6, 1.5);
    fill_outlined(cr, {0.72, 0.45, 0.22});
    // Honey running down from the lid.
    cairo_move_to(cr, 9, 11);
    cairo_curve_to(cr, 9, 15, 13, 15, 13, 12);
    cairo_curve_to(cr, 14, 17, 18, 17, 18, 11);
    set_colour(cr, shade(honey, 0.8));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 9, 19);
    cairo_line_to(cr, 9, 25);
    highlight(cr, 2, 0.6);
}

static void draw_dry_extract(cairo_t* cr)
{
    // A bowl heaped with powder.
    const Rgb powder = {0.98, 0.90, 0.68};
    cairo_move_to(cr, 4, 18);
    cairo_curve_to(cr, 8, 6, 24, 6, 28, 18);
    cairo_close_path(cr);
    fill_outlined(cr, powder);
    cairo_move_to(cr, 2, 17);
    cairo_line_to(cr, 30, 17);
    cairo_curve_to(cr, 29, 27, 22, 29, 16, 29);
    cairo_curve_to(cr, 10, 29, 3, 27, 2, 17);
    cairo_close_path(cr);
    fill_outlined(cr, {0.35, 0.55, 0.80});
}

static void draw_liquid_extract(cairo_t* cr)
{
    // A tin of malt syrup with its label band.
    rounded_rectangle(cr, 6, 6, 20, 23, 2);
    fill_outlined(cr, kSteel);
    cairo_rectangle(cr, 6, 12, 20, 11);
    fill_outlined(cr, {0.62, 0.30, 0.10});
    cairo_save(cr);
    cairo_translate(cr, 16, 6);
    cairo_scale(cr, 10, 2.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    fill_outlined(cr, shade(kSteel, 1.3));
    drop_path(cr, 16, 13, 3.2);
    fill_outlined(cr, {0.95, 0.70, 0.25});
}

static void draw_irish_moss(cairo_t* cr)
{
    // Branching seaweed fronds.
    const Rgb weed = {0.62, 0.20, 0.28};
    cairo_move_to(cr, 16, 30);
    cairo_line_to(cr, 16, 18);
    cairo_curve_to(cr, 16, 12, 9, 12, 8, 5);
    cairo_move_to(cr, 16, 18);
    cairo_curve_to(cr, 16, 12, 23, 12, 24, 5);
    cairo_move_to(cr, 16, 22);
    cairo_curve_to(cr, 10, 22, 5, 20, 3, 15);
    cairo_move_to(cr, 16, 22);
    cairo_curve_to(cr, 22, 22, 27, 20, 29, 15);
    cairo_move_to(cr, 16, 18);
    cairo_line_to(cr, 16, 4);
    set_colour(cr, shade(weed, 0.55));
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke_preserve(cr);
    set_colour(cr, weed);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
}

static void draw_other(cairo_t* cr)
{
    // A laboratory flask: additions and nutrients.
    const Rgb glass = {0.86, 0.91, 0.94};
    const double flask[] = {12, 3, 20, 3, 20, 12, 28, 28, 4, 28, 12, 12};
    polygon_path(cr, flask, 6);
    fill_outlined_with(cr, glass, kOutlineGrey);
    const double liquid[] = {8.6, 19, 23.4, 19, 27, 27.2, 5, 27.2};
    polygon_path(cr, liquid, 4);
    set_colour(cr, {0.45, 0.75, 0.35});
    cairo_fill(cr);
    polygon_path(cr, flask, 6);
    stroke_outline(cr, kOutlineGrey);
    cairo_rectangle(cr, 10.5, 2, 11, 3);
    fill_outlined_with(cr, glass, kOutlineGrey);
}

static void draw_spice(cairo_t* cr)
{
    // Star anise: eight pods around a centre.
    const Rgb pod = {0.60, 0.30, 0.12};
    for (int i = 0; i < 8; ++i) {
        double angle = i * M_PI / 4;
        kernel_path(cr, 16 + 8 * std::cos(angle), 16 + 8 * std::sin(angle), 14, 8, angle);
        fill_outlined(cr, pod);
    }
    for (int i = 0; i < 8; ++i) {
        double angle = i * M_PI / 4;
        cairo_new_sub_path(cr);
        cairo_arc(cr, 16 + 9 * std::cos(angle), 16 + 9 * std::sin(angle), 1.6, 0, 2 * M_PI);
    }
    set_colour(cr, {0.95, 0.80, 0.55});
    cairo_fill(cr);
    cairo_arc(cr, 16, 16, 3, 0, 2 * M_PI);
    fill_outlined(cr, shade(pod, 0.8));
}

static void draw_peel(cairo_t* cr)
{
    // A slice of orange.
    const Rgb rind = {0.97, 0.55, 0.08};
    cairo_arc(cr, 16, 16, 14, 0, 2 * M_PI);
    fill_outlined(cr, rind);
    cairo_arc(cr, 16, 16, 11, 0, 2 * M_PI);
    set_colour(cr, {1.0, 0.80, 0.35});
    cairo_fill(cr);
    for (int i = 0; i < 8; ++i) {
        double angle = i * M_PI / 4;
        cairo_move_to(cr, 16, 16);
        cairo_line_to(cr, 16 + 11 * std::cos(angle), 16 + 11 * std::sin(angle));
    }
    set_colour(cr, {1.0, 0.95, 0.85});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

static void draw_salt(cairo_t* cr)
{
    // A salt shaker.
    const Rgb glass = {0.86, 0.91, 0.94};
    cairo_move_to(cr, 9, 12);
    cairo_line_to(cr, 23, 12);
    cairo_line_to(cr, 25, 29);
    cairo_line_to(cr, 7, 29);
    cairo_close_path(cr);
    fill_outlined_with(cr, glass, kOutlineGrey);
    cairo_rectangle(cr, 8.5, 17, 15.5, 11.5);
    set_colour(cr, kSugarWhite);
    cairo_fill(cr);
    cairo_move_to(cr, 9, 12);
    cairo_line_to(cr, 23, 12);
    cairo_line_to(cr, 25, 29);
    cairo_line_to(cr, 7, 29);
    cairo_close_path(cr);
    stroke_outline(cr, kOutlineGrey);
    cairo_move_to(cr, 8, 12.5);
    cairo_curve_to(cr, 8, 2, 24, 2, 24, 12.5);
    cairo_close_path(cr);
    fill_outlined(cr, kSteel);
    const double holes[][2] = {{13, 7}, {16, 5.5}, {19, 7}};
    for (const auto& h : holes) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, h[0], h[1], 1, 0, 2 * M_PI);
    }
    set_colour(cr, kOutlineGrey);
    cairo_fill(cr);
}

static void draw_yeast(cairo_t* cr)
{
    // Budding yeast cells.
    const double cells[][3] = {{11, 19, 8}, {22, 13, 6.5}, {22, 25, 4.5}, {27, 6, 3}};
    for (const auto& c : cells) {
        cairo_arc(cr, c[0], c[1], c[2], 0, 2 * M_PI);
        fill_outlined(cr, kYeastCream);
        cairo_arc(cr, c[0] - c[2] * 0.2, c[1] + c[2] * 0.1, c[2] * 0.3, 0, 2 * M_PI);
        set_colour(cr, shade(kYeastCream, 0.7));
        cairo_fill(cr);
    }
}

static void draw_liquid_yeast(cairo_t* cr)
{
    // A vial of yeast slurry.
    rounded_rectangle(cr, 9, 7, 14, 23, 4);
    fill_outlined_with(cr, {0.86, 0.91, 0.94}, kOutlineGrey);
    rounded_rectangle(cr, 9.8, 17, 12.4, 12.2, 3.4);
    set_colour(cr, kYeastCream);
    cairo_fill(cr);
    rounded_rectangle(cr, 9, 7, 14, 23, 4);
    stroke_outline(cr, kOutlineGrey);
    rounded_rectangle(cr, 7.5, 2, 17, 6, 1.5);
    fill_outlined(cr, {0.85, 0.20, 0.20});
    cairo_move_to(cr, 12.5, 11);
    cairo_line_to(cr, 12.5, 15);
    highlight(cr, 1.8, 0.8);
}

static const std::map<std::string, void (*)(cairo_t*)>& ingredient_drawers()
{
    static const std::map<std::string, void (*)(cairo_t*)> drawers = {
        {"eau", draw_water},
        {"eaurincage", draw_rinse_water},
        {"malt1", draw_pale_malt},
        {"malt2", draw_amber_malt},
        {"malt3", draw_caramel_malt},
        {"malt4", draw_roasted_malt},
        {"maltfroment", draw_wheat_ear},
        {"maltfume", draw_smoked_malt},
        {"grain", draw_raw_grain},
        {"flocon", draw_flakes},
        {"houbloncone", draw_hop_cone},
        {"houblonpellet", draw_hop_pellets},
        {"sucre", draw_sugar},
        {"candi", draw_candy_sugar},
        {"miel", draw_honey},
        {"extraitpoudre", draw_dry_extract},
        {"extraitliquide", draw_liquid_extract},
        {"mousse", draw_irish_moss},
        {"autre", draw_other},
        {"epice", draw_spice},
        {"zeste", draw_peel},
        {"sel", draw_salt},
        {"levure", draw_yeast},
        {"levureliquide", draw_liquid_yeast},
    };
    return drawers;
}

bool is_ingredient_picture(const std::string& name)
{
    return ingredient_drawers().count(name) > 0;
}

bool draw_ingredient_picture(cairo_t* cr, const std::string& name)
{
    auto found = ingredient_drawers().find(name);
    if (found == ingredient_drawers().end())
        return false;
    found->second(cr);
    return true;
}

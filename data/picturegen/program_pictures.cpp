// data/picturegen/program_pictures.cpp — the toolbar buttons, the function menu items and "no style".
#include "paint.h"
#include "pictures.h"

#include <cmath>
#include <map>

static const Rgb kPaper = {0.98, 0.98, 0.96};
static const Rgb kBlue = {0.20, 0.45, 0.78};
static const Rgb kGreen = {0.30, 0.65, 0.20};
static const Rgb kRed = {0.86, 0.16, 0.12};
static const Rgb kGold = {0.96, 0.76, 0.18};
static const Rgb kDarkText = {0.25, 0.25, 0.28};

// A sheet of paper with its top right corner folded down.
static void paper_sheet(cairo_t* cr, double x, double y, double w, double h)
{
    const double fold = 7;
    const double xy[] = {x, y, x + w - fold, y, x + w, y + fold, x + w, y + h, x, y + h};
    polygon_path(cr, xy, 5);
    fill_outlined(cr, kPaper);
    const double corner[] = {x + w - fold, y, x + w - fold, y + fold, x + w, y + fold};
    polygon_path(cr, corner, 3);
    fill_outlined(cr, shade(kPaper, 0.85));
}

static void star_path(cairo_t* cr, double cx, double cy, double outer, double inner, int points)
{
    for (int i = 0; i < 2 * points; ++i) {
        double angle = -M_PI / 2 + i * M_PI / points;
        double radius = (i % 2 == 0) ? outer : inner;
        double x = cx + radius * std::cos(angle), y = cy + radius * std::sin(angle);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

static void text_lines(cairo_t* cr, double x, double y, double w, int count, double gap)
{
    for (int i = 0; i < count; ++i) {
        cairo_move_to(cr, x, y + i * gap);
        cairo_line_to(cr, x + (i == count - 1 ? w * 0.6 : w), y + i * gap);
    }
    set_colour(cr, shade(kPaper, 0.6));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

static void draw_new(cairo_t* cr)
{
    paper_sheet(cr, 7, 3, 19, 26);
    text_lines(cr, 11, 15, 11, 3, 4);
    star_path(cr, 9, 8, 7.5, 3.2, 5);
    fill_outlined(cr, kGold);
}

static void draw_open(cairo_t* cr)
{
    const Rgb folder = {0.93, 0.72, 0.30};
    const double back[] = {2, 7, 11, 7, 13.5, 10, 28, 10, 28, 27, 2, 27};
    polygon_path(cr, back, 6);
    fill_outlined(cr, shade(folder, 0.85));
    paper_sheet(cr, 7, 5, 16, 15);
    const double front[] = {2, 27, 6.5, 15, 31, 15, 27.5, 27};
    polygon_path(cr, front, 4);
    fill_outlined(cr, folder);
}

static void draw_save(cairo_t* cr)
{
    rounded_rectangle(cr, 3, 3, 26, 26, 2.5);
    fill_outlined(cr, kBlue);
    cairo_rectangle(cr, 9, 3.8, 14, 9);
    fill_outlined(cr, {0.80, 0.82, 0.85});
    cairo_rectangle(cr, 18, 5.5, 3, 5.5);
    set_colour(cr, kBlue);
    cairo_fill(cr);
    cairo_rectangle(cr, 7, 17, 18, 11);
    fill_outlined(cr, kPaper);
    text_lines(cr, 10, 21, 12, 2, 3.5);
}

static void draw_html(cairo_t* cr)
{
    const Rgb sea = {0.25, 0.55, 0.85};
    cairo_arc(cr, 16, 16, 13, 0, 2 * M_PI);
    fill_outlined(cr, sea);
    // Meridians and parallels of a globe: the report is a web page.
    cairo_save(cr);
    cairo_arc(cr, 16, 16, 13, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_scale(cr, 0.45, 1);
    cairo_arc(cr, 0, 0, 13, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_move_to(cr, 16, 2);
    cairo_line_to(cr, 16, 30);
    cairo_move_to(cr, 2, 16);
    cairo_line_to(cr, 30, 16);
    cairo_move_to(cr, 4, 9.5);
    cairo_line_to(cr, 28, 9.5);
    cairo_move_to(cr, 4, 22.5);
    cairo_line_to(cr, 28, 22.5);
    set_colour(cr, {1, 1, 1}, 0.85);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_arc(cr, 16, 16, 13, 0, 2 * M_PI);
    stroke_outline(cr, shade(sea, 0.45));
}

static void draw_gear(cairo_t* cr)
{
    const Rgb steel = {0.62, 0.66, 0.70};
    const int teeth = 8;
    for (int i = 0; i < 4 * teeth; ++i) {
        double angle = i * M_PI / (2 * teeth) - M_PI / (4 * teeth);
        double radius = (i % 4 == 1 || i % 4 == 2) ? 14 : 10.5;
        double x = 16 + radius * std::cos(angle), y = 16 + radius * std::sin(angle);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 16, 16, 4.5, 0, 2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    fill_outlined(cr, steel);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_arc(cr, 16, 16, 8, M_PI * 1.05, M_PI * 1.45);
    highlight(cr, 1.5, 0.7);
}

static void draw_pencil(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_rotate(cr, -M_PI / 4);
    cairo_rectangle(cr, -8, -4.5, 18, 9);
    fill_outlined(cr, {0.98, 0.78, 0.20});
    cairo_move_to(cr, -8, 0);
    cairo_line_to(cr, 10, 0);
    set_colour(cr, {0.85, 0.60, 0.10});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    rounded_rectangle(cr, 10, -4.5, 5, 9, 1.5);
    fill_outlined(cr, {0.93, 0.50, 0.55});
    const double wood[] = {-8, -4.5, -15, 0, -8, 4.5};
    polygon_path(cr, wood, 3);
    fill_outlined(cr, {0.95, 0.82, 0.62});
    const double lead[] = {-12.2, -1.8, -15, 0, -12.2, 1.8};
    polygon_path(cr, lead, 3);
    set_colour(cr, kDarkText);
    cairo_fill(cr);
    cairo_restore(cr);
}

static void draw_up(cairo_t* cr)
{
    arrow_path(cr, 16, 3, 29, true);
    fill_outlined(cr, kGreen);
}

static void draw_down(cairo_t* cr)
{
    arrow_path(cr, 16, 3, 29, false);
    fill_outlined(cr, kGreen);
}

static void draw_delete(cairo_t* cr)
{
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    for (int i = 0; i < 2; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, M_PI / 4 + i * M_PI / 2);
        rounded_rectangle(cr, -13, -3.8, 26, 7.6, 2);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    fill_outlined(cr, kRed);
    // Repaint the crossing without its inner outline lines.
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    for (int i = 0; i < 2; ++i) {
        cairo_save(cr);
        cairo_rotate(cr, M_PI / 4 + i * M_PI / 2);
        cairo_rectangle(cr, -5.5, -3, 11, 6);
        cairo_restore(cr);
    }
    cairo_restore(cr);
    set_colour(cr, kRed);
    cairo_fill(cr);
}

static void draw_sort(cairo_t* cr)
{
    const Rgb bar = {0.82, 0.55, 0.25};
    for (int i = 0; i < 4; ++i) {
        rounded_rectangle(cr, 2.5, 3.5 + i * 6.8, 6 + i * 3.5, 4.8, 1);
        fill_outlined(cr, shade(bar, 1.0 - i * 0.13));
    }
    cairo_save(cr);
    cairo_translate(cr, 24.5, 0);
    cairo_scale(cr, 0.58, 1);
    arrow_path(cr, 0, 3, 29, false);
    cairo_restore(cr);
    fill_outlined(cr, kBlue);
}

static void draw_volume(cairo_t* cr)
{
    // A measuring jug: graduations on the glass and beer up to the mark.
    const Rgb glass = {0.86, 0.91, 0.94};
    const double jug[] = {6, 4, 24, 4, 24, 29, 6, 29};
    polygon_path(cr, jug, 4);
    fill_outlined_with(cr, glass, kOutlineGrey);
    cairo_rectangle(cr, 6.8, 12, 16.4, 16.2);
    set_colour(cr, {0.97, 0.65, 0.0});
    cairo_fill(cr);
    for (int i = 0; i < 5; ++i) {
        double y = 8 + i * 4.5;
        cairo_move_to(cr, 6, y);
        cairo_line_to(cr, i % 2 == 0 ? 14 : 11, y);
    }
    set_colour(cr, kOutlineGrey);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_move_to(cr, 24, 8);
    cairo_curve_to(cr, 31, 8, 31, 22, 24, 22);
    set_colour(cr, kOutlineGrey);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    const double spout[] = {3, 2, 8, 4, 6, 7};
    polygon_path(cr, spout, 3);
    fill_outlined_with(cr, glass, kOutlineGrey);
    polygon_path(cr, jug, 4);
    stroke_outline(cr, kOutlineGrey);
}

static void draw_carbonation(cairo_t* cr)
{
    const Rgb bottle = {0.50, 0.28, 0.10};
    cairo_move_to(cr, 11, 3);
    cairo_line_to(cr, 16, 3);
    cairo_line_to(cr, 16, 10);
    cairo_curve_to(cr, 16, 12, 20, 13, 20, 16);
    cairo_line_to(cr, 20, 29);
    cairo_line_to(cr, 7, 29);
    cairo_line_to(cr, 7, 16);
    cairo_curve_to(cr, 7, 13, 11, 12, 11, 10);
    cairo_close_path(cr);
    fill_outlined(cr, bottle);
    cairo_rectangle(cr, 7.5, 18, 12, 7);
    fill_outlined(cr, {0.96, 0.90, 0.70});
    rounded_rectangle(cr, 10, 1.5, 7, 3.5, 1);
    fill_outlined(cr, kGold);
    // Bubbles rising beside the bottle.
    const double bubbles[][3] = {{26, 25, 3}, {24, 16.5, 2.5}, {27.5, 9, 2.2}, {24.5, 3.5, 1.8}};
    for (const auto& b : bubbles) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, b[0], b[1], b[2], 0, 2 * M_PI);
        fill_outlined_with(cr, {0.85, 0.93, 1.0}, kBlue);
    }
}

static void draw_price(cairo_t* cr)
{
    cairo_arc(cr, 16, 16, 13.5, 0, 2 * M_PI);
    fill_outlined(cr, kGold);
    cairo_arc(cr, 16, 16, 10.5, 0, 2 * M_PI);
    set_colour(cr, shade(kGold, 0.7));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The euro sign: an open C crossed by two bars that stick out on the left.
    const Rgb ink = shade(kGold, 0.35);
    cairo_arc(cr, 17.5, 16, 6.2, M_PI * 0.3, M_PI * 1.7);
    set_colour(cr, ink);
    cairo_set_line_width(cr, 2.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
    cairo_rectangle(cr, 7.5, 12.6, 10, 2.2);
    cairo_rectangle(cr, 7.5, 17.2, 9, 2.2);
    set_colour(cr, ink);
    cairo_fill(cr);
}

static void draw_title(cairo_t* cr)
{
    paper_sheet(cr, 5, 3, 22, 26);
    // A bold "T" heading the page.
    cairo_rectangle(cr, 9, 7, 14, 4);
    cairo_rectangle(cr, 14, 7, 4, 14);
    set_colour(cr, kBlue);
    cairo_fill(cr);
    text_lines(cr, 9, 24.5, 14, 1, 0);
}

static void draw_help(cairo_t* cr)
{
    cairo_arc(cr, 16, 16, 13.5, 0, 2 * M_PI);
    fill_outlined(cr, kBlue);
    cairo_arc(cr, 16, 12, 5, M_PI * 1.05, M_PI * 2.35);
    cairo_line_to(cr, 16, 19.5);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 3.2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
    cairo_arc(cr, 16, 24.2, 2.1, 0, 2 * M_PI);
    cairo_fill(cr);
}

// A sheet whose rows split into coloured parts: each line's share of the estimates.
static void draw_detail(cairo_t* cr)
{
    paper_sheet(cr, 4, 3, 24, 26);
    const Rgb amber = {0.80, 0.45, 0.10};
    const struct {
        double y, first, second;
    } rows[] = {{8, 9, 6}, {14, 5, 10}, {20, 11, 4}};
    for (const auto& row : rows) {
        cairo_rectangle(cr, 7, row.y, row.first, 3.6);
        set_colour(cr, kGold);
        cairo_fill(cr);
        cairo_rectangle(cr, 7 + row.first, row.y, row.second, 3.6);
        set_colour(cr, amber);
        cairo_fill(cr);
        cairo_rectangle(cr, 7 + row.first + row.second, row.y, 18 - row.first - row.second, 3.6);
        set_colour(cr, kGreen);
        cairo_fill(cr);
    }
    // The total under the rows.
    cairo_move_to(cr, 7, 26);
    cairo_line_to(cr, 25, 26);
    set_colour(cr, kDarkText);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
}

// A page of markup ("< >" on it) with a green arrow leaving it: the recipe sent out as a BeerXML file.
static void draw_export(cairo_t* cr)
{
    paper_sheet(cr, 3, 3, 19, 26);
    cairo_move_to(cr, 11, 8);
    cairo_line_to(cr, 7, 11.5);
    cairo_line_to(cr, 11, 15);
    cairo_move_to(cr, 14, 8);
    cairo_line_to(cr, 18, 11.5);
    cairo_line_to(cr, 14, 15);
    set_colour(cr, kBlue);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    text_lines(cr, 7, 20, 11, 1, 0);
    const double arrow[] = {12, 19, 21, 19, 21, 14.5, 30, 22, 21, 29.5, 21, 25, 12, 25};
    polygon_path(cr, arrow, 7);
    fill_outlined(cr, kGreen);
}

// A small measuring jug, a green arrow, a big one: the same beer at another volume.
static void draw_scale(cairo_t* cr)
{
    const Rgb glass = {0.86, 0.91, 0.94};
    const Rgb beer = {0.97, 0.65, 0.0};
    const double jugs[][4] = {{2, 19, 9, 10}, {15, 6, 15, 23}}; // x, top, width, height
    for (const auto& j : jugs) {
        cairo_rectangle(cr, j[0], j[1], j[2], j[3]);
        fill_outlined_with(cr, glass, kOutlineGrey);
        cairo_rectangle(cr, j[0] + 0.8, j[1] + j[3] * 0.3, j[2] - 1.6, j[3] * 0.7 - 0.8);
        set_colour(cr, beer);
        cairo_fill(cr);
        cairo_rectangle(cr, j[0], j[1], j[2], j[3]);
        stroke_outline(cr, kOutlineGrey);
    }
    // The arrow climbs from the small jug's rim to the big one's.
    cairo_move_to(cr, 5, 16);
    cairo_curve_to(cr, 5, 7, 9, 4, 15.5, 4);
    set_colour(cr, kGreen);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    const double head[] = {14, 0.8, 20, 4, 14, 7.2};
    polygon_path(cr, head, 3);
    fill_outlined(cr, kGreen);
}

// A target with a dart in its centre: the figures the brewer aims at.
static void draw_target(cairo_t* cr)
{
    const double radii[] = {13.5, 10, 6.5, 3};
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, 15, 17, radii[i], 0, 2 * M_PI);
        fill_outlined(cr, i % 2 == 0 ? kRed : kPaper);
    }
    cairo_move_to(cr, 15, 17);
    cairo_line_to(cr, 27, 5);
    set_colour(cr, kDarkText);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    const double feathers[] = {25, 3, 31, 1, 29, 7};
    polygon_path(cr, feathers, 3);
    fill_outlined(cr, kBlue);
}

static void draw_no_style(cairo_t* cr)
{
    draw_empty_glass(cr, GlassShape::Pint);
}

static const std::map<std::string, void (*)(cairo_t*)>& program_drawers()
{
    static const std::map<std::string, void (*)(cairo_t*)> drawers = {
        {"nouveau", draw_new},
        {"ouvrir", draw_open},
        {"enregistrer", draw_save},
        {"html", draw_html},
        {"style", draw_layered_glass},
        {"eau", nullptr}, // shared with the ingredient pictures
        {"malt1", nullptr},
        {"houbloncone", nullptr},
        {"sucre", nullptr},
        {"levure", nullptr},
        {"fonction", draw_gear},
        {"modifier", draw_pencil},
        {"monter", draw_up},
        {"descendre", draw_down},
        {"supprimer", draw_delete},
        {"trier", draw_sort},
        {"volume", draw_volume},
        {"carbonatation", draw_carbonation},
        {"prix", draw_price},
        {"titre", draw_title},
        {"aide", draw_help},
        {"detail", draw_detail},
        {"exporter", draw_export},
        {"echelle", draw_scale},
        {"cible", draw_target},
        {"style0", draw_no_style},
    };
    return drawers;
}

const std::vector<std::string>& program_picture_names()
{
    static std::vector<std::string> names;
    if (names.empty())
        for (const auto& drawer : program_drawers())
            names.push_back(drawer.first);
    return names;
}

bool draw_program_picture(cairo_t* cr, const std::string& name)
{
    auto found = program_drawers().find(name);
    if (found == program_drawers().end())
        return false;
    if (!found->second)
        return draw_ingredient_picture(cr, name);
    found->second(cr);
    return true;
}

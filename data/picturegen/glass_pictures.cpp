// data/picturegen/glass_pictures.cpp — style pictures: the family's glass filled with the style's colour.
#include "paint.h"
#include "pictures.h"

#include <cmath>
#include <map>

static const Rgb kGlass = {0.86, 0.91, 0.94};
static const Rgb kWhiteHead = {0.99, 0.98, 0.93};
static const Rgb kTanHead = {0.91, 0.82, 0.64};

// One glass: the inside of its bowl, the level of the rim and of the beer under the head, and the parts
// (stem, foot, handle) drawn in glass around it.
struct Glass {
    void (*bowl)(cairo_t*);
    double rim;
    double beer;
    void (*parts)(cairo_t*);
};

static void no_parts(cairo_t*) {}

static void pils_bowl(cairo_t* cr)
{
    const double xy[] = {9, 2.5, 23, 2.5, 19.5, 25, 12.5, 25};
    polygon_path(cr, xy, 4);
}

static void pils_parts(cairo_t* cr)
{
    rounded_rectangle(cr, 11, 24.5, 10, 5, 1.5);
}

static void pint_bowl(cairo_t* cr)
{
    cairo_move_to(cr, 8, 2.5);
    cairo_line_to(cr, 24, 2.5);
    cairo_curve_to(cr, 25.2, 5, 25.2, 8, 24, 9.5);
    cairo_line_to(cr, 21.5, 29);
    cairo_line_to(cr, 10.5, 29);
    cairo_line_to(cr, 8, 9.5);
    cairo_curve_to(cr, 6.8, 8, 6.8, 5, 8, 2.5);
    cairo_close_path(cr);
}

static void shaker_bowl(cairo_t* cr)
{
    const double xy[] = {7.5, 2.5, 24.5, 2.5, 21.5, 29, 10.5, 29};
    polygon_path(cr, xy, 4);
}

static void stange_bowl(cairo_t* cr)
{
    rounded_rectangle(cr, 10.5, 2.5, 11, 26.5, 1);
}

static void mug_bowl(cairo_t* cr)
{
    rounded_rectangle(cr, 5, 5, 17, 24, 2);
}

static void mug_parts(cairo_t* cr)
{
    // The handle, a thick ring on the right; the hole is cut with the even-odd rule.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    rounded_rectangle(cr, 17, 9, 12, 15, 5);
    rounded_rectangle(cr, 21, 12.5, 5, 8, 2.5);
}

static void weizen_bowl(cairo_t* cr)
{
    cairo_move_to(cr, 10.5, 1.5);
    cairo_line_to(cr, 21.5, 1.5);
    cairo_curve_to(cr, 24.5, 8, 23.5, 13, 19.5, 20);
    cairo_curve_to(cr, 18.5, 22, 19.5, 25, 20, 27);
    cairo_line_to(cr, 12, 27);
    cairo_curve_to(cr, 12.5, 25, 13.5, 22, 12.5, 20);
    cairo_curve_to(cr, 8.5, 13, 7.5, 8, 10.5, 1.5);
    cairo_close_path(cr);
}

static void weizen_parts(cairo_t* cr)
{
    rounded_rectangle(cr, 10.5, 26.5, 11, 3.5, 1.5);
}

static void tulip_bowl(cairo_t* cr)
{
    cairo_move_to(cr, 8.5, 2.5);
    cairo_line_to(cr, 23.5, 2.5);
    cairo_curve_to(cr, 22, 5.5, 22, 6.5, 24, 9.5);
    cairo_curve_to(cr, 27, 15, 22, 20, 18, 20.5);
    cairo_line_to(cr, 14, 20.5);
    cairo_curve_to(cr, 10, 20, 5, 15, 8, 9.5);
    cairo_curve_to(cr, 10, 6.5, 10, 5.5, 8.5, 2.5);
    cairo_close_path(cr);
}

static void stem_and_foot(cairo_t* cr, double stem_top, double foot_top, double stem_half, double foot_half)
{
    cairo_rectangle(cr, 16 - stem_half, stem_top, 2 * stem_half, foot_top - stem_top + 1);
    cairo_save(cr);
    cairo_translate(cr, 16, foot_top + 1.8);
    cairo_scale(cr, foot_half, 1.8);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

static void tulip_parts(cairo_t* cr)
{
    stem_and_foot(cr, 20, 26, 1.5, 7);
}

static void chalice_bowl(cairo_t* cr)
{
    cairo_move_to(cr, 5, 4);
    cairo_line_to(cr, 27, 4);
    cairo_curve_to(cr, 27, 13, 23, 18, 16, 18);
    cairo_curve_to(cr, 9, 18, 5, 13, 5, 4);
    cairo_close_path(cr);
}

static void chalice_parts(cairo_t* cr)
{
    stem_and_foot(cr, 17.5, 25.5, 2, 8);
}

static void snifter_bowl(cairo_t* cr)
{
    cairo_move_to(cr, 10.5, 4);
    cairo_line_to(cr, 21.5, 4);
    cairo_curve_to(cr, 27, 9, 28, 15, 24.5, 19.5);
    cairo_curve_to(cr, 21, 23.5, 11, 23.5, 7.5, 19.5);
    cairo_curve_to(cr, 4, 15, 5, 9, 10.5, 4);
    cairo_close_path(cr);
}

static void snifter_parts(cairo_t* cr)
{
    stem_and_foot(cr, 22, 26, 1.5, 7);
}

static void tumbler_bowl(cairo_t* cr)
{
    const double xy[] = {6.5, 8, 25.5, 8, 23.5, 29, 8.5, 29};
    polygon_path(cr, xy, 4);
}

static Glass glass_of(GlassShape shape)
{
    switch (shape) {
    case GlassShape::Pils:
        return {pils_bowl, 2.5, 8, pils_parts};
    case GlassShape::Shaker:
        return {shaker_bowl, 2.5, 7.5, no_parts};
    case GlassShape::Stange:
        return {stange_bowl, 2.5, 8, no_parts};
    case GlassShape::Mug:
        return {mug_bowl, 5, 10, mug_parts};
    case GlassShape::Weizen:
        return {weizen_bowl, 1.5, 8, weizen_parts};
    case GlassShape::Tulip:
        return {tulip_bowl, 2.5, 8, tulip_parts};
    case GlassShape::Chalice:
        return {chalice_bowl, 4, 7.5, chalice_parts};
    case GlassShape::Snifter:
        return {snifter_bowl, 4, 8, snifter_parts};
    case GlassShape::Tumbler:
        return {tumbler_bowl, 8, 11, no_parts};
    case GlassShape::Pint:
        break;
    }
    return {pint_bowl, 2.5, 8, no_parts};
}

GlassShape glass_for_family(const std::string& family)
{
    static const std::map<std::string, GlassShape> kFamilies = {
        {"Lagers pâles", GlassShape::Pils},
        {"Lagers ambrées et brunes", GlassShape::Mug},
        {"Bocks et lagers fortes", GlassShape::Snifter},
        {"Bières de blé", GlassShape::Weizen},
        {"Bières hybrides", GlassShape::Stange},
        {"Bières anglaises", GlassShape::Pint},
        {"Bières écossaises et irlandaises", GlassShape::Pint},
        {"Stouts", GlassShape::Pint},
        {"Bières fortes et barley wines", GlassShape::Snifter},
        {"Bières américaines", GlassShape::Shaker},
        {"IPA", GlassShape::Tulip},
        {"Bières acides", GlassShape::Tumbler},
        {"Bières belges et françaises", GlassShape::Tulip},
        {"Bières d'abbaye et trappistes", GlassShape::Chalice},
        {"Bières historiques", GlassShape::Mug},
    };
    auto found = kFamilies.find(family);
    return found == kFamilies.end() ? GlassShape::Pint : found->second;
}

// The liquid is painted in horizontal bands clipped to the bowl: each band runs from its top level down.
struct Band {
    double top;
    Rgb colour;
};

static void draw_glass(cairo_t* cr, const Glass& glass, const Band* bands, int band_count)
{
    glass.parts(cr);
    fill_outlined_with(cr, kGlass, kOutlineGrey);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    glass.bowl(cr);
    set_colour(cr, kGlass, 0.55);
    cairo_fill(cr);

    cairo_save(cr);
    glass.bowl(cr);
    cairo_clip(cr);
    for (int i = 0; i < band_count; ++i) {
        set_colour(cr, bands[i].colour);
        cairo_rectangle(cr, 0, bands[i].top, kPictureSize, kPictureSize);
        cairo_fill(cr);
    }
    // Light catches the left side of the glass; a darker right side gives the liquid some depth.
    cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
    cairo_rectangle(cr, 20.5, glass.beer, 12, kPictureSize);
    cairo_fill(cr);
    cairo_move_to(cr, 11.5, glass.rim + 3);
    cairo_line_to(cr, 11.5, glass.rim + 12);
    highlight(cr, 1.6, 0.55);
    cairo_restore(cr);

    glass.bowl(cr);
    stroke_outline(cr, kOutlineGrey);
}

void draw_style_glass(cairo_t* cr, GlassShape shape, const std::string& beer_colour)
{
    Glass glass = glass_of(shape);
    Rgb beer = rgb_of_hex(beer_colour);
    double lightness = 0.3 * beer.r + 0.55 * beer.g + 0.15 * beer.b;
    // Dark beers carry a tan head, pale ones a white one.
    Band bands[] = {{glass.rim, lightness < 0.35 ? kTanHead : kWhiteHead}, {glass.beer, beer}};
    draw_glass(cr, glass, bands, 2);
}

void draw_empty_glass(cairo_t* cr, GlassShape shape)
{
    draw_glass(cr, glass_of(shape), nullptr, 0);
}

void draw_layered_glass(cairo_t* cr)
{
    Glass glass = glass_of(GlassShape::Pint);
    Band bands[] = {{glass.rim, kWhiteHead},
                    {glass.beer, rgb_of_hex("#F8A600")},
                    {15, rgb_of_hex("#B04500")},
                    {22, rgb_of_hex("#4C0505")}};
    draw_glass(cr, glass, bands, 4);
}

// data/picturegen/desktop_icons.cpp — the application's icon and the recipe files' icon, at the desktop's
// sizes.
#include "desktop_icons.h"

#include "paint.h"
#include "pictures.h"

#include <glib.h>

static const Rgb kPaper = {0.98, 0.98, 0.96};
static const char kAmber[] = "#C8781E";

// A tulip glass of amber beer with a hop cone leaning on its foot, on the 32 × 32 grid.
static void draw_application_icon(cairo_t* cr)
{
    draw_style_glass(cr, GlassShape::Tulip, kAmber);
    cairo_save(cr);
    cairo_translate(cr, 15.5, 15);
    cairo_scale(cr, 0.5, 0.5);
    draw_ingredient_picture(cr, "houbloncone");
    cairo_restore(cr);
}

// A sheet with its corner folded and the small glass of the application on it.
static void draw_recipe_file_icon(cairo_t* cr)
{
    const double fold = 8;
    const double sheet[] = {5, 2, 27 - fold, 2, 27, 2 + fold, 27, 30, 5, 30};
    polygon_path(cr, sheet, 5);
    fill_outlined(cr, kPaper);
    const double corner[] = {27 - fold, 2, 27 - fold, 2 + fold, 27, 2 + fold};
    polygon_path(cr, corner, 3);
    fill_outlined(cr, shade(kPaper, 0.85));
    cairo_save(cr);
    cairo_translate(cr, 8, 9);
    cairo_scale(cr, 0.62, 0.62);
    draw_style_glass(cr, GlassShape::Tulip, kAmber);
    cairo_restore(cr);
}

bool write_desktop_icons(const std::string& folder, const IconWriter& write)
{
    static const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
    for (int size : kSizes) {
        const std::string sized = folder + "/" + std::to_string(size) + "x" + std::to_string(size);
        for (const char* context : {"/apps", "/mimetypes"})
            if (g_mkdir_with_parents((sized + context).c_str(), 0755) != 0)
                return false;
        if (!write(sized + "/apps/cuvelo.png", size, draw_application_icon) ||
            !write(sized + "/mimetypes/application-x-cuvelo.png", size, draw_recipe_file_icon))
            return false;
    }
    return true;
}

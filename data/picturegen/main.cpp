// data/picturegen/main.cpp — draws every picture the program and the bundled databases name, as PNG files.
//
// Run from the folder that holds bases/ (the databases are read with the program's own readers):
//     cuvelo-pictures OUTPUT_FOLDER
// and, for the desktop's icon theme (no databases needed):
//     cuvelo-pictures --icons HICOLOR_FOLDER
// A picture name that no drawing knows stops the run with an error, so the build never ships a database
// that names a missing picture.
#include "desktop_icons.h"
#include "paint.h"
#include "pictures.h"

#include "calc/format.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/ingredients.h"
#include "refdata/styles.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

using Drawing = std::function<void(cairo_t*)>;

// Saves the drawing as a PNG without compression: a few kilobytes more per picture, but the program decodes
// every picture at start-up, and inflating is most of that work.
static bool save_uncompressed_png(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height);
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int rowstride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            // Cairo keeps premultiplied ARGB in native-endian words; PNG wants straight RGBA bytes.
            uint32_t argb;
            std::memcpy(&argb, data + y * stride + x * 4, 4);
            const unsigned alpha = argb >> 24;
            guchar* out = pixels + y * rowstride + x * 4;
            for (int channel = 0; channel < 3; channel++) {
                const unsigned premultiplied = (argb >> (16 - 8 * channel)) & 0xFF;
                out[channel] = alpha ? static_cast<guchar>((premultiplied * 255 + alpha / 2) / alpha) : 0;
            }
            out[3] = static_cast<guchar>(alpha);
        }
    }
    const bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", nullptr, "compression", "0", nullptr);
    g_object_unref(pixbuf);
    return saved;
}

static bool write_picture(const std::string& path, const Drawing& draw)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kPictureSize, kPictureSize);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    bool written = save_uncompressed_png(surface, path);
    cairo_surface_destroy(surface);
    return written;
}

// The colour of a style's glass: the scale's colour at the middle of its colour range.
static std::string style_colour(const StyleEntry& style)
{
    double middle = (text_to_number(style.ebc_min) + text_to_number(style.ebc_max)) / 2;
    return ebc_to_colour(static_cast<int>(std::floor(middle + 0.5)));
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--icons") == 0) {
        // Icons are read once by the desktop, so they are saved compressed.
        auto write = [](const std::string& path, int size, void (*draw)(cairo_t*)) {
            cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
            cairo_t* cr = cairo_create(surface);
            cairo_scale(cr, size / double(kPictureSize), size / double(kPictureSize));
            draw(cr);
            cairo_destroy(cr);
            const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
            cairo_surface_destroy(surface);
            return written;
        };
        if (write_desktop_icons(argv[2], write))
            return 0;
        std::fprintf(stderr, "cannot write the icons into %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: %s OUTPUT_FOLDER (run from the folder that holds bases/)\n"
                     "       %s --icons HICOLOR_FOLDER\n",
                     argv[0], argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    load_ingredients();
    load_styles();

    std::map<std::string, Drawing> drawings;
    for (const std::string& name : program_picture_names())
        drawings[name] = [name](cairo_t* cr) { draw_program_picture(cr, name); };

    bool known = true;
    for (int i = 1; i <= ws.ingredient_count; ++i) {
        const std::string& name = ws.ingredients[i].picture;
        if (drawings.count(name))
            continue;
        if (!is_ingredient_picture(name)) {
            std::fprintf(stderr, "ingredients.txt: no drawing for the picture \"%s\" of \"%s\"\n",
                         name.c_str(), ws.ingredients[i].designation.c_str());
            known = false;
            continue;
        }
        drawings[name] = [name](cairo_t* cr) { draw_ingredient_picture(cr, name); };
    }

    std::map<std::string, std::string> style_of_picture;
    for (int i = 2; i <= ws.style_count; ++i) {
        const StyleEntry& style = ws.styles[i];
        if (style.picture.empty())
            continue;
        if (drawings.count(style.picture) && !style_of_picture.count(style.picture)) {
            std::fprintf(stderr, "styles.txt: \"%s\" uses the program's picture \"%s\"\n", style.name.c_str(),
                         style.picture.c_str());
            known = false;
            continue;
        }
        if (style_of_picture.count(style.picture)) {
            std::fprintf(stderr, "styles.txt: \"%s\" and \"%s\" share the picture \"%s\"\n",
                         style.name.c_str(), style_of_picture[style.picture].c_str(), style.picture.c_str());
            known = false;
            continue;
        }
        style_of_picture[style.picture] = style.name;
        GlassShape shape = glass_for_family(style.category);
        std::string colour = style_colour(style);
        drawings[style.picture] = [shape, colour](cairo_t* cr) { draw_style_glass(cr, shape, colour); };
    }
    if (!known)
        return 1;

    for (const auto& picture : drawings) {
        std::string path = folder + "/" + picture.first + ".png";
        if (!write_picture(path, picture.second)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("%zu pictures written to %s\n", drawings.size(), folder.c_str());
    return 0;
}

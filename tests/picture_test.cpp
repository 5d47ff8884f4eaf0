// tests/picture_test.cpp — the picture cache decodes every file exactly as GDK-Pixbuf's own file opening
// does.
#include "core/picture.h"
#include "test_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

// True when both are null, or both hold the same size, layout and pixels.
static bool same_picture(GdkPixbuf* a, GdkPixbuf* b)
{
    if (!a || !b)
        return a == b;
    const int width = gdk_pixbuf_get_width(a);
    const int height = gdk_pixbuf_get_height(a);
    if (width != gdk_pixbuf_get_width(b) || height != gdk_pixbuf_get_height(b) ||
        gdk_pixbuf_get_n_channels(a) != gdk_pixbuf_get_n_channels(b) ||
        gdk_pixbuf_get_has_alpha(a) != gdk_pixbuf_get_has_alpha(b) ||
        gdk_pixbuf_get_bits_per_sample(a) != gdk_pixbuf_get_bits_per_sample(b))
        return false;
    const size_t row = static_cast<size_t>(width) * gdk_pixbuf_get_n_channels(a);
    for (int y = 0; y < height; y++)
        if (std::memcmp(gdk_pixbuf_get_pixels(a) + y * gdk_pixbuf_get_rowstride(a),
                        gdk_pixbuf_get_pixels(b) + y * gdk_pixbuf_get_rowstride(b), row) != 0)
            return false;
    return true;
}

TEST(Picture, EveryKindOfFileDecodesAsGdkPixbufOpensIt)
{
    // Colour types, bit depths, interlacing, transparency and gamma; then a bitmap under a .png name, a
    // truncated PNG and a text file, which must come out as opening them by name gives (a picture or null).
    static const char* const kFiles[] = {
        "rgba",       "rgb",
        "palette",    "gray",
        "gray_alpha", "deep",
        "interlaced", "transparent_palette",
        "gamma",      "bitmap_named_png",
        "truncated",  "text",
    };
    const std::string fixtures = std::string(CUVELO_TEST_DATA) + "/core/images/";
    ScratchDir dir;
    for (const char* file : kFiles) {
        const std::string bytes = read_file(fixtures + file + ".png");
        // Names of this test's own: the cache lives as long as the process.
        const std::string name = std::string("decode-") + file;
        write_file("images/" + name + ".png", bytes);
        GdkPixbuf* expected = gdk_pixbuf_new_from_file((fixtures + file + ".png").c_str(), nullptr);
        EXPECT_TRUE(same_picture(picture_for(name), expected)) << file;
        if (expected)
            g_object_unref(expected);
    }
    EXPECT_NE(picture_for("decode-interlaced"), nullptr);
    EXPECT_NE(picture_for("decode-bitmap_named_png"), nullptr); // not a PNG, still a picture
    EXPECT_EQ(picture_for("decode-text"), nullptr);
    EXPECT_EQ(picture_for("decode-missing"), nullptr);
}

// fuzz/picture_fuzz.cpp — a picture file of any bytes, read and decoded as the picture cache does; the same
// bytes as a recipe title and as any text the window shows.
#include "core/display_text.h"
#include "core/picture.h"
#include "fuzz_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>

// GTK takes the text up to its first NUL byte: that part must be valid UTF-8.
static void check_shown(const std::string& shown, const std::string& bytes)
{
    if (!g_utf8_validate(shown.c_str(), -1, nullptr))
        property_failed("a shown text is not valid UTF-8", bytes);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enter_private_folder();
    write_input("picture.png", data, size);
    // A bomb past the cap would exceed -rss_limit_mb long before this check.
    if (GdkPixbuf* picture = load_picture_file("picture.png")) {
        if (gdk_pixbuf_get_width(picture) > kMaxPictureSide ||
            gdk_pixbuf_get_height(picture) > kMaxPictureSide)
            property_failed("a picture past the size cap was decoded", "picture.png");
        g_object_unref(picture);
    }

    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check_shown(display_text(bytes), bytes);
    const std::string title = window_title_text(bytes, "");
    check_shown(title, bytes);
    const std::string head = "CUVELO V0.9 : ";
    if (!bytes.empty() &&
        g_utf8_strlen(title.data() + head.size(), static_cast<gssize>(title.size() - head.size())) >
            static_cast<glong>(kMaxTitleCharacters + 1))
        property_failed("the window title is longer than its bound", title);
    check_shown(window_title_text("", bytes), bytes);
    return 0;
}

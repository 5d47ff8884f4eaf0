// core/picture.cpp — decodes each picture file once; menus and recipe lines share the result.
#include "core/picture.h"

#include "core/data_folders.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstring>
#include <map>
#include <utility>

std::string picture_path(const std::string& name)
{
    std::string path = picture_file(name);
    gchar* utf8 = g_locale_to_utf8(path.c_str(), -1, nullptr, nullptr, nullptr);
    if (!utf8)
        return path; // bytes above 127 under the "C" locale: hand the name over unconverted
    std::string converted = utf8;
    g_free(utf8);
    return converted;
}

// A PNG file decoded by the PNG loader itself; null when the file is no PNG or does not decode. Opening a
// file by name first guesses its type against the whole MIME database, which took longer than decoding a
// menu's small picture; the same loader then decodes the same bytes.
static GdkPixbuf* decode_png(const std::string& path)
{
    static const char kSignature[8] = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};
    gchar* bytes = nullptr;
    gsize size = 0;
    if (!g_file_get_contents(path.c_str(), &bytes, &size, nullptr))
        return nullptr;
    GdkPixbuf* pixbuf = nullptr;
    GdkPixbufLoader* loader = nullptr;
    if (size >= sizeof kSignature && std::memcmp(bytes, kSignature, sizeof kSignature) == 0)
        loader = gdk_pixbuf_loader_new_with_type("png", nullptr);
    if (loader) {
        bool decoded = gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes), size, nullptr);
        decoded = gdk_pixbuf_loader_close(loader, nullptr) && decoded; // closed even after a failed write
        pixbuf = decoded ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
        if (pixbuf)
            g_object_ref(pixbuf);
        g_object_unref(loader);
    }
    g_free(bytes);
    return pixbuf;
}

GdkPixbuf* picture_for(const std::string& name)
{
    // A NUL would end the path early and drop ".png": "../../dev/stdin" and the like would then be read.
    if (name.find('\0') != std::string::npos)
        return nullptr;
    static std::map<std::string, GdkPixbuf*> cache;
    auto found = cache.find(name);
    if (found != cache.end())
        return found->second;
    const std::string path = picture_path(name);
    GdkPixbuf* pixbuf = decode_png(path);
    if (!pixbuf) // anything else (another format under a .png name, a broken file) is opened as before
        pixbuf = gdk_pixbuf_new_from_file(path.c_str(), nullptr);
    cache.emplace(name, pixbuf);
    return pixbuf;
}

GdkPixbuf* picture_scaled(const std::string& name, int size)
{
    static std::map<std::pair<std::string, int>, GdkPixbuf*> cache;
    auto key = std::make_pair(name, size);
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    GdkPixbuf* original = picture_for(name);
    GdkPixbuf* scaled =
        original ? gdk_pixbuf_scale_simple(original, size, size, GDK_INTERP_BILINEAR) : nullptr;
    cache.emplace(key, scaled);
    return scaled;
}

// core/picture.cpp — decodes each picture file once; menus and recipe lines share the result.
#include "core/picture.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <map>
#include <utility>

std::string picture_path(const std::string& name)
{
    std::string path = "./images/" + name + ".png";
    gchar* utf8 = g_locale_to_utf8(path.c_str(), -1, nullptr, nullptr, nullptr);
    if (!utf8)
        return path; // bytes above 127 under the "C" locale: hand the name over unconverted
    std::string converted = utf8;
    g_free(utf8);
    return converted;
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
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(picture_path(name).c_str(), nullptr);
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
    GdkPixbuf* scaled = original ? gdk_pixbuf_scale_simple(original, size, size, GDK_INTERP_BILINEAR) : nullptr;
    cache.emplace(key, scaled);
    return scaled;
}

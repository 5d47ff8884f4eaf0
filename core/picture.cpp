// core/picture.cpp — decodes each picture file at most once; menus and recipe lines share the result.
#include "core/picture.h"

#include "core/data_folders.h"
#include "core/line_reader.h"
#include "core/picture_header.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <utility>

static bool decoding_on = true;

void set_picture_decoding(bool on)
{
    decoding_on = on;
}

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

// The whole file, read without blocking and only from a regular file of at most kMaxPictureFileBytes.
static bool read_picture_file(const std::string& path, std::string& bytes)
{
    const int fd = open_regular_file(path, nullptr);
    if (fd < 0)
        return false;
    struct stat info;
    bool read_whole = fstat(fd, &info) == 0 && info.st_size <= static_cast<off_t>(kMaxPictureFileBytes);
    if (read_whole) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (read_whole && done < bytes.size()) {
            const ssize_t n = read(fd, &bytes[done], bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            read_whole = n > 0;
            done += n > 0 ? static_cast<size_t>(n) : 0;
        }
    }
    close(fd);
    return read_whole;
}

// Called with the size the file claims, before the loader allocates anything: too large a picture is cut
// to zero pixels, which makes the loader give up.
static void refuse_large(GdkPixbufLoader* loader, int width, int height, gpointer refused)
{
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        *static_cast<bool*>(refused) = true;
        gdk_pixbuf_loader_set_size(loader, 0, 0);
    }
}

static GdkPixbuf* decode_picture(const std::string& bytes)
{
    const PictureFormat format = picture_format(bytes);
    GdkPixbufLoader* loader = plain_picture_header(bytes, format, kMaxPictureSide)
                                  ? gdk_pixbuf_loader_new_with_type(loader_name(format), nullptr)
                                  : nullptr;
    if (!loader)
        return nullptr;
    bool refused = false;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(refuse_large), &refused);
    bool decoded =
        gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), nullptr);
    decoded = gdk_pixbuf_loader_close(loader, nullptr) && decoded && !refused; // closed even after a failure
    GdkPixbuf* pixbuf = decoded ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf)
        g_object_ref(pixbuf);
    g_object_unref(loader);
    return pixbuf;
}

GdkPixbuf* load_picture_file(const std::string& path)
{
    std::string bytes;
    return read_picture_file(path, bytes) ? decode_picture(bytes) : nullptr;
}

GdkPixbuf* picture_for(const std::string& name)
{
    // A NUL would end the path early and drop ".png": "../../dev/stdin" and the like would then be read.
    if (!decoding_on || name.find('\0') != std::string::npos)
        return nullptr;
    static std::map<std::string, GdkPixbuf*> cache;
    auto found = cache.find(name);
    if (found != cache.end())
        return found->second;
    // One attempt per name, kept even when it failed: a broken file is not read again.
    GdkPixbuf* pixbuf = load_picture_file(picture_path(name));
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

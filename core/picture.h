// core/picture.h — the pictures "<name>.png" of the picture folders, each decoded at most once and kept for
// the whole process.
#pragma once

#include <cstddef>
#include <string>

typedef struct _GdkPixbuf GdkPixbuf;

// The largest width or height decoded, in pixels: every picture is shown at 16 to 64 pixels.
constexpr int kMaxPictureSide = 1024;
// The largest picture file read, in bytes.
constexpr size_t kMaxPictureFileBytes = size_t(16) << 20;

// The picture of a name at the file's own size, or null when the file is missing, not a regular file,
// larger than the caps, not a plain PNG, JPEG, GIF or BMP picture (core/picture_header.h), or broken (or the
// name holds a NUL byte, which no file name can). The cache owns it: callers never unref it.
GdkPixbuf* picture_for(const std::string& name);

// The same picture scaled to size × size (bilinear, whatever its proportions), or null.
GdkPixbuf* picture_scaled(const std::string& name, int size);

// The file path of a picture name, converted to UTF-8 when the locale allows it (raw bytes otherwise).
std::string picture_path(const std::string& name);

// Reads and decodes one picture file as picture_for does, without the cache: only a regular file within
// kMaxPictureFileBytes, refused before any loader runs when its headers are not those of a plain picture
// within kMaxPictureSide. Null when it is refused or does not decode; the caller owns the result.
GdkPixbuf* load_picture_file(const std::string& path);

// With false, picture_for gives null for every name without reading a file (programs without a window).
void set_picture_decoding(bool on);

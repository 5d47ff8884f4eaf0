// core/picture.h — the pictures "<name>.png" of the picture folders, each decoded once and kept for the whole
// process.
#pragma once

#include <string>

typedef struct _GdkPixbuf GdkPixbuf;

// The picture of a name at the file's own size, or null when the file is missing or unreadable (or the
// name holds a NUL byte, which no file name can).
// The cache owns it: callers never unref it.
GdkPixbuf* picture_for(const std::string& name);

// The same picture scaled to size × size (bilinear, whatever its proportions), or null.
GdkPixbuf* picture_scaled(const std::string& name, int size);

// The file path of a picture name, converted to UTF-8 when the locale allows it (raw bytes otherwise).
std::string picture_path(const std::string& name);

// data/picturegen/desktop_icons.h — the icons a desktop shows for the program and for its recipe files.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

// Writes one PNG of `size` × `size` pixels from a drawing made on the 32 × 32 grid; false when it fails.
using IconWriter = std::function<bool(const std::string& path, int size, void (*draw)(cairo_t*))>;

// Writes the hicolor theme's tree under `folder`: SIZExSIZE/apps/cuvelo.png and
// SIZExSIZE/mimetypes/application-x-cuvelo.png for every size a desktop asks for.
bool write_desktop_icons(const std::string& folder, const IconWriter& write);

// ui/window_place.cpp — where a companion window opens beside the main window (no GTK here).
#include "ui/window_place.h"

#include <algorithm>

ScreenRect place_beside(const PlaceRequest& r)
{
    const int gap = 8;
    const ScreenRect& monitor = r.monitor;
    const ScreenRect& main = r.main_frame;
    const int monitor_right = monitor.x + monitor.width, monitor_bottom = monitor.y + monitor.height;
    const int right_room = monitor_right - (main.x + main.width) - gap;
    const int left_room = main.x - monitor.x - gap;
    const int useful_width = std::max(600, r.needed_width);
    ScreenRect place;
    if (right_room >= useful_width || left_room >= useful_width) {
        const bool right = right_room >= left_room;
        place.width = std::max(r.needed_width, std::min(r.wanted_width, right ? right_room : left_room));
        place.height = std::max(r.needed_height, std::min(r.wanted_height, monitor.height));
        place.x = right ? main.x + main.width + gap : main.x - gap - place.width;
        place.y = std::max(monitor.y, std::min(main.y, monitor_bottom - place.height));
        return place;
    }
    const int top = r.toolbar_bottom + gap;
    place.width = std::max(r.needed_width, std::min(r.wanted_width, monitor.width));
    place.height = std::max(r.needed_height, std::min(r.wanted_height, monitor_bottom - top));
    place.x = std::max(monitor.x, std::min(main.x, monitor_right - place.width));
    place.y = std::max(top, monitor_bottom - place.height);
    return place;
}

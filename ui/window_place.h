// ui/window_place.h — where a companion window opens beside the main window (no GTK here).
#pragma once

// A rectangle of the screen, in pixels.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// What the placement knows: the monitor, the main window's frame, the screen row just below its toolbar, the
// size the companion would like and the least its content needs.
struct PlaceRequest {
    ScreenRect monitor;
    ScreenRect main_frame;
    int toolbar_bottom = 0;
    int wanted_width = 0, wanted_height = 0;
    int needed_width = 0, needed_height = 0;
};

// The companion's frame: beside the main window on the side with more room when that side holds a useful
// width (600 pixels, or what the content needs), else as low on the monitor as its height allows but never
// above `toolbar_bottom`, so the toolbar the brewer keeps using is never covered; never narrower or lower
// than its content needs.
ScreenRect place_beside(const PlaceRequest& request);

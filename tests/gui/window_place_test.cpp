// tests/gui/window_place_test.cpp — where the breakdown window opens beside the main window.
#include "ui/window_place.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

struct PlaceCase {
    ScreenRect monitor, main_frame;
    int toolbar_bottom, needed_width, needed_height;
    ScreenRect expected;
};

// A 720 × 630 main window (toolbar 50 pixels high); the breakdown would like 900 × 520.
static const PlaceCase kPlaces[] = {
    // Wide screen, main window centred: room on both sides, the right one taken.
    {{0, 0, 2560, 1440}, {920, 405, 720, 630}, 455, 700, 200, {1648, 405, 900, 520}},
    // Main window at the right edge: the left side.
    {{0, 0, 2560, 1440}, {1800, 100, 720, 630}, 150, 700, 200, {892, 100, 900, 520}},
    // A side with less room than wanted but a useful width: narrower.
    {{0, 0, 1920, 1080}, {592, 200, 720, 630}, 250, 500, 200, {1320, 200, 600, 520}},
    // 8 pixels less on either side: no useful width, so below the toolbar.
    {{0, 0, 1920, 1080}, {600, 200, 720, 630}, 250, 500, 200, {600, 560, 900, 520}},
    // Content wider than the wanted size takes what it needs.
    {{0, 0, 1920, 1080}, {0, 0, 720, 630}, 50, 1045, 200, {728, 0, 1045, 520}},
    // 1280 × 1024, main window centred: no side has room, so as low as the screen allows.
    {{0, 0, 1280, 1024}, {280, 197, 720, 630}, 247, 700, 200, {280, 504, 900, 520}},
    // 1024 × 768: moved left to stay on the screen, still below the toolbar.
    {{0, 0, 1024, 768}, {152, 69, 720, 630}, 119, 700, 200, {124, 248, 900, 520}},
    // Too little height below the toolbar for the wanted height: what is left, from just below it.
    {{0, 0, 1280, 500}, {280, 0, 720, 630}, 50, 700, 200, {280, 58, 900, 442}},
    // Content too wide for any side: below the toolbar, at its full width.
    {{0, 0, 1920, 1080}, {0, 0, 720, 630}, 50, 1300, 200, {0, 560, 1300, 520}},
    // A second monitor to the right of the first: its own edges count.
    {{1920, 0, 1920, 1080}, {2520, 300, 720, 630}, 350, 700, 200, {2520, 560, 900, 520}},
    // The window lower than the monitor's bottom allows for its height: raised to fit, beside.
    {{0, 0, 2560, 1080}, {0, 800, 720, 630}, 850, 700, 200, {728, 560, 900, 520}},
};

static bool overlap(const ScreenRect& a, const ScreenRect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(WindowPlace, BesideTheMainWindowElseBelowItsToolbar)
{
    for (const PlaceCase& c : kPlaces) {
        PlaceRequest request;
        request.monitor = c.monitor;
        request.main_frame = c.main_frame;
        request.toolbar_bottom = c.toolbar_bottom;
        request.wanted_width = std::max(900, c.needed_width);
        request.wanted_height = std::max(520, c.needed_height);
        request.needed_width = c.needed_width;
        request.needed_height = c.needed_height;
        const ScreenRect place = place_beside(request);
        const std::string name = std::to_string(c.monitor.width) + "×" + std::to_string(c.monitor.height) +
                                 ", main at " + std::to_string(c.main_frame.x) + "," +
                                 std::to_string(c.main_frame.y);
        EXPECT_EQ(place.x, c.expected.x) << name;
        EXPECT_EQ(place.y, c.expected.y) << name;
        EXPECT_EQ(place.width, c.expected.width) << name;
        EXPECT_EQ(place.height, c.expected.height) << name;
        const ScreenRect toolbar = {c.main_frame.x, c.main_frame.y, c.main_frame.width,
                                    c.toolbar_bottom - c.main_frame.y};
        EXPECT_FALSE(overlap(place, toolbar)) << name;
        EXPECT_GE(place.width, c.needed_width) << name;
        EXPECT_GE(place.x, c.monitor.x) << name;
    }
}

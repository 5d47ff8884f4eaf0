// ui/main_window.h — the main window's skeleton, the results grid, the window title and quitting.
#pragma once

// Creates the 720 × 630 centred window with its two vertical panes and the toolbar table, and shows it.
void build_main_window();

// Creates the results grid in the lower pane: eighteen labels and the style button (whose handler the
// start-up connects).
void build_results_area();

// Recomputes file_base_name from file_name and sets the window title from it and the recipe title, with a
// "*" before the recipe's name (or before the whole title when it has none) while it holds unsaved changes.
void update_window_title();

// Leaves the main loop, deletes the HTML report this process wrote and ends the process with status 0.
[[noreturn]] void quit_application();

// What closing the window does once the unsaved changes are dealt with: quit_application, except in the GUI
// tests, which record it instead.
extern void (*quit_action)();

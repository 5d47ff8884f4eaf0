// ui/startup.h — everything start-up does between initialising GTK and running the main loop.
#pragma once

// Finds the data folders (a French message says where it looked when no database is found), reads the three
// reference files, sets the recipe's start values, builds the main window and its parts in their fixed order,
// then shows the empty recipe's evaluation and the window title. The menus' items are left to their first
// showing or to the main loop's idle moments.
void start_up();

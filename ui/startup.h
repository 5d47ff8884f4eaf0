// ui/startup.h — everything start-up does between initialising GTK and running the main loop.
#pragma once

#include <string>

// Finds the data folders (a French message says where it looked when no database is found), reads the three
// reference files, sets the recipe's start values, builds the main window and its parts in their fixed order,
// then shows the empty recipe's evaluation and the window title. The menus' items are left to their first
// showing or to the main loop's idle moments.
void start_up();

// Opens the recipe file named on the command line, a Cuvelo or a BeerXML one (by its content), once the
// window is built; a file that cannot be opened is said in a message and the new recipe stays.
void open_file_at_start(const std::string& path);

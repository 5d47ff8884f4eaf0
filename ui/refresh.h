// ui/refresh.h — the one way every command brings the windows up to date with the recipe.
#pragma once

// A part of a window that shows the recipe; it reads the workspace and changes nothing.
using ShowFunction = void (*)();

// Adds a view that every refresh calls, after those added before it. The main window's views are added at
// start-up; a window opened later adds its own once, and its view does nothing while it is closed.
void add_view(ShowFunction show);

// Forgets an undo step that changed nothing, evaluates the recipe, then calls every view in the order they
// were added: the list (showing the water a forced volume rewrote), the results, the title, then the others.
void refresh_after_command();

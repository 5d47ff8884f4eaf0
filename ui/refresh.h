// ui/refresh.h — the one way every command brings the window up to date with the recipe.
#pragma once

// Evaluates the recipe, then fills the list (so it shows the water that a forced volume rewrote) with the
// selected line selected, then shows the results and the window title.
void refresh_after_command();

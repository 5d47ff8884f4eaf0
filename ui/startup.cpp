// ui/startup.cpp — the fixed order in which the program loads its data and builds its main window.
#include "ui/startup.h"

#include "core/history.h"
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "refdata/ingredients.h"
#include "refdata/styles.h"
#include "ui/file_commands.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/recipe_view.h"
#include "ui/refresh.h"
#include "ui/shortcuts.h"
#include "ui/toolbar.h"
#include "ui/widgets.h"

void start_up()
{
    load_ingredients();
    load_configuration();
    load_styles(); // the menus are built from the ingredients and the styles, so both come first
    set_recipe_start_values();
    build_main_window();
    g_signal_connect(ui.main_window, "delete-event", G_CALLBACK(on_main_window_delete), nullptr);
    g_signal_connect(ui.main_window, "key-press-event", G_CALLBACK(on_main_window_key), nullptr);
    build_toolbar();
    build_menus();
    build_recipe_view(); // the list takes the upper pane because it is added before the results
    build_results_area();
    history_reset();
    refresh_after_command();
}

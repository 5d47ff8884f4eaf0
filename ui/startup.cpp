// ui/startup.cpp — the fixed order in which the program loads its data and builds its main window.
#include "ui/startup.h"

#include "core/data_folders.h"
#include "core/history.h"
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "refdata/ingredients.h"
#include "refdata/styles.h"
#include "report/browser.h"
#include "ui/commands.h"
#include "ui/file_commands.h"
#include "ui/lazy_menu.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/message_box.h"
#include "ui/recipe_view.h"
#include "ui/refresh.h"
#include "ui/results_panel.h"
#include "ui/shortcuts.h"
#include "ui/toolbar.h"
#include "ui/widgets.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Every menu is built: a launcher that handed over a pipe in CUVELO_READY_FD (the start-up benchmark, a test)
// learns it from one line there.
static void announce_menus_built()
{
    const char* descriptor = g_getenv("CUVELO_READY_FD");
    const int fd = descriptor ? std::atoi(descriptor) : -1;
    g_unsetenv("CUVELO_READY_FD"); // not for the browsers started later
    if (fd > 2) {
        if (write(fd, "ready\n", 6) != 6)
            std::fprintf(stderr, "cuvelo : CUVELO_READY_FD cannot be written\n");
        close(fd);
    }
}

void start_up()
{
    const DataSearch data = set_up_data_folders();
    load_ingredients();
    const std::string configuration_warning = load_configuration();
    load_styles(); // the menus are built from the ingredients and the styles, so both come first
    set_recipe_start_values();
    build_main_window();
    set_browser_end_notice([](const std::string& message) { show_notice(GTK_MESSAGE_WARNING, message); });
    g_signal_connect(ui.main_window, "delete-event", G_CALLBACK(on_main_window_delete), nullptr);
    g_signal_connect(ui.main_window, "key-press-event", G_CALLBACK(on_main_window_key), nullptr);
    build_toolbar();
    build_menus();
    build_recipe_view(); // the list takes the upper pane because it is added before the results
    build_results_area();
    // The views show, the commands act: the start-up wires each view's signals to its command.
    g_signal_connect(ui.recipe_view, "row-activated", G_CALLBACK(on_row_activated), nullptr);
    g_signal_connect(ui.style_button, "clicked", G_CALLBACK(on_style_button_clicked), nullptr);
    add_view(show_recipe_list);
    add_view(show_results);
    add_view(update_window_title);
    history_reset();
    refresh_after_command();
    fill_lazy_menus_when_idle(announce_menus_built);
    if (!data.found) {
        const std::string message = data_not_found_message(data);
        // Printed as UTF-8 bytes: g_printerr would turn every accent into "?" under the "C" locale.
        std::fprintf(stderr, "cuvelo : %s\n", message.c_str());
        show_message(GTK_MESSAGE_WARNING, message);
    } else if (!configuration_warning.empty()) {
        std::fprintf(stderr, "cuvelo : %s\n", configuration_warning.c_str());
        show_message(GTK_MESSAGE_WARNING, configuration_warning);
    }
}

void open_file_at_start(const std::string& path)
{
    open_recipe_file(path); // as the Open button does after its chooser
    refresh_after_command();
}

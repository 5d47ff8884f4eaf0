// bench/refresh_bench.cpp — one refresh after a menu command on the real main window, with 256 lines.
//
// Usage (needs a display, e.g. under xvfb-run): refresh_bench APP_FOLDER [benchmark options]
// Start-up runs as the program runs it, in APP_FOLDER (its bases/ and images/), then the recipe is filled
// with 256 lines of real pictures and a style is chosen. Each iteration runs the menu dispatcher with an item
// that only refreshes: fill_recipe_list, refresh_results, fill_recipe_list. The second figure adds the work
// that GTK does afterwards, until it is idle again (sizing the new rows, redrawing the window).
#include "bench/full_recipe.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/menus.h"
#include "ui/startup.h"

#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <string>
#include <unistd.h>

static void drain_events()
{
    while (gtk_events_pending())
        gtk_main_iteration();
}

// 256 lines of the eight kinds that the evaluation reads, each with a picture of the bundled folder.
static void fill_full_recipe()
{
    add_full_recipe_lines();
    if (ws.style_count >= 2)
        ws.style = ws.styles[2];
}

static void menu_refresh()
{
    on_menu_activate(nullptr, GINT_TO_POINTER(MENU_GROUP));
}

// The dispatcher's own work: the two list refills and the evaluation with its labels.
static void BM_MenuRefresh256(benchmark::State& state)
{
    drain_events();
    for (auto _ : state)
        menu_refresh();
    drain_events();
}
BENCHMARK(BM_MenuRefresh256)->Unit(benchmark::kMicrosecond);

// The same, then every event it caused until GTK is idle: what the user waits for before the window is
// up to date.
static void BM_MenuRefresh256UntilIdle(benchmark::State& state)
{
    drain_events();
    for (auto _ : state) {
        menu_refresh();
        drain_events();
    }
}
BENCHMARK(BM_MenuRefresh256UntilIdle)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: refresh_bench APP_FOLDER [benchmark options]\n");
        return 2;
    }
    if (chdir(argv[1]) != 0) {
        std::perror(argv[1]);
        return 1;
    }
    gtk_disable_setlocale();
    if (!gtk_init_check(nullptr, nullptr)) {
        std::fprintf(stderr, "refresh_bench: no display (run it under xvfb-run)\n");
        return 1;
    }
    start_up();
    drain_events(); // the menus are built in the idle moments after start-up
    fill_full_recipe();
    menu_refresh();
    drain_events();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

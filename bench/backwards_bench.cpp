// bench/backwards_bench.cpp — working backwards on a full recipe: one solve for three targets, one scaling.
#include "bench/full_recipe.h"
#include "calc/scale.h"
#include "calc/evaluate.h"
#include "calc/targets.h"
#include "core/workspace.h"
#include "tests/calc_recipes.h"

#include <benchmark/benchmark.h>

// The 256-line recipe with the worked example's settings and Morey's colour.
static void fill_full_recipe()
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.pellet_yield = 0.9;
    ws.settings.litres_per_kilo = 3;
    ws.settings.colour_model = ColourModel::morey;
    add_full_recipe_lines();
}

// Density, colour and bitterness each moved from today's estimates, as a brewer's dialog would ask.
static void BM_SolveThreeTargets256(benchmark::State& state)
{
    fill_full_recipe();
    const Recipe recipe = recipe_on_screen();
    const Estimates now = estimate(recipe, ws.settings);
    Targets t;
    t.og_on = t.ebc_on = t.ibu_on = true;
    t.og = now.initial_density + 6;
    t.ebc = now.colour_ebc + 8;
    t.ibu = now.bitterness_ibu + 10;
    for (auto _ : state) {
        const RecipeChange change = solve_targets(recipe, ws.settings, t);
        if (!change.done)
            state.SkipWithError(change.message.c_str());
        benchmark::DoNotOptimize(change.recipe.lines.data());
    }
}
BENCHMARK(BM_SolveThreeTargets256)->Unit(benchmark::kMillisecond);

static void BM_ScaleToVolume256(benchmark::State& state)
{
    fill_full_recipe();
    const Recipe recipe = recipe_on_screen();
    for (auto _ : state) {
        const RecipeChange change = scale_to_volume(recipe, ws.settings, 500);
        benchmark::DoNotOptimize(change.recipe.lines.data());
    }
}
BENCHMARK(BM_ScaleToVolume256)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

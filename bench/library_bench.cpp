// bench/library_bench.cpp — the costs of the library's hot operations on full-size inputs.
#include "calc/evaluate.h"
#include "core/workspace.h"
#include "recipe/merge_sort.h"
#include "recipe/recipe_file.h"
#include "tests/calc_recipes.h"
#include "refdata/ingredients.h"

#include <benchmark/benchmark.h>
#include <glib.h>
#include <glib/gstdio.h>

#include <string>
#include <unistd.h>

// 256 lines of every kind the evaluation reads.
static void fill_full_recipe()
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.pellet_yield = 0.9;
    ws.settings.litres_per_kilo = 3;
    static const char* const kinds[][7] = {
        {"EAU", "20 L", "", "", "", "EMPATAGE", "0.002 L"},
        {"EAU", "10 L", "", "", "", "RINCAGE", "0.002 L"},
        {"MALT", "5 KG", "8", "80", "", "EMPATAGE", "2.4 KG"},
        {"MALTSPECIAL", "250 G", "120", "75", "", "EMPATAGE", "4 KG"},
        {"HOUBLONCONE", "40 G", "5", "", "60", "EBULLITION", "0.08 G"},
        {"HOUBLONPELLET", "20 G", "12", "", "15", "AROMATISATION", "0.1 G"},
        {"SUCRE", "500 G", "0", "100", "", "EBULLITION", "1.5 KG"},
        {"LEVURE", "11 G", "", "75", "", "FERMENTATION", "0.3 G"},
    };
    for (int i = 0; i < kLineCapacity; i++) {
        const char* const* k = kinds[i % 8];
        add_recipe_line("", k[0], "ingredient " + std::to_string(i), k[1], k[2], k[3], k[4], k[5], k[6]);
    }
}

static void BM_EvaluateRecipe256(benchmark::State& state)
{
    fill_full_recipe();
    for (auto _ : state) {
        evaluate_recipe();
        benchmark::DoNotOptimize(ws.estimates.bitterness_ibu);
    }
}
BENCHMARK(BM_EvaluateRecipe256);

// Worst case: no pair merges (every designation differs) and the keys come in descending order.
static void BM_MergeAndSort256(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        reset_workspace();
        for (int i = 0; i < kLineCapacity; i++)
            add_recipe_line("", "MALT", "malt " + std::to_string(i), "1 KG", std::to_string(kLineCapacity - i), "80",
                            "", "EMPATAGE", "");
        state.ResumeTiming();
        merge_and_sort();
    }
}
BENCHMARK(BM_MergeAndSort256);

class ScratchFolder {
public:
    ScratchFolder()
    {
        gchar* dir = g_dir_make_tmp("cuvelo-bench-XXXXXX", nullptr);
        path = dir;
        g_free(dir);
    }
    ~ScratchFolder()
    {
        std::string command = "rm -rf '" + path + "'";
        if (system(command.c_str()) != 0)
            return;
    }
    std::string path;
};

static void BM_LoadRecipe256(benchmark::State& state)
{
    ScratchFolder folder;
    fill_full_recipe();
    std::string file = folder.path + "/full.cvl";
    save_recipe(file);
    for (auto _ : state) {
        load_recipe(file);
        benchmark::DoNotOptimize(ws.line_count);
    }
}
BENCHMARK(BM_LoadRecipe256);

static void BM_LoadIngredients1024(benchmark::State& state)
{
    ScratchFolder folder;
    std::string bases = folder.path + "/bases";
    g_mkdir(bases.c_str(), 0755);
    std::string text;
    static const char* const categories[] = {"EAU", "MALT", "HOUBLONCONE", "SUCRE", "LEVURE"};
    for (int i = 0; i < kIngredientCapacity; i++)
        text += std::string(categories[i % 5]) + "\tpicture" + std::to_string(i % 97) + "\tGroupe " +
                std::to_string(i / 20) + "\tIngrédient " + std::to_string(i) +
                "\t5 kg\t8\t80\t60\tEMPATAGE\t2.40 KG\n";
    g_file_set_contents((bases + "/ingredients.txt").c_str(), text.c_str(), -1, nullptr);
    char previous[4096];
    if (!getcwd(previous, sizeof previous) || chdir(folder.path.c_str()) != 0)
        return;
    reset_workspace();
    for (auto _ : state) {
        ws.ingredient_count = 0;
        load_ingredients();
        benchmark::DoNotOptimize(ws.ingredient_count);
    }
    if (chdir(previous) != 0)
        return;
}
BENCHMARK(BM_LoadIngredients1024);

BENCHMARK_MAIN();

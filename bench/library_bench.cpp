// bench/library_bench.cpp — the costs of the library's hot operations on full-size inputs.
#include "bench/full_recipe.h"
#include "calc/evaluate.h"
#include "core/history.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"
#include "recipe/formats/cvl.h"
#include "refdata/ingredients.h"
#include "tests/calc_recipes.h"

#include <benchmark/benchmark.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <malloc.h>

#include <string>
#include <unistd.h>

// A full recipe (256 lines) cycling through every kind of line the evaluation reads: mash and rinse water,
// two grains, two hops (60 and 15 minutes), a sugar and a yeast, with the worked example's settings.
static void fill_full_recipe()
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.pellet_yield = 0.9;
    ws.settings.litres_per_kilo = 3;
    add_full_recipe_lines();
}

// evaluate_recipe on the full recipe: every estimate, the three passes over 256 lines.
static void BM_EvaluateRecipe256(benchmark::State& state)
{
    fill_full_recipe();
    for (auto _ : state) {
        evaluate_recipe();
        benchmark::DoNotOptimize(ws.estimates.bitterness_ibu);
    }
}
BENCHMARK(BM_EvaluateRecipe256);

// The same with the final volume forced, which also rewrites the two water lines at each evaluation.
static void BM_EvaluateRecipe256ForcedVolume(benchmark::State& state)
{
    fill_full_recipe();
    ws.volume_forced = 1;
    ws.forced_volume = 23;
    for (auto _ : state) {
        evaluate_recipe();
        benchmark::DoNotOptimize(ws.estimates.bitterness_ibu);
    }
}
BENCHMARK(BM_EvaluateRecipe256ForcedVolume);

// One undoable change of the full recipe: the snapshot taken before it, then its undo (both copy 256 lines).
// The counter gives the heap that a full history of such snapshots holds.
static void BM_UndoableChange256(benchmark::State& state)
{
    fill_full_recipe();
    history_reset();
    for (auto _ : state) {
        history_note_change();
        ws.lines[1].quantity = "21 L";
        history_undo();
    }
    const struct mallinfo2 before = mallinfo2();
    for (int step = 0; step < kHistorySteps; step++) {
        history_note_change();
        ws.lines[1].quantity = std::to_string(step) + " L";
    }
    const struct mallinfo2 after = mallinfo2();
    state.counters["full_history_MB"] = static_cast<double>(after.uordblks - before.uordblks) / (1 << 20);
    history_reset();
}
BENCHMARK(BM_UndoableChange256);

// The same change with a 20 MB title: every snapshot holds the title, so the byte bound, not the step bound,
// decides how many steps stay. The counters give the steps kept and the heap they hold.
static void BM_UndoableChangeHugeTitle(benchmark::State& state)
{
    fill_full_recipe();
    ws.title.assign(size_t(20) << 20, 'T');
    history_reset();
    const struct mallinfo2 before = mallinfo2();
    for (auto _ : state) {
        history_note_change();
        ws.lines[1].quantity = std::to_string(state.iterations()) + " L";
    }
    const struct mallinfo2 after = mallinfo2();
    state.counters["history_MB"] = static_cast<double>(after.uordblks - before.uordblks) / (1 << 20);
    state.counters["counted_MB"] = static_cast<double>(history_bytes()) / (1 << 20);
    int kept = 0;
    while (history_undo())
        kept++;
    state.counters["steps_kept"] = kept;
    history_reset();
    ws.title.clear();
}
BENCHMARK(BM_UndoableChangeHugeTitle)->Iterations(kHistorySteps);

// The three recipes of 256 lines that cost merge_and_sort the most, one per part of its work:
// 0: no two lines merge (every designation differs) and the keys come in descending order, so the merge
//    examines its full bound of 10,000 pairs and the exchange sort makes 32,640 exchanges, within one of the
//    most that any order of 256 keys needs;
// 1: 256 equal lines of one unit, so 255 merges each shorten the list from the top;
// 2: 256 equal lines whose units never match, so all 10,000 pairs are the same ingredient and compare every
//    text, and no merge happens.
static void fill_merge_and_sort_case(int which)
{
    reset_workspace();
    for (int i = 0; i < kLineCapacity; i++) {
        switch (which) {
        case 0:
            add_recipe_line("malt", "MALT", "Malt " + std::to_string(i), "1 KG",
                            std::to_string(kLineCapacity - i), "80", "", "EMPATAGE", "2.4 KG");
            break;
        case 1:
            add_recipe_line("malt", "MALT", "Malt Pilsen", "1.5 KG", "3", "80", "", "EMPATAGE", "2.4 KG");
            break;
        default:
            add_recipe_line("malt", "MALT", "Malt Pilsen", std::to_string(i) + " XX", "3", "80", "",
                            "EMPATAGE", "2.4 KG");
            break;
        }
    }
}

static void BM_MergeAndSort256(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        fill_merge_and_sort_case(which);
        state.ResumeTiming();
        merge_and_sort();
        benchmark::DoNotOptimize(ws.line_count);
    }
    state.SetLabel(which == 0 ? "no merge, descending keys" : which == 1 ? "255 merges" : "no common unit");
}
BENCHMARK(BM_MergeAndSort256)->Arg(0)->Arg(1)->Arg(2);

// A temporary folder, removed with its contents at the end.
class ScratchFolder
{
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

// load_recipe of a file that save_recipe wrote from the full recipe: 4 keyword lines and 256 recipe lines.
// The pictures are missing in the working folder, so each name's lookup is cached after its first miss.
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

// load_ingredients of the maximal database that bench/make_max_db.py writes: 1,024 lines, all stored, 99 in
// each of the five identifier groups and 529 of a category outside them (identifier 0).
static std::string maximal_ingredients()
{
    static const char* const groups[][3] = {{"EAU", "EMPATAGE", "20 L"},
                                            {"MALT", "EMPATAGE", "5 KG"},
                                            {"HOUBLONPELLET", "EBULLITION", "40 G"},
                                            {"SUCRE", "EBULLITION", "500 G"},
                                            {"LEVURE", "FERMENTATION", "11 G"}};
    auto picture = [](int n) {
        char name[16];
        g_snprintf(name, sizeof name, "max%03d", n % 300);
        return std::string(name);
    };
    std::string text;
    int n = 0;
    for (int g = 0; g < 5; g++)
        for (int i = 0; i < 99; i++, n++)
            text += std::string(groups[g][0]) + "\t" + picture(n) + "\tGroupe " + std::to_string(g) + "-" +
                    std::to_string(i / 12) + "\tIngrédient " + std::to_string(n) + "\t" + groups[g][2] +
                    "\t" + std::to_string(3 + i % 40) + "\t80\t60\t" + groups[g][1] + "\t2.40 KG\n";
    for (; n < kIngredientCapacity; n++)
        text += "DIVERS\t" + picture(n) + "\tDivers " + std::to_string(n / 20) + "\tAutre " +
                std::to_string(n) + "\t1 KG\t1\t1\t1\tEBULLITION\t1 KG\n";
    return text;
}

static void BM_LoadIngredients1024(benchmark::State& state)
{
    ScratchFolder folder;
    std::string bases = folder.path + "/bases";
    g_mkdir(bases.c_str(), 0755);
    const std::string text = maximal_ingredients();
    g_file_set_contents((bases + "/ingredients.txt").c_str(), text.c_str(), -1, nullptr);
    char previous[4096];
    if (!getcwd(previous, sizeof previous) || chdir(folder.path.c_str()) != 0) {
        state.SkipWithError("cannot enter the scratch folder");
        return;
    }
    reset_workspace();
    for (auto _ : state) {
        load_ingredients();
        benchmark::DoNotOptimize(ws.ingredient_count);
    }
    if (ws.ingredient_count != kIngredientCapacity)
        state.SkipWithError("the maximal database was not stored whole");
    if (chdir(previous) != 0)
        return;
}
BENCHMARK(BM_LoadIngredients1024);

BENCHMARK_MAIN();

// bench/beerjson_bench.cpp — reading a large BeerJSON file: 15.5 MB of recipes written one member a line and
// indented, as the exporting programs write them (every optional member, notes, fermentation), and the file
// of the most recipes the caps let through. Target: a 15.5 MB file read in under 1 s on the 2 shared cores.
#include "recipe/formats/beerjson_read.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

std::string measure(const char* key, const char* unit, const char* value, const std::string& pad)
{
    return pad + "\"" + key + "\": {\n" + pad + "  \"unit\": \"" + unit + "\",\n" + pad +
           "  \"value\": " + value + "\n" + pad + "}";
}

std::string record(int i, const char* kind, const std::string& body)
{
    const std::string pad = "            ";
    return "          {\n" + pad + "\"name\": \"" + kind + " n° " + std::to_string(i) + "\",\n" + body +
           ",\n" + pad + "\"notes\": \"" + std::string(200, 'n') + "\"\n          }";
}

// One recipe of 12 malts, 14 hops, 4 other ingredients, 2 yeasts, a 4-step mash and 2 fermentation steps:
// about 62 kB.
std::string verbose_recipe(int r)
{
    const std::string pad = "            ";
    std::string out = "      {\n        \"name\": \"Recette " + std::to_string(r) +
                      "\",\n        \"type\": \"all grain\",\n        \"author\": \"Brasseur\",\n" +
                      measure("batch_size", "l", "23", "        ") + ",\n        \"efficiency\": {\n" +
                      measure("brewhouse", "%", "72", "          ") +
                      "\n        },\n        \"style\": {\n          \"name\": \"Style " +
                      std::to_string(r % 100) +
                      "\",\n          \"category\": \"Catégorie\",\n          \"style_guide\": \"BJCP\",\n"
                      "          \"type\": \"beer\"\n        },\n        \"ingredients\": {\n"
                      "          \"fermentable_additions\": [\n";
    for (int i = 0; i < 12; i++)
        out += record(i, "Malt",
                      pad + "\"type\": \"grain\",\n" + pad + "\"grain_group\": \"base\",\n" + pad +
                          "\"yield\": {\n" + measure("fine_grind", "%", "80.5", pad + "  ") + "\n" + pad +
                          "},\n" + measure("color", "Lovi", "2.5", pad) + ",\n" +
                          measure("amount", "lb", "1.25", pad)) +
               (i < 11 ? ",\n" : "\n");
    out += "          ],\n          \"hop_additions\": [\n";
    for (int i = 0; i < 14; i++)
        out += record(i, "Houblon",
                      pad + "\"form\": \"pellet\",\n" + measure("alpha_acid", "%", "5.5", pad) + ",\n" +
                          measure("beta_acid", "%", "3.5", pad) + ",\n" + measure("amount", "oz", "1", pad) +
                          ",\n" + pad + "\"timing\": {\n" + pad + "  \"use\": \"add_to_boil\",\n" +
                          measure("duration", "min", "60", pad + "  ") + "\n" + pad + "}") +
               (i < 13 ? ",\n" : "\n");
    out += "          ],\n          \"miscellaneous_additions\": [\n";
    for (int i = 0; i < 4; i++)
        out += record(i, "Ingrédient",
                      pad + "\"type\": \"fining\",\n" + measure("amount", "g", "5", pad) + ",\n" + pad +
                          "\"timing\": {\n" + pad + "  \"use\": \"add_to_boil\",\n" +
                          measure("duration", "min", "10", pad + "  ") + "\n" + pad + "}") +
               (i < 3 ? ",\n" : "\n");
    out += "          ],\n          \"culture_additions\": [\n";
    for (int i = 0; i < 2; i++)
        out +=
            record(i, "Levure",
                   pad + "\"type\": \"ale\",\n" + pad + "\"form\": \"liquid\",\n" +
                       measure("attenuation", "%", "75", pad) + ",\n" + measure("amount", "ml", "125", pad)) +
            (i < 1 ? ",\n" : "\n");
    out += "          ]\n        },\n        \"mash\": {\n          \"name\": \"Paliers\",\n" +
           measure("grain_temperature", "C", "20", "          ") + ",\n          \"mash_steps\": [\n";
    for (int i = 0; i < 4; i++)
        out += record(i, "Palier",
                      pad + "\"type\": \"infusion\",\n" + measure("step_temperature", "C", "66", pad) +
                          ",\n" + measure("step_time", "min", "20", pad)) +
               (i < 3 ? ",\n" : "\n");
    out += "          ]\n        },\n        \"fermentation\": {\n          \"name\": \"Ale\",\n"
           "          \"fermentation_steps\": [\n";
    for (int i = 0; i < 2; i++)
        out += record(i, "Étape",
                      measure("start_temperature", "C", "19", pad) + ",\n" +
                          measure("step_time", "day", "7", pad)) +
               (i < 1 ? ",\n" : "\n");
    out += "          ]\n        },\n        \"notes\": \"" + std::string(2000, 'n') + "\",\n" +
           measure("original_gravity", "sg", "1.052", "        ") + ",\n" +
           measure("final_gravity", "sg", "1.012", "        ") + ",\n        \"boil\": {\n" +
           measure("boil_time", "min", "60", "          ") + "\n        }\n      }";
    return out;
}

// Recipes, then 100 styles, up to `bytes`.
std::string large_file(size_t bytes)
{
    std::string styles;
    for (int s = 0; s < 100; s++)
        styles += std::string(s ? ",\n" : "") + "      {\n        \"name\": \"Style " + std::to_string(s) +
                  "\",\n        \"category\": \"Catégorie\",\n        \"style_guide\": \"BJCP\",\n"
                  "        \"type\": \"beer\",\n        \"original_gravity\": {\n" +
                  measure("minimum", "sg", "1.040", "          ") + ",\n" +
                  measure("maximum", "sg", "1.060", "          ") + "\n        }\n      }";
    std::string file = "{\n  \"beerjson\": {\n    \"version\": 2.06,\n    \"recipes\": [\n";
    const std::string end = "\n    ],\n    \"styles\": [\n" + styles + "\n    ]\n  }\n}\n";
    for (int r = 0; file.size() + end.size() < bytes; r++) {
        const std::string recipe = (r ? ",\n" : "") + verbose_recipe(r);
        if (file.size() + recipe.size() + end.size() > bytes)
            break;
        file += recipe;
    }
    return file + end;
}

} // namespace

static void BM_ReadBeerJson15MB(benchmark::State& state)
{
    const std::string file = large_file(15500000);
    size_t recipes = 0;
    for (auto _ : state) {
        const ForeignFile content = read_beerjson(file);
        recipes = content.recipes.size();
        benchmark::DoNotOptimize(recipes);
    }
    state.SetLabel(std::to_string(file.size() / 1000) + " kB, " + std::to_string(recipes) +
                   " recipes (target: under 1 s)");
}
BENCHMARK(BM_ReadBeerJson15MB)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// The most recipes the caps let through, each one empty object: the cost of one parse per recipe.
static void BM_ReadBeerJsonManyEmptyRecipes(benchmark::State& state)
{
    std::string file = "{\"beerjson\": {\"version\": 1.0, \"recipes\": [";
    for (size_t i = 0; i + 3 < kMostJsonContainers;
         i++) // the root, "beerjson" and the array are the other three
        file += i ? ",{}" : "{}";
    file += "]}}";
    for (auto _ : state) {
        const ForeignFile content = read_beerjson(file);
        benchmark::DoNotOptimize(content.recipes.size());
    }
    state.SetLabel(std::to_string(file.size() / 1000) + " kB, " + std::to_string(kMostRecipes) +
                   " recipes read, the rest counted");
}
BENCHMARK(BM_ReadBeerJsonManyEmptyRecipes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

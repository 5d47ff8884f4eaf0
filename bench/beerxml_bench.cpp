// bench/beerxml_bench.cpp — reading a large BeerXML file: 30 recipes in 1 MB, written as the most verbose
// programs write them (every optional element, long notes, display fields), with a few quirks to normalise;
// and the files made to cost the reader the most (bench/beerxml_files.h), up to the 16 MB cap.
#include "bench/beerxml_files.h"
#include "recipe/formats/beerxml_read.h"

#include <benchmark/benchmark.h>

#include <string>

static std::string verbose_record(const char* tag, int i, const char* body)
{
    std::string notes(610, 'n');
    return std::string("  <") + tag + ">\n   <NAME>" + tag + " n&deg; " + std::to_string(i) +
           "</NAME>\n   <VERSION>1</VERSION>\n" + body + "   <NOTES>" + notes +
           "</NOTES>\n   <DISPLAY_AMOUNT>1.00 oz</DISPLAY_AMOUNT>\n   <INVENTORY>0.00 oz</INVENTORY>\n  </" +
           tag + ">\n";
}

// About 1 MB: 30 recipes of 12 malts, 14 hops, 4 other ingredients, 2 yeasts and a 4-step mash each.
static std::string large_file()
{
    std::string file = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RECIPES>\n";
    for (int r = 0; r < 30; r++) {
        file += "<RECIPE>\n <NAME>Recette " + std::to_string(r) +
                "</NAME>\n <VERSION>1</VERSION>\n"
                " <TYPE>All Grain</TYPE>\n <BATCH_SIZE>20.8197648</BATCH_SIZE>\n <BOIL_TIME>60</BOIL_TIME>\n"
                " <EFFICIENCY>72.0</EFFICIENCY>\n <EST_OG>1.056 SG</EST_OG>\n <IBU>32.4 IBU</IBU>\n";
        file += " <FERMENTABLES>\n";
        for (int i = 0; i < 12; i++)
            file += verbose_record(
                "FERMENTABLE", i,
                "   <TYPE>Grain</TYPE>\n   <AMOUNT>0.45359237</AMOUNT>\n   <YIELD>78.0</YIELD>\n"
                "   <COLOR>2.5</COLOR>\n   <MOISTURE>-</MOISTURE>\n   <POTENTIAL>1.036</POTENTIAL>\n");
        file += " </FERMENTABLES>\n <HOPS>\n";
        for (int i = 0; i < 14; i++)
            file +=
                verbose_record("HOP", i,
                               "   <ALPHA>5.50</ALPHA>\n   <AMOUNT>0.0283500</AMOUNT>\n   <USE>Boil</USE>\n"
                               "   <TIME>60.000</TIME>\n   <FORM>Pellet</FORM>\n   <BETA>3.50</BETA>\n");
        file += " </HOPS>\n <MISCS>\n";
        for (int i = 0; i < 4; i++)
            file += verbose_record("MISC", i,
                                   "   <TYPE>Fining</TYPE>\n   <USE>Boil</USE>\n   <TIME>10</TIME>\n"
                                   "   <AMOUNT>0.001232</AMOUNT>\n");
        file += " </MISCS>\n <YEASTS>\n";
        for (int i = 0; i < 2; i++)
            file += verbose_record("YEAST", i,
                                   "   <TYPE>Ale</TYPE>\n   <FORM>Liquid</FORM>\n   <AMOUNT>0.035</AMOUNT>\n"
                                   "   <ATTENUATION>72.0</ATTENUATION>\n");
        file += " </YEASTS>\n <MASH>\n  <NAME>Single Infusion</NAME>\n  <MASH_STEPS>\n";
        for (int i = 0; i < 4; i++)
            file +=
                verbose_record("MASH_STEP", i, "   <TYPE>Infusion</TYPE>\n   <STEP_TEMP>66</STEP_TEMP>\n");
        file += "  </MASH_STEPS>\n </MASH>\n</RECIPE>\n";
    }
    return file + "</RECIPES>\n";
}

static void BM_ReadBeerXml1MB30Recipes(benchmark::State& state)
{
    const std::string file = large_file();
    for (auto _ : state) {
        const ForeignFile content = read_beerxml(file);
        benchmark::DoNotOptimize(content.recipes.size());
    }
    state.counters["bytes"] = static_cast<double>(file.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadBeerXml1MB30Recipes)->Unit(benchmark::kMillisecond);

// Files made to cost the reader the most per byte (bench/beerxml_files.h), at the 16 MB cap and below: the
// target is under 2 s for any of them.
static void BM_ReadHostileBeerXml(benchmark::State& state)
{
    const HostileFile kind = hostile_files().at(static_cast<size_t>(state.range(0)));
    const std::string file = hostile_file(kind, static_cast<size_t>(state.range(1)) << 20);
    for (auto _ : state) {
        const ForeignFile content = read_beerxml(file);
        benchmark::DoNotOptimize(content.recipes.size());
    }
    state.SetLabel(std::string(kind.name) + ", " + std::to_string(state.range(1)) + " MB");
}
BENCHMARK(BM_ReadHostileBeerXml)
    ->ArgsProduct({benchmark::CreateDenseRange(0, static_cast<int>(hostile_files().size()) - 1, 1), {1, 16}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

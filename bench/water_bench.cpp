// bench/water_bench.cpp — one estimate of the water and mash pH of a 30-line recipe (target: under 50 µs).
#include "calc/water_chemistry.h"
#include "refdata/water_profiles.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Thirty lines of a full brew: two waters of known profile, a rinse water, eight grains (an acid malt among
// them), five salts, an acid, and hops, sugars and yeast that the chemistry passes over.
static std::vector<RecipeLine> thirty_lines()
{
    static const char* const kinds[][6] = {
        {"EAU", "Eau de Volvic", "15 L", "VOLVIC", "0", "EMPATAGE"},
        {"EAU", "Eau osmosée", "5 L", "OSMOSÉE", "0", "EMPATAGE"},
        {"EAU", "Eau du robinet", "12 L", "ROBINET MOYEN", "0", "RINCAGE"},
        {"MALT", "Malt Pilsen", "4 KG", "3.5", "81", "EMPATAGE"},
        {"MALT", "Malt de Munich clair", "1 KG", "15", "80", "EMPATAGE"},
        {"MALT", "Malt de Vienne", "500 G", "8", "80", "EMPATAGE"},
        {"MALTFROMENT", "Malt de blé clair", "500 G", "4", "83", "EMPATAGE"},
        {"MALTSPECIAL", "Malt CaraMunich type 2", "300 G", "120", "75", "EMPATAGE"},
        {"MALTSPECIAL", "Malt Crystal", "200 G", "150", "74", "EMPATAGE"},
        {"MALTSPECIAL", "Malt chocolat", "100 G", "1000", "70", "EMPATAGE"},
        {"MALTSPECIAL", "Malt acide", "150 G", "4", "77", "EMPATAGE"},
        {"AUTRE", "Gypse", "3 G", "CASO4", "0", "EMPATAGE"},
        {"AUTRE", "Chlorure de calcium", "2 G", "CACL2", "0", "EMPATAGE"},
        {"AUTRE", "Sel d'Epsom", "1 G", "MGSO4", "0", "EMPATAGE"},
        {"AUTRE", "Bicarbonate de sodium", "1 G", "NAHCO3", "0", "EMPATAGE"},
        {"AUTRE", "Gypse", "2 G", "CASO4", "0", "RINCAGE"},
        {"AUTRE", "Acide lactique", "2 ML", "LACTIQUE", "80", "EMPATAGE"},
    };
    std::vector<RecipeLine> lines;
    for (int i = 0; i < 30; i++) {
        RecipeLine l;
        if (i < 17) {
            const char* const* k = kinds[i];
            l.category = k[0];
            l.designation = k[1];
            l.quantity = k[2];
            l.value = k[3];
            l.yield = k[4];
            l.step = k[5];
        } else {
            l.category = i % 2 ? "HOUBLONPELLET" : "LEVURE";
            l.designation = "Ingrédient " + std::to_string(i);
            l.quantity = "20 G";
            l.value = "10";
            l.yield = "75";
            l.step = i % 2 ? "EBULLITION" : "FERMENTATION";
        }
        l.time = "0";
        lines.push_back(l);
    }
    return lines;
}

static std::vector<WaterProfile> some_profiles()
{
    std::vector<WaterProfile> profiles;
    for (const char* line :
         {"Osmosée\t0\t0\t0\t0\t0\t0\t7", "Volvic\t12\t8\t12\t9\t15\t74\t7",
          "Robinet moyen\t80\t8\t15\t40\t30\t220\t7.6", "Burton\t295\t45\t55\t725\t25\t300\t7.5"}) {
        WaterProfile p;
        parse_water_profile(line, p);
        profiles.push_back(p);
    }
    // As many profiles as the bundled file, so that the name search costs what it does there.
    for (int i = 0; i < 28; i++) {
        WaterProfile p;
        parse_water_profile("Profil " + std::to_string(i) + "\t50\t5\t5\t20\t20\t100\t7.5", p);
        profiles.push_back(p);
    }
    return profiles;
}

static void BM_MashPhOfThirtyLines(benchmark::State& state)
{
    const std::vector<RecipeLine> lines = thirty_lines();
    const std::vector<WaterProfile> profiles = some_profiles();
    for (auto _ : state) {
        const WaterChemistry w = water_chemistry(lines.data(), lines.size(), profiles);
        benchmark::DoNotOptimize(w.model_ph);
    }
}
BENCHMARK(BM_MashPhOfThirtyLines)->Unit(benchmark::kMicrosecond);

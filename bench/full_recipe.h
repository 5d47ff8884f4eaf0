// bench/full_recipe.h — a recipe of 256 lines of the eight kinds that the evaluation reads, shared by the
// benchmarks. The pictures are those of the bundled folder (none when run elsewhere).
#pragma once

#include "core/workspace.h"
#include "tests/line_fixtures.h"

#include <string>

// Replaces the recipe's lines by the 256 lines; the settings and the style are left as they are.
inline void add_full_recipe_lines()
{
    static const char* const kinds[][8] = {
        {"eau", "EAU", "20 L", "", "", "", "EMPATAGE", "0.002 L"},
        {"eaurincage", "EAU", "10 L", "", "", "", "RINCAGE", "0.002 L"},
        {"malt1", "MALT", "5 KG", "8", "80", "", "EMPATAGE", "2.4 KG"},
        {"malt3", "MALTSPECIAL", "250 G", "120", "75", "", "EMPATAGE", "4 KG"},
        {"houbloncone", "HOUBLONCONE", "40 G", "5", "", "60", "EBULLITION", "0.08 G"},
        {"houblonpellet", "HOUBLONPELLET", "20 G", "12", "", "15", "AROMATISATION", "0.1 G"},
        {"sucre", "SUCRE", "500 G", "0", "100", "", "EBULLITION", "1.5 KG"},
        {"levure", "LEVURE", "11 G", "", "75", "", "FERMENTATION", "0.3 G"},
    };
    ws.line_count = 0;
    for (int i = 0; i < kLineCapacity; i++) {
        const char* const* k = kinds[i % 8];
        add_recipe_line(k[0], k[1], "Ingrédient " + std::to_string(i), k[2], k[3], k[4], k[5], k[6], k[7]);
    }
}

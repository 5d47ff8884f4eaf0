// tests/calc_recipes.h — the worked pale-ale recipe and its settings, shared by the brewing calculation
// tests.
#pragma once

#include "core/workspace.h"
#include "line_fixtures.h"
#include "random_recipe.h"

// Settings of the worked example: yield 75 %, losses 10 % / 1 L per kg / 10 % / 10 L per kg, full
// attenuation.
inline void use_worked_example_settings()
{
    set_worked_example_brewery(ws.settings);
}

// 20 L mash water, 10 L rinse water, 5 kg pale malt, 40 g of 5 % hops boiled 60 minutes.
inline void add_worked_example_lines_without_yeast()
{
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "0.01 L");
    add_recipe_line("", "EAU", "Eau", "10 L", "", "", "", "RINCAGE", "0.01 L");
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EMPATAGE", "2 KG");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "30 KG");
}

// The worked example from a fresh workspace: the lines above and one yeast of 75 % attenuation.
inline void load_worked_example()
{
    reset_workspace();
    use_worked_example_settings();
    add_worked_example_lines_without_yeast();
    add_recipe_line("", "LEVURE", "Ale", "11 G", "", "75", "", "FERMENTATION", "3 G");
}

// The forced-volume example: 3 L per kg, losses 10 % / 1 L per kg / 10 % / 10 L per kg, and 5 kg of grain and
// 40 g of hops already summed by an evaluation.
inline void use_forced_volume_example()
{
    Settings& s = ws.settings;
    s.litres_per_kilo = 3;
    s.loss_mash = 10;
    s.loss_grain = 1;
    s.loss_boil = 10;
    s.loss_hops = 10;
    ws.estimates.malt_kg = 5;
    ws.estimates.hop_kg = 0.04;
}

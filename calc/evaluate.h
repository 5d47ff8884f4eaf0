// calc/evaluate.h — the recipe on screen and its estimates: the one place where calc/ reads and writes the
// workspace. Every rule under these functions is pure and takes plain values.
#pragma once

#include "calc/brew_day.h"
#include "calc/estimate.h"
#include "calc/recipe_change.h"
#include "calc/results_text.h"
#include "calc/water_chemistry.h"

#include <string>
#include <vector>

// The settings the recipe on screen is brewed under: the configuration's, with the recipe's own efficiency
// and boil time when its plan sets them (calc/recipe_settings.h). Every estimate, cost and export uses these.
Settings settings_on_screen();

// Rewrites every estimate (not the priming ones) and the three computed numbers of every line (0 for a line
// that does not count).
// While the volume is forced it also rewrites the first mash and rinse water lines.
void evaluate_recipe();

// The cost of the recipe on screen under the settings (calc/cost.h).
double recipe_cost_on_screen();

// The priming for the recipe's carbonation: keeps its per-litre figures with the estimates and gives its
// message for the last evaluation's final volume (calc/priming.h).
std::string priming_text_on_screen();

// The recipe on screen as the report shows it, its cost and priming figures computed afresh (the priming
// figures are also kept with the estimates, as priming_text_on_screen does).
RecipeReport recipe_report_on_screen();

// The results panel's texts for the last evaluation and the recipe's style (calc/results_text.h).
ResultsText results_text_on_screen();

// The lines and forced volume of the recipe on screen, as the pure functions take them.
std::vector<RecipeLine> recipe_lines_on_screen();
ForcedVolume forced_volume_on_screen();

// The entries of the ingredient database loaded into the workspace, in order.
std::vector<IngredientEntry> ingredient_database();

// Writes a done change's quantities and forced volume into the recipe on screen (nothing else of the lines
// changes); does nothing for a change that is not done.
void apply_recipe_change(const RecipeChange& change);

// Forces the final volume to `litres` and writes the water that gives it into the first mash and rinse water
// lines, from the last evaluation's grain and hop weights; a volume that is not a positive finite number
// turns the forcing off (the water lines keep their last quantities).
void set_forced_volume_on_screen(double litres);

// Computes the forced water for `target_litres` from the last evaluation's grain and hop weights, keeps it
// with the estimates and writes it into the first mash water line and the first rinse water line.
void compute_forced_water(double target_litres);

// Sets the carbonation to `volumes` ("2.5 VOL") and gives the carbonation message with its priming.
std::string set_carbonation_on_screen(double volumes);

// Sets the title, each tab or line end a blank, so that it stays on its line of the recipe file.
void set_title_on_screen(const std::string& title);

// Brings the recipe on screen to `litres` of final volume (calc/scale.h); gives the French reason when it
// could not, and then changes nothing.
std::string scale_recipe_on_screen(double litres);

// The brew day of the recipe on screen from the last evaluation (calc/brew_day.h).
BrewDay brew_day_on_screen();
// The change that brings the mash pH of the recipe on screen to `target` (calc/water_solver.h), with the
// database's lactic acid when a line must be added.
RecipeChange mash_ph_change_on_screen(double target);

// The change that brings the mash water of the recipe on screen nearest the bundled profile `name`; not
// done, with the reason, when no profile is so named.
RecipeChange water_profile_change_on_screen(const std::string& name);

// Puts a done change's whole recipe on screen (a solver may have added a line); nothing for one not done.
void apply_whole_recipe_change(const RecipeChange& change);

// The water and mash pH of the recipe on screen with the bundled water profiles (calc/water_chemistry.h).
WaterChemistry water_chemistry_on_screen();

// Sets the recipe's own efficiency (percent) and boil time (minutes); -1 gives back the configuration's.
void set_brewhouse_on_screen(double efficiency_percent, double boil_minutes);

// Sets the recipe's notes.
void set_notes_on_screen(const std::string& notes);

// The brew day of the recipe on screen from the last evaluation, were its mash schedule `steps` (empty: the
// brewery's rests).
BrewDay brew_day_with_mash_on_screen(const std::vector<MashStep>& steps);

// Sets the recipe's mash schedule; empty gives back the brewery's rests.
void set_mash_on_screen(const std::vector<MashStep>& steps);

// core/workspace.h — the one process-wide state: reference data, settings, the recipe, the estimates.
#pragma once

#include "core/records.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kIngredientCapacity = 1024;
constexpr int32_t kStyleCapacity = 256;
constexpr int32_t kLineCapacity = 256;

// Arrays are numbered from 1; slot 0 exists and is never used. Their size never changes.
struct Workspace {
    std::vector<IngredientEntry> ingredients = std::vector<IngredientEntry>(kIngredientCapacity + 1);
    int32_t ingredient_count = 0;
    std::vector<StyleEntry> styles = std::vector<StyleEntry>(kStyleCapacity + 1);
    int32_t style_count = 0;
    Settings settings;

    std::vector<RecipeLine> lines = std::vector<RecipeLine>(kLineCapacity + 1);
    int32_t line_count = 0;
    StyleEntry style;
    std::string title;
    std::string carbonation;
    double forced_volume = 0; // litres; 0 when none was set
    int32_t volume_forced = 0;
    BrewingPlan plan;
    std::string file_name;
    std::string file_base_name;

    Estimates estimates;
    double calc_mash_water_l = 0;
    double calc_sparge_water_l = 0;
    int32_t style_display_mode = 0;

    int32_t selected_line = 0; // 0 when no line is selected
};

extern Workspace ws;

// Puts the workspace back to its all-zero process-start state (tests and the headless tool use it).
void reset_workspace();

// The recipe's start values: no file, the built-in style (entry 1), "2.5 VOL", no title.
void set_recipe_start_values();

// The line as the recipe on screen keeps it: a copy of its texts, its picture loaded and its number texts
// (quantity, value, yield, time, price) upper-cased.
RecipeLine stored_line(const RecipeLine& line);

// Appends stored_line(line); a 257th line is ignored.
void add_recipe_line(const RecipeLine& line);

// The databases loaded into the workspace, as the mappings read them.
ReferenceData reference_data();

// The two conversions between the workspace's recipe members and a Recipe value.

// A copy of the recipe on screen.
Recipe recipe_on_screen();

// A copy of the recipe on screen without its lines: the base that a file's reader completes.
Recipe recipe_fields_on_screen();

// Makes `recipe` the one on screen, its lines as they are (up to kLineCapacity); a selection beyond the new
// lines is cleared. The file name and the estimates are left alone.
void put_recipe_on_screen(const Recipe& recipe);

// The same, taking the recipe's texts instead of copying them.
void put_recipe_on_screen(Recipe&& recipe);

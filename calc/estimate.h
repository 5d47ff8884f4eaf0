// calc/estimate.h — the estimates of a list of recipe lines under given settings; touches no global state.
#pragma once

#include "core/brewing_units.h" // density_of_points, the rule the estimates end with
#include "core/line_figures.h"
#include "core/records.h"

#include <cstddef>
#include <vector>

// The figures one line contributes to the estimates. Only the fields its kind uses are set.
struct LineEstimate {
    bool fermentable = false;  // a grain in the mash, or a sugar or extract in the boil
    bool hop = false;          // a hop, whatever its step
    bool forced_water = false; // the first mash or rinse water line, whose quantity the forced volume sets
    double kg = 0;             // weight (fermentable and hop lines)
    double points = 0;         // extract points in the final volume (fermentable lines)
    double colour = 0;         // colour points before the 1.75 offset, or with Morey's model the line's malt
                               // colour units (fermentable lines)
    double ibu = 0;            // bitterness, pellet factor included (hop lines)
    double time_factor = 0;    // (hop lines)
    double gravity_factor = 0; // (hop lines)
    double forced_litres = 0;  // the quantity a forced_water line takes
    // Tinseth's model (hop lines): the share of the alpha acids in the beer, and a hop stand's temperature
    // (-1 for a hop that is not in one).
    double utilisation = 0;
    double stand_celsius = -1;
};

// The estimates of lines[0, size) (priming figures left at 0). When the volume is forced, the mash and rinse
// water are computed rather than read, and the lines that would carry them are marked in `per_line`, which
// (when given) receives one entry per line.
Estimates estimate(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line = nullptr);

// The estimates of a recipe: its lines under its forced volume.
Estimates estimate(const Recipe& recipe, const Settings& settings,
                   std::vector<LineEstimate>* per_line = nullptr);

// The same over lines[0, count), so that an array whose numbering starts elsewhere is read in place.
Estimates estimate(const RecipeLine* lines, size_t count, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line = nullptr);

// The same over the lines' figures (core/line_figures.h), which the texts are read into first.
Estimates estimate(const LineFigures* lines, size_t count, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line = nullptr);

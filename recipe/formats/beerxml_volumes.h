// recipe/formats/beerxml_volumes.h — the volumes a BeerXML export states, chosen so that a program that
// builds its batch from them (Brewtarget adds up the mash's infusions, then takes its losses) finds Cuvelo's.
#pragma once

#include "core/line_figures.h"
#include "core/records.h"

// The name of the mash's last infusion, which carries the rinse water: the import knows it from a rest.
constexpr const char* kRinseStepName = "Eau de rinçage";

// The brewhouse of one recipe as the format's RECIPE, EQUIPMENT and MASH records state it. Litres unless
// said.
struct ExportVolumes {
    double batch_size = 0;  // the forced volume, or the one that, forced, gives the estimated final volume
    double boil_size = 0;   // the wort into the kettle, as Cuvelo counts it
    double mash_water = 0;  // the first infusion
    double rinse_water = 0; // the last infusion
    double absorption = 0;  // litres per kg of the grains written as grains
    double lauter_deadspace = 0; // the mash loss, and what the grains written as adjuncts absorb
    double boil_off = 0; // from the kettle to the final volume: the boil loss and the hops' absorption
    double boil_minutes = 0;
    double evaporation_per_hour = 0; // boil_off over the boil's hours
    double evaporation_percent = 0;  // the same in percent of the kettle's volume per hour, at most 100
    double tun_volume = 0;           // the mash water and about a litre per kilogram of grain
    // --- Top-up: the water poured into the fermenter after the boil, part of batch_size, not of boil_size.
    double top_up = 0;
};

// True for a line whose extract the estimates count: a grain at the mash, or a sugar or an extract in the
// boil.
bool counts_as_fermentable(const LineFigures& line);

// True for a line of the four grains that the format writes as adjuncts (GRAIN, FLOCON).
bool is_adjunct(Category category);

// The volumes of the report's recipe under its settings and estimates.
ExportVolumes export_volumes(const RecipeReport& report);

// core/records.h — the plain records of the program: ingredients, styles, recipe lines, settings, estimates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

typedef struct _GdkPixbuf GdkPixbuf;

// One entry of the ingredient database. Brewing values stay text, as read, and are converted at each use.
struct IngredientEntry {
    int32_t id = 0; // group base + position in the group; 0 for an unknown category
    std::string category;
    std::string picture;
    std::string designation;
    std::string quantity; // upper-cased
    std::string value;    // upper-cased
    std::string yield;    // upper-cased
    std::string time;     // upper-cased
    std::string step;
    std::string price;
    std::string group; // label of the sub-menu that lists the entry
};

// One style: the twelve texts of a line of the style database, in file order.
struct StyleEntry {
    std::string category;
    std::string name;
    std::string og_min;
    std::string og_max;
    std::string fg_min;
    std::string fg_max;
    std::string ebc_min;
    std::string ebc_max;
    std::string ibu_min;
    std::string ibu_max;
    std::string picture;
    std::string description;
};

// The twelve fields of a style in file order: the one list that the style file's reader and the recipe
// file's STYLE line both follow.
inline constexpr std::string StyleEntry::*kStyleFields[] = {
    &StyleEntry::category, &StyleEntry::name,    &StyleEntry::og_min,  &StyleEntry::og_max,
    &StyleEntry::fg_min,   &StyleEntry::fg_max,  &StyleEntry::ebc_min, &StyleEntry::ebc_max,
    &StyleEntry::ibu_min,  &StyleEntry::ibu_max, &StyleEntry::picture, &StyleEntry::description,
};

// One ingredient line of the recipe. The picture is borrowed from the picture cache (core/picture.h),
// so copying a line shares it and nothing has to be released.
struct RecipeLine {
    GdkPixbuf* picture_pixbuf = nullptr;
    // The evaluation's figures sit at the front, in the memory that its reading of the category brings in.
    double gravity_points = 0; // written by the evaluation
    double colour_points = 0;  // written by the evaluation
    double line_ibu = 0;       // written by the evaluation
    std::string picture;
    std::string category;
    std::string designation;
    std::string quantity;
    std::string value;
    std::string yield;
    std::string time;
    std::string step;
    std::string price;
    int32_t sort_key = 0; // written by the sort
};

// A final volume that the water lines are made to give, when `on`. The litres are kept when it is off (a file
// may hold any number there), and saved again as read.
struct ForcedVolume {
    bool on = false;
    double litres = 0;
};

// How a mash step reaches its temperature.
enum class MashStepKind {
    infusion,    // hot water added
    direct_heat, // the tun heated
    decoction,   // part of the mash boiled and returned
};

// One rest of a recipe's mash schedule.
struct MashStep {
    std::string name;
    double temperature = 0; // °C
    double minutes = 0;
    MashStepKind kind = MashStepKind::infusion;
};

// One step of the fermentation, as the brewer plans it.
struct FermentationStep {
    std::string name;       // "Primaire", "Garde"…
    double temperature = 0; // °C
    double days = 0;
};

// What the brewer set for this recipe alone, beyond its lines. A figure below 0 or an empty schedule means
// the brewery's setting (the configuration) applies, so a file without them reads and computes as before.
struct BrewingPlan {
    double efficiency = -1;   // percent
    double boil_minutes = -1; // minutes
    std::string notes;
    std::vector<MashStep> mash;
    double measured_ph = -1; // the mash pH the brewer measured
    // --- Fermentation steps (empty: none planned).
    std::vector<FermentationStep> fermentation;
};

// A recipe as a brewer edits it: what is saved, undone, imported, exported, scaled and solved. Its lines are
// numbered from 0; the recipe on screen holds at most kLineCapacity (core/workspace.h) of them.
struct Recipe {
    std::vector<RecipeLine> lines;
    StyleEntry style;
    std::string title;
    std::string carbonation;
    ForcedVolume forced;
    BrewingPlan plan;
};

// A recipe line with the entry's texts (the picture is loaded when the line is stored).
RecipeLine recipe_line_of(const IngredientEntry& entry);

// True when the two recipes hold the same texts (the lines' computed figures and pictures aside).
bool same_recipe(const Recipe& a, const Recipe& b);

// How the colour of the beer is estimated from its fermentables.
enum class ColourModel {
    linear, // each line's colour weighted by its extract points, plus 1.75
    morey,  // Morey's curve over the malt colour units (EBC × kg / L)
};

// How the densities are estimated from the fermentables.
enum class GravityModel {
    classic, // each line's extract over its own weight plus the final volume, the yield on grains only
    extract, // the extract of all lines (yield × efficiency for mashed grains) into the final volume, in
             // °Plato
};

// How the bitterness of the hop lines is estimated.
enum class BitternessModel {
    classic, // every hop boils for its time on a hyperbolic-tangent curve, whatever its step
    tinseth, // Tinseth's curve for boiled hops, hop stands by their temperature, dry hops 0
};

// How far the fermentables ferment.
enum class AttenuationModel {
    classic, // the yeast's attenuation, times the configured factors of the grain and sugar shares by weight
    mash,    // mashed grains by the yeast's attenuation moved by the conversion temperature, sugars whole
};

// The configuration keys. Indices 1 to 4 of the rest arrays are used, 0 never.
struct Settings {
    double efficiency = 0; // fraction
    double rest_first[5] = {0, 0, 0, 0, 0};
    double rest_minutes[5] = {0, 0, 0, 0, 0};
    double loss_grain = 0;        // litres per kg of grain
    double loss_hops = 0;         // litres per kg of hops
    double loss_mash = 0;         // percent
    double loss_boil = 0;         // percent
    double boil_minutes = 0;      // minutes
    double attenuation_malt = 0;  // fraction
    double attenuation_sugar = 0; // fraction
    double pellet_yield = 0;      // fraction
    double heating_cost = 0;      // cost of one hour of heating
    double litres_per_kilo = 0;   // litres of mash water per kg of grain
    std::string browser;
    std::string colour_min; // hex digits, no "#"
    std::string colour_max;
    ColourModel colour_model = ColourModel::linear;
    // Brew day: volumes at every stage and the strike water. Absent keys keep the older figures.
    double boil_off_litres_per_hour = 0; // 0: the boil loss in percent applies
    double kettle_loss = 0;              // litres left in the kettle: dead space, trub, chiller
    double fermenter_loss = 0;           // litres left in the fermenter at packaging
    double grain_temperature = 20;       // °C
    double tun_heat_loss = 0;            // °C the mash tun takes from the strike water
    double cooling_shrinkage = 0;        // percent the wort shrinks from boiling to pitching
    double ph_correction = 0; // added to every mash pH predicted: the brewery's mean measured difference
    // Brewing models: each key absent keeps the classic rule.
    GravityModel gravity_model = GravityModel::classic;          // MODELE_DENSITE
    BitternessModel bitterness_model = BitternessModel::classic; // MODELE_AMERTUME
    double aroma_celsius = 80; // TEMPERATURE_AROMATISATION: the hop stand of an AROMATISATION line, °C
    AttenuationModel attenuation_model = AttenuationModel::classic; // MODELE_ATTENUATION
    // The recipe's conversion temperature (°C) for the mash model; below 0: the brewery's rests give it.
    double conversion_celsius = -1;
};

// The ions of a water that brewing counts, in mg/L.
struct Ions {
    double ca = 0;
    double mg = 0;
    double na = 0;
    double so4 = 0;
    double cl = 0;
    double hco3 = 0;
};

// One profile of the water-profile database: a bottled or city water, or a classic brewing water to aim at.
struct WaterProfile {
    std::string name;
    std::string key; // the name as names are compared (refdata/water_profiles.h)
    Ions ions;
    double ph = 7;
};

// The results of the last evaluation. Densities are density × 1000.
struct Estimates {
    double malt_kg = 0;
    double hop_kg = 0;
    double final_volume = 0; // litres
    double mash_water = 0;   // litres
    double rinse_water = 0;  // litres
    double initial_density = 0;
    double final_density = 0;
    double colour_ebc = 0;
    double bitterness_ibu = 0;
    double alcohol = 0;           // percent by volume
    double attenuation = 0;       // fraction: the yeasts' average, as the final density used it
    double sugar_per_litre = 0;   // g/L, written by the priming
    double extract_per_litre = 0; // g/L, written by the priming
    // The water and the mash pH (calc/water_chemistry.h); all 0 when there is no grain or no water of known
    // profile in the mash.
    double mash_ph = 0;             // at room temperature, the brewery's correction included
    double ph_correction = 0;       // the brewery's correction that mash_ph includes
    Ions mash_ions;                 // the mash water with its salts, mg/L
    Ions all_ions;                  // all the water (mash and rinse) with every salt, mg/L
    double so4_cl_ratio = 0;        // of the mash water; 0 without chloride
    double residual_alkalinity = 0; // of the mash water, mEq/L
    // --- Top-up: water poured into the fermenter after the boil (the extract model's water lines at
    // FERMENTATION), litres; final_volume includes it.
    double top_up_water = 0;
};

// What the report shows of a recipe: the recipe, the name of its file, its last estimates (the priming
// figures included), the settings they were computed under, and its cost.
struct RecipeReport {
    Recipe recipe;
    std::string file_base_name;
    Estimates estimates;
    Settings settings;
    double cost = 0;
    std::vector<std::string> water_breakdown; // each line's share of the mash's charge balance, French
    // The water of the mash as the brew day pours it, for formats that state it: the strike water's
    // temperature (°C) for the first of the recipe's rests, the rinse water's, 0 when unknown.
    double strike_celsius = 0;
    double sparge_celsius = 0;
};

// The reference data a mapping reads: the ingredient and style databases, numbered from 1 up to their
// counts as the workspace keeps them (style 1 is the built-in one).
struct ReferenceData {
    const std::vector<IngredientEntry>& ingredients;
    int32_t ingredient_count;
    const std::vector<StyleEntry>& styles;
    int32_t style_count;
};

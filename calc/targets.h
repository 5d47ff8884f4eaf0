// calc/targets.h — the quantities that give a wanted density, colour and bitterness.
#pragma once

#include "calc/recipe_change.h"

#include <string>
#include <vector>

// The estimates a brewer aims at; only those that are `on` are sought.
struct Targets {
    bool og_on = false;
    double og = 0; // density × 1000
    bool ebc_on = false;
    double ebc = 0;
    bool ibu_on = false;
    double ibu = 0;
};

// How far a sought estimate may land from its target once the quantities are written.
constexpr double kTargetTolerance = 0.5;

// The estimate a target is about.
enum class Aim { density, colour, bitterness };

// Why a target cannot be met.
enum class MissReason {
    no_fermentable,     // no grain in the mash, no sugar or extract in the boil
    water_drunk,        // more grain or hops would leave too little beer
    lighter_than_water, // a wort is denser than water
    least_weighable,    // even the least weighable amount of the lines gives more
    no_darker_grain,    // no grain of the mash is darker than the others
    density_not_held,   // the density cannot be held while the grist changes
    usual_shares,       // the darker grains are at the usual share of the grist for their kind
    darker_alone,       // even the darker grains alone (`line` the darkest) give no more
    lighter_alone,      // with the least of the darker grains (`line` the darkest) the others give more
    no_hop,             // no hop that gives bitterness
    weighing,           // the rounded weights cannot come close enough
    weighed_to_nothing, // the quantities found would weigh `line` to nothing
};

// A target out of reach: which, why, and the nearest value the recipe can really give.
struct Miss {
    Aim which = Aim::density;
    MissReason reason = MissReason::weighing;
    double target = 0;
    double nearest = 0;
    std::string line;   // the recipe line the reason names, "" when none
    std::string to_add; // a grain of the database that would reach the target, "" when none is known
};

// The French message of a miss: the target, the reason, the grain to add if any, then on a line of its own
// (after a CR) the nearest possible value.
std::string miss_text(const Miss& miss);

// Why a target value makes no sense for its estimate (negative, or beyond any beer), in French; "" when it
// may be sought. The density is × 1000.
std::string target_value_problem(Aim which, double value);

// A density as the estimates hold it (× 1000): 1.055 is read as 1055, every other value is kept.
double density_thousandths(double value);

// Reads "og=1055,ebc=20,ibu=35" (any of the three, in any order, separated by commas or semicolons; plain
// decimal numbers with a point or a comma; a density below 2 is read as 1.055). False, with a French reason
// naming the item, for an unknown name, a number that is not a plain decimal or makes no sense, or an
// empty list.
bool parse_targets(const std::string& text, Targets& targets, std::string* why);

// Changes quantities only, never adds or removes lines, and never weighs a line to nothing: the density by
// one factor on every fermentable line that counts; the colour by the grains darker than the grist's average
// (each kind kept within its usual share of the grist unless it already has more) against the other grains,
// the whole grist then rescaled to hold the density; the bitterness by one factor on the hop lines that give
// bitterness. A target the recipe already meets needs no such line. Done when every sought estimate is within
// kTargetTolerance after the quantities are rounded; otherwise the message (miss_text) names the target out
// of reach, the nearest value the recipe can give and, when `database` holds one, a grain the brewer could
// add.
RecipeChange solve_targets(const Recipe& recipe, const Settings& settings, const Targets& targets,
                           const std::vector<IngredientEntry>& database = {});

// The same, with the miss as a record (`miss` is set only when the change is not done).
RecipeChange solve_targets(const Recipe& recipe, const Settings& settings, const Targets& targets,
                           const std::vector<IngredientEntry>& database, Miss* miss);

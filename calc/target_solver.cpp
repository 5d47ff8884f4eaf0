// calc/target_solver.cpp — the search behind solve_targets: the density, the bitterness, and the rounds that
// settle all three.
#include "calc/target_solver.h"

#include "calc/root_search.h"
#include "calc/scale.h"
#include "core/keywords.h"
#include "core/quantity.h"

#include <algorithm>
#include <cmath>

namespace target_search
{

std::string trial_weight(double grams)
{
    if (!(grams >= 0 && grams < 1e8))
        return quantity_text(grams, Unit::gram);
    unsigned long long micrograms = static_cast<unsigned long long>(std::llround(grams * 1e6));
    char digits[32];
    int n = 0;
    for (int place = 0; place < 7 || micrograms > 0; place++) {
        if (place == 6)
            digits[n++] = '.';
        digits[n++] = static_cast<char>('0' + micrograms % 10);
        micrograms /= 10;
    }
    std::string text(digits, static_cast<size_t>(n));
    return std::string(text.rbegin(), text.rend()) + " G";
}

double density_read(const Estimates& e)
{
    return e.initial_density == 0 ? 999.5 : e.initial_density;
}

Solver::Solver(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced,
               const std::vector<IngredientEntry>& database)
    : lines_(lines), settings_(settings), forced_(forced), database_(database), grams_(lines.size(), 0)
{
    std::vector<LineEstimate> per_line;
    // Grain and hops drink water: quantities that leave less than half the volume are not a recipe. A
    // forced volume the grain's mash water passes comes back as the grain lessens.
    least_volume_ = estimate(lines_, settings_, forced_, &per_line).final_volume / 2;
    if (forced_.on)
        least_volume_ = std::min(least_volume_, forced_.litres / 2);
    for (size_t k = 0; k < lines_.size(); k++) {
        const Unit unit = unit_of(lines_[k].quantity);
        if (unit != Unit::kilogram && unit != Unit::gram)
            continue;
        grams_[k] = weight_of(lines_[k].quantity).grams;
        if (per_line[k].fermentable && per_line[k].kg > 0)
            fermentables_.push_back(k);
        if (per_line[k].hop && per_line[k].ibu > 0)
            hops_.push_back(k);
    }
}

Estimates Solver::checked() const
{
    Estimates e = now();
    if (!(e.final_volume >= least_volume_))
        e.initial_density = e.colour_ebc = e.bitterness_ibu = NAN;
    return e;
}

void Solver::put(size_t k, double grams, bool rounded)
{
    if (rounded) {
        lines_[k].quantity = written_weight(grams);
        grams_[k] = weight_of(lines_[k].quantity).grams;
    } else {
        lines_[k].quantity = trial_weight(grams);
        grams_[k] = grams;
    }
}

void Solver::scale(const Part& part, double factor, bool rounded)
{
    for (size_t n = 0; n < part.lines.size(); n++)
        put(part.lines[n], part.start[n] * factor, rounded);
}

Part Solver::part_of(const std::vector<size_t>& set) const
{
    Part part;
    part.lines = set;
    for (size_t k : set) {
        part.start.push_back(grams_[k]);
        part.grams += grams_[k];
    }
    return part;
}

double Solver::least_factor(const Part& part)
{
    double least = 0;
    for (double g : part.start)
        least = std::max(least, kLeastGrams / g);
    return least;
}

double Solver::rounded_value(const Part& part, double factor, Aim which)
{
    scale(part, factor, true);
    const Estimates e = now();
    return which == Aim::density ? e.initial_density : e.bitterness_ibu;
}

bool Solver::aim_part(const Part& part, Aim which, double target, Miss& miss)
{
    auto value = [&](double f) {
        scale(part, f, false);
        const Estimates e = checked();
        return which == Aim::density ? e.initial_density : e.bitterness_ibu;
    };
    double least = least_factor(part);
    double f_least = value(least);
    if (which == Aim::density && !(f_least >= 1000)) {
        // A wort lighter than water reads 0: the least is where the density starts to read.
        double hi = std::max(least, 1.0);
        for (int step = 0; step < 40; step++) {
            const double middle = (least + hi) / 2;
            (value(middle) >= kLeastDensity ? hi : least) = middle;
        }
        least = hi;
        f_least = value(least);
    }
    if (!(f_least <= target + kTargetTolerance)) {
        miss.nearest = rounded_value(part, least, which);
        if (miss.nearest - target <= kTargetTolerance)
            return true; // the rounded weights come close enough
        miss.reason = which == Aim::density && target < 1000 ? MissReason::lighter_than_water
                                                             : MissReason::least_weighable;
        return false;
    }
    if (f_least >= target) {
        scale(part, least, true); // within the tolerance above the least: the rounding decides
        return true;
    }
    const double start = std::max(least, 1.0);
    const double f_start = start == least ? f_least : value(start);
    double lo = least, f_lo = f_least;
    Reach r{start, f_start, f_start >= target};
    if (r.reached) {
        // Already bracketed by [least, start].
    } else {
        lo = start;
        f_lo = f_start;
        r = reach(value, target, start, f_start);
    }
    if (!r.reached) {
        miss.nearest = rounded_value(part, r.hi, which);
        if (target - std::max(r.f_hi, miss.nearest) <= kTargetTolerance)
            return true; // at the edge, the rounded weights come close enough
        miss.reason = MissReason::water_drunk;
        return false;
    }
    const double tolerance = which == Aim::density ? 0.005 : 0.01;
    weigh(part, meet(value, target, lo, f_lo, r.hi, r.f_hi, tolerance), which, target);
    return true;
}

void Solver::weigh(const Part& part, double factor, Aim which, double target)
{
    auto miss_at = [&](double f) {
        scale(part, f, true);
        const Estimates e = now();
        return std::fabs((which == Aim::density ? e.initial_density : e.bitterness_ibu) - target);
    };
    double best = factor, best_miss = miss_at(factor);
    if (best_miss <= kTargetTolerance / 4)
        return;
    // Half a step of the scales on the part's largest line, as a share of its amount.
    double largest = 0;
    for (double grams : part.start)
        largest = std::max(largest, grams * factor);
    const double step = (largest >= 1000 ? 0.5 : 0.05) / largest;
    for (int n = 1; n <= 12 && best_miss > kTargetTolerance / 4; n++)
        for (int sign : {-1, 1}) {
            const double f = factor * (1 + sign * n * step);
            const double m = miss_at(f);
            if (m < best_miss) {
                best = f;
                best_miss = m;
            }
        }
    scale(part, best, true);
}

bool Solver::density(double target, Miss& miss)
{
    const double current = now().initial_density;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return true; // held as it is: a brewer may keep a value the recipe has no means to move
    miss = Miss{Aim::density, MissReason::no_fermentable, target, current, "", ""};
    if (fermentables_.empty())
        return false;
    return aim_part(part_of(fermentables_), Aim::density, target, miss);
}

bool Solver::bitterness(double target, Miss& miss)
{
    const double current = now().bitterness_ibu;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return true;
    miss = Miss{Aim::bitterness, MissReason::no_hop, target, current, "", ""};
    if (hops_.empty())
        return false;
    return aim_part(part_of(hops_), Aim::bitterness, target, miss);
}

} // namespace target_search

namespace
{

// How far the estimates are from the targets that are sought, the worst of the three.
double worst_miss(const Estimates& e, const Targets& t)
{
    double miss = 0;
    if (t.og_on)
        miss = std::max(miss, std::fabs(e.initial_density - t.og));
    if (t.ebc_on)
        miss = std::max(miss, std::fabs(e.colour_ebc - t.ebc));
    if (t.ibu_on)
        miss = std::max(miss, std::fabs(e.bitterness_ibu - t.ibu));
    return miss;
}

// The first sought target that the estimates miss by more than `tolerance`, with what they give.
Miss weighing_miss(const Estimates& e, const Targets& t, double tolerance)
{
    if (t.og_on && !(std::fabs(e.initial_density - t.og) <= tolerance))
        return Miss{Aim::density, MissReason::weighing, t.og, e.initial_density, "", ""};
    if (t.ebc_on && !(std::fabs(e.colour_ebc - t.ebc) <= tolerance))
        return Miss{Aim::colour, MissReason::weighing, t.ebc, e.colour_ebc, "", ""};
    return Miss{Aim::bitterness, MissReason::weighing, t.ibu, e.bitterness_ibu, "", ""};
}

} // namespace

RecipeChange solve_targets(const Recipe& recipe, const Settings& settings, const Targets& targets,
                           const std::vector<IngredientEntry>& database, Miss* miss_out)
{
    const std::vector<RecipeLine>& lines = recipe.lines;
    RecipeChange change;
    Miss miss;
    auto refuse = [&] {
        change.message = miss_text(miss);
        if (miss_out)
            *miss_out = miss;
        return change;
    };
    target_search::Solver solver(lines, settings, recipe.forced, database);
    const double start_density = solver.now().initial_density;
    // Hops change the volume a little and the grist changes the hops' yield: a few rounds settle both.
    for (int round = 0; round < 6; round++) {
        bool met = true;
        if (targets.og_on)
            met = solver.density(targets.og, miss);
        if (met && targets.ebc_on)
            met = solver.colour(targets.ebc, targets.og_on ? targets.og : start_density, miss);
        if (met && targets.ibu_on)
            met = solver.bitterness(targets.ibu, miss);
        if (!met)
            return refuse();
        if (worst_miss(solver.now(), targets) <= kTargetTolerance / 2)
            break;
    }
    const Estimates e = solver.now();
    if (worst_miss(e, targets) > kTargetTolerance) {
        miss = weighing_miss(e, targets, kTargetTolerance);
        return refuse();
    }
    // Whatever the search did, a line that weighed something never leaves weighing nothing.
    for (size_t k = 0; k < lines.size(); k++) {
        const double before = quantity_amount(lines[k].quantity);
        const double after = quantity_amount(solver.lines()[k].quantity);
        if (before > 0 && !(after > 0 && std::isfinite(after))) {
            miss = weighing_miss(e, targets, -1); // the first target sought
            miss.reason = MissReason::weighed_to_nothing;
            miss.line = lines[k].designation;
            return refuse();
        }
    }
    change.done = true;
    change.recipe = recipe;
    change.recipe.lines = solver.lines();
    return change;
}

RecipeChange solve_targets(const Recipe& recipe, const Settings& settings, const Targets& targets,
                           const std::vector<IngredientEntry>& database)
{
    return solve_targets(recipe, settings, targets, database, nullptr);
}

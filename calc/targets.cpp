// calc/targets.cpp — the quantities that give a wanted density, colour and bitterness.
#include "calc/targets.h"

#include "calc/grain_kind.h"
#include "calc/scale.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace
{

// The least weight a line may be given, in grams: twice the finest step written_weight keeps, so that a
// line never rounds to nothing.
constexpr double kLeastGrams = 0.02;

// The lightest density the estimates read (lighter worts read 0), with a margin for the rounding of the
// quantities.
constexpr double kLeastDensity = 1000.1;

using Curve = std::function<double(double)>;

// A trial weight, to the microgram, as a quantity text the estimates read at once: "%.16g" would write
// digits that only the slow reading of long numbers takes.
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

// A value in [lo, hi] where `fn` meets `target`, by the Illinois form of the false position (superlinear,
// and it keeps the bracket). fn(lo) <= target <= fn(hi) on entry; on return fn was last called at the
// result.
double meet(const Curve& fn, double target, double lo, double f_lo, double hi, double f_hi, double tolerance)
{
    int side = 0;
    double x = lo;
    bool evaluated = false;
    for (int step = 0; step < 80 && hi - lo > 1e-12 * (1 + hi); step++, evaluated = true) {
        x = f_hi == f_lo ? (lo + hi) / 2 : lo + (target - f_lo) * (hi - lo) / (f_hi - f_lo);
        if (!(x > lo && x < hi))
            x = (lo + hi) / 2;
        const double f = fn(x);
        if (std::fabs(f - target) <= tolerance)
            return x;
        if (f < target) {
            lo = x;
            f_lo = f;
            if (side == -1)
                f_hi = target + (f_hi - target) / 2;
            side = -1;
        } else {
            hi = x;
            f_hi = f;
            if (side == 1)
                f_lo = target + (f_lo - target) / 2;
            side = 1;
        }
    }
    if (!evaluated)
        fn(x);
    return x;
}

// How far an increasing function of a factor goes: the first factor (doubling from `start`) whose value
// passes `target`, or the highest value seen before the estimates break down.
struct Reach {
    double hi = 0;
    double f_hi = 0;
    bool reached = false;
};

Reach reach(const Curve& fn, double target, double start, double f_start)
{
    Reach r{start, f_start, f_start >= target};
    double broken = 0; // the first factor past the last good one, 0 while none broke down
    for (int step = 0; step < 40 && !r.reached; step++) {
        const double factor = r.hi * 2;
        const double f = fn(factor);
        if (!(f > r.f_hi)) {
            broken = factor;
            break; // the volume is gone: more of it gives no more
        }
        r.hi = factor;
        r.f_hi = f;
        r.reached = f >= target;
    }
    // The edge lies between the last good factor and the broken one: close in on it.
    for (int step = 0; step < 30 && broken > 0 && !r.reached; step++) {
        const double middle = (r.hi + broken) / 2;
        const double f = fn(middle);
        if (f > r.f_hi) {
            r.hi = middle;
            r.f_hi = f;
            r.reached = f >= target;
        } else {
            broken = middle;
        }
    }
    return r;
}

// The factor at which the increasing `fn` meets `target`, from a good guess `warm`; NaN when no factor from
// `least` upwards gives it. The density is nearly proportional to the factor: a few secant steps mostly do.
double factor_for(const Curve& fn, double target, double warm, double least, double tolerance)
{
    double a = warm, fa = fn(a);
    double b = a * 1.01, fb = fn(b);
    for (int n = 0; n < 6 && std::isfinite(fa) && std::isfinite(fb) && fb != fa; n++) {
        if (std::fabs(fb - target) <= tolerance)
            return b;
        const double c = b + (target - fb) * (b - a) / (fb - fa);
        if (!(c > least))
            break;
        a = b;
        fa = fb;
        b = c;
        fb = fn(b);
    }
    // Bracketed from the quantities as they stand.
    const double f_one = fn(1);
    if (!std::isfinite(f_one))
        return NAN;
    if (f_one >= target) {
        const double f_least = fn(least);
        return f_least <= target ? meet(fn, target, least, f_least, 1, f_one, tolerance) : NAN;
    }
    const Reach r = reach(fn, target, 1, f_one);
    return r.reached ? meet(fn, target, 1, f_one, r.hi, r.f_hi, tolerance) : NAN;
}

// The density the estimates give, a wort lighter than water (which they read as 0) read as water.
double density_read(const Estimates& e)
{
    return e.initial_density == 0 ? 999.5 : e.initial_density;
}

// Lines scaled together, with the grams they start from.
struct Part {
    std::vector<size_t> lines;
    std::vector<double> start;
    double grams = 0;
    double cap = 1; // the largest share of the grist the part may take
};

// The grist seen as the colour moves it: the crystal grains, the roasted grains and the base grains darker
// than the grist's average, one part each, which a dial q scales (each part up to its cap); the other base
// grains, which fill the rest of the grist; and the sugars and extracts, which keep their ratio to the
// grain. q = 1 is the grist as it stands.
struct Grist {
    std::vector<Part> darker;
    std::vector<GrainKind> kinds; // of each darker part
    Part base;
    Part others;
    double grams = 0; // all the grain
    double average_ebc = 0;
    size_t darkest = 0;

    double darker_share(size_t n, double q) const
    {
        return std::min(q * darker[n].grams / grams, darker[n].cap);
    }
    double base_share(double q) const
    {
        double share = 1;
        for (size_t n = 0; n < darker.size(); n++)
            share -= darker_share(n, q);
        return share;
    }
};

// The recipe being solved: its lines, the grams of its weighed lines, and the estimates.
class Solver
{
  public:
    Solver(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced,
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

    Estimates now() const
    {
        return estimate(lines_, settings_, forced_);
    }
    const std::vector<RecipeLine>& lines() const
    {
        return lines_;
    }

    // Each meets its target, or says why not in `miss` and leaves the quantities as they were found.
    bool density(double target, Miss& miss);
    bool colour(double target, double hold_density, Miss& miss);
    bool bitterness(double target, Miss& miss);

  private:
    // The estimates of the current quantities, or NaN ones when they leave too little beer.
    Estimates checked() const
    {
        Estimates e = now();
        if (!(e.final_volume >= least_volume_))
            e.initial_density = e.colour_ebc = e.bitterness_ibu = NAN;
        return e;
    }
    void put(size_t k, double grams, bool rounded)
    {
        if (rounded) {
            lines_[k].quantity = written_weight(grams);
            grams_[k] = weight_of(lines_[k].quantity).grams;
        } else {
            lines_[k].quantity = trial_weight(grams);
            grams_[k] = grams;
        }
    }
    void scale(const Part& part, double factor, bool rounded)
    {
        for (size_t n = 0; n < part.lines.size(); n++)
            put(part.lines[n], part.start[n] * factor, rounded);
    }
    Part part_of(const std::vector<size_t>& set) const
    {
        Part part;
        part.lines = set;
        for (size_t k : set) {
            part.start.push_back(grams_[k]);
            part.grams += grams_[k];
        }
        return part;
    }
    // The least factor on a part that keeps each of its lines weighable.
    static double least_factor(const Part& part)
    {
        double least = 0;
        for (double g : part.start)
            least = std::max(least, kLeastGrams / g);
        return least;
    }
    // The nearest value a miss states: the estimate the rounded quantities really give.
    double rounded_value(const Part& part, double factor, Aim which)
    {
        scale(part, factor, true);
        const Estimates e = now();
        return which == Aim::density ? e.initial_density : e.bitterness_ibu;
    }
    // Puts `part` at the factor that meets `target` for the estimate `value` reads; false, with the miss
    // filled in, when no weighable factor does.
    bool aim_part(const Part& part, Aim which, double target, Miss& miss);
    // Writes the part's weights at `factor`, or at a factor a few steps of the scales away whose rounded
    // weights come nearer to `target`.
    void weigh(const Part& part, double factor, Aim which, double target);

    Grist grist() const;
    void compose(const Grist& g, double q, double w, bool rounded);
    // The factor on the whole grist that holds `density` at dial q; NaN when none does.
    double hold(const Grist& g, double q, double density);
    double colour_at(const Grist& g, double q, double density);
    double rounded_colour(const Grist& g, double q, double density);
    std::string grain_to_add(const Grist& g, double q, double density, double target);

    std::vector<RecipeLine> lines_;
    const Settings& settings_;
    ForcedVolume forced_;
    const std::vector<IngredientEntry>& database_;
    std::vector<double> grams_; // of each weighed line, as its quantity text holds it
    std::vector<size_t> fermentables_;
    std::vector<size_t> hops_;
    double least_volume_ = 0;
    double last_hold_ = 1; // where the last hold of the density ended, a good start for the next
};

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

Grist Solver::grist() const
{
    Grist g;
    double colour_grams = 0;
    std::vector<size_t> grains;
    for (size_t k : fermentables_) {
        if (!is_grain(category_of(lines_[k].category))) {
            g.others.lines.push_back(k);
            continue;
        }
        grains.push_back(k);
        g.grams += grams_[k];
        colour_grams += text_to_number(lines_[k].value) * grams_[k];
    }
    g.others = part_of(g.others.lines);
    if (grains.empty())
        return g;
    g.average_ebc = colour_grams / g.grams;
    g.darkest = grains[0];
    std::vector<size_t> base, by_kind[3];
    for (size_t k : grains) {
        const double ebc = text_to_number(lines_[k].value);
        if (ebc > text_to_number(lines_[g.darkest].value))
            g.darkest = k;
        const GrainKind kind = grain_kind(lines_[k].designation, ebc);
        if (kind != GrainKind::base || (ebc > g.average_ebc * (1 + 1e-9) && ebc > g.average_ebc + 1e-9))
            by_kind[static_cast<int>(kind)].push_back(k);
        else
            base.push_back(k);
    }
    g.base = part_of(base);
    for (GrainKind kind : {GrainKind::crystal, GrainKind::roasted, GrainKind::base}) {
        const std::vector<size_t>& set = by_kind[static_cast<int>(kind)];
        if (set.empty())
            continue;
        Part part = part_of(set);
        // A grist that already holds more of a kind than usual may keep it.
        part.cap = kind == GrainKind::base ? 1 : std::max(usual_share(kind), part.grams / g.grams);
        g.darker.push_back(part);
        g.kinds.push_back(kind);
    }
    return g;
}

void Solver::compose(const Grist& g, double q, double w, bool rounded)
{
    for (size_t n = 0; n < g.darker.size(); n++)
        scale(g.darker[n], w * g.grams * g.darker_share(n, q) / g.darker[n].grams, rounded);
    if (g.base.grams > 0)
        scale(g.base, w * g.grams * g.base_share(q) / g.base.grams, rounded);
    scale(g.others, w, rounded);
}

double Solver::hold(const Grist& g, double q, double density)
{
    auto fn = [&](double w) {
        compose(g, q, w, false);
        return density_read(checked());
    };
    const double w = factor_for(fn, density, last_hold_, 1e-3, 0.005);
    if (std::isfinite(w))
        last_hold_ = w;
    return w;
}

double Solver::colour_at(const Grist& g, double q, double density)
{
    return std::isfinite(hold(g, q, density)) ? now().colour_ebc : NAN;
}

double Solver::rounded_colour(const Grist& g, double q, double density)
{
    const double w = hold(g, q, density);
    if (!std::isfinite(w))
        return now().colour_ebc;
    compose(g, q, w, true);
    return now().colour_ebc;
}

// A grain of the database that the brewer could add to reach `target`: the lightest crystal or roasted
// grain darker than the grist which, at the usual share of its kind (what the grist holds of that kind
// counted), gives the colour at the held density.
std::string Solver::grain_to_add(const Grist& g, double q, double density, double target)
{
    if (database_.empty() || g.grams <= 0)
        return "";
    const double w = hold(g, q, density);
    if (!std::isfinite(w))
        return "";
    std::vector<const IngredientEntry*> candidates;
    for (const IngredientEntry& entry : database_)
        if (is_grain(category_of(entry.category)) && step_of(entry.step) == Step::mash &&
            text_to_number(entry.value) > g.average_ebc &&
            grain_kind(entry.designation, text_to_number(entry.value)) != GrainKind::base)
            candidates.push_back(&entry);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const IngredientEntry* a, const IngredientEntry* b) {
                         return text_to_number(a->value) < text_to_number(b->value);
                     });
    const std::vector<RecipeLine> kept = lines_;
    const std::vector<double> kept_grams = grams_;
    std::string found;
    for (const IngredientEntry* entry : candidates) {
        const GrainKind kind = grain_kind(entry->designation, text_to_number(entry->value));
        double room = usual_share(kind);
        for (size_t n = 0; n < g.darker.size(); n++)
            if (g.kinds[n] == kind)
                room -= g.darker_share(n, q);
        room = std::min(room, g.base_share(q) / 2);
        if (room < 0.01)
            continue;
        // The grist at q with the new grain taking `room` of it from the other grains.
        compose(g, q, w, false);
        RecipeLine added;
        added.category = entry->category;
        added.designation = entry->designation;
        added.value = entry->value;
        added.yield = entry->yield;
        added.step = entry->step;
        added.quantity = trial_weight(room * g.grams * w);
        std::vector<RecipeLine> trial = lines_;
        for (size_t k : g.base.lines)
            trial[k].quantity = trial_weight(grams_[k] * (1 - room / g.base_share(q)));
        trial.push_back(added);
        std::vector<double> trial_grams(trial.size(), 0);
        for (size_t k = 0; k < trial.size(); k++)
            trial_grams[k] = weight_of(trial[k].quantity).grams;
        std::vector<size_t> grist_lines = fermentables_;
        grist_lines.push_back(trial.size() - 1);
        auto fn = [&](double v) {
            for (size_t k : grist_lines)
                trial[k].quantity = trial_weight(trial_grams[k] * v);
            const Estimates e = estimate(trial, settings_, forced_);
            return e.final_volume >= least_volume_ ? density_read(e) : NAN;
        };
        if (std::isfinite(factor_for(fn, density, 1, 1e-3, 0.005)) &&
            estimate(trial, settings_, forced_).colour_ebc >= target - kTargetTolerance / 2) {
            found = entry->designation;
            break;
        }
    }
    lines_ = kept;
    grams_ = kept_grams;
    return found;
}

bool Solver::colour(double target, double hold_density, Miss& miss)
{
    const double current = now().colour_ebc;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return true;
    miss = Miss{Aim::colour, MissReason::no_darker_grain, target, current, "", ""};
    const Grist g = grist();
    if (g.darker.empty()) {
        if (target > current && g.grams > 0)
            miss.to_add = grain_to_add(g, 1, hold_density, target);
        return false;
    }
    miss.line = lines_[g.darkest].designation;
    const std::vector<RecipeLine> kept = lines_;
    const std::vector<double> kept_grams = grams_;
    auto restore = [&] {
        lines_ = kept;
        grams_ = kept_grams;
    };

    // The dial's reach: from the least weighable of the darker grains up to the caps of their kinds, or
    // until the other grains would weigh nothing.
    double q_low = 0;
    for (const Part& part : g.darker)
        q_low = std::max(q_low, least_factor(part));
    q_low = std::min(q_low, 1.0);
    double base_floor = 0;
    for (double grams : g.base.start)
        base_floor = std::max(base_floor, 2 * kLeastGrams * g.base.grams / (g.grams * grams));
    double q_caps = 1, q_full = 1;
    bool capped = true;
    for (size_t n = 0; n < g.darker.size(); n++) {
        q_caps = std::max(q_caps, g.darker[n].cap * g.grams / g.darker[n].grams);
        q_full = std::max(q_full, g.grams / g.darker[n].grams);
        capped = capped && g.darker[n].cap < 1;
    }
    double q_high = capped ? q_caps : q_full;
    if (g.base_share(q_high) < base_floor) {
        double lo = 1, hi = q_high;
        for (int step = 0; step < 60; step++) {
            const double middle = (lo + hi) / 2;
            (g.base_share(middle) >= base_floor ? lo : hi) = middle;
        }
        q_high = lo;
        capped = false;
    }
    auto fn = [&](double q) { return colour_at(g, q, hold_density); };
    auto finish = [&](double q) {
        const double w = hold(g, q, hold_density);
        compose(g, q, std::isfinite(w) ? w : 1, true);
        return true;
    };
    // At an end of the dial: the rounded weights there, if they come close enough, else the miss.
    auto edge = [&](double q, MissReason reason) {
        miss.nearest = rounded_colour(g, q, hold_density);
        if (std::fabs(miss.nearest - target) <= kTargetTolerance)
            return true;
        miss.reason = reason;
        if (reason != MissReason::lighter_alone)
            miss.to_add = grain_to_add(g, q, hold_density, target);
        restore();
        return false;
    };
    // The last dial setting from `from` (where the density holds) towards `to` (where it does not) that still
    // holds it.
    auto last_held = [&](double from, double to) {
        for (int step = 0; step < 30; step++) {
            const double middle = (from + to) / 2;
            (std::isfinite(fn(middle)) ? from : to) = middle;
        }
        return from;
    };

    const double c1 = fn(1);
    if (!std::isfinite(c1)) {
        miss.reason = MissReason::density_not_held;
        restore();
        return false;
    }
    MissReason too_dark = capped ? MissReason::usual_shares : MissReason::darker_alone;
    MissReason too_light = MissReason::lighter_alone;
    if (target > c1) {
        double c_high = fn(q_high);
        if (!std::isfinite(c_high)) {
            q_high = last_held(1, q_high);
            c_high = fn(q_high);
            too_dark = MissReason::density_not_held;
        }
        if (std::isfinite(c_high) && c_high >= c1)
            return target <= c_high ? finish(meet(fn, target, 1, c1, q_high, c_high, 0.01))
                                    : edge(q_high, too_dark);
    } else {
        double c_low = fn(q_low);
        if (!std::isfinite(c_low)) {
            q_low = last_held(1, q_low);
            c_low = fn(q_low);
            too_light = MissReason::density_not_held;
        }
        if (std::isfinite(c_low) && c_low <= c1)
            return target >= c_low ? finish(meet(fn, target, q_low, c_low, 1, c1, 0.01))
                                   : edge(q_low, too_light);
    }
    // Another dark line among the others can make the colour rise and fall: sample the dial's reach, then
    // close in on the first stretch that crosses the target.
    constexpr int kSamples = 8;
    double q[kSamples + 1], c[kSamples + 1];
    int lightest = -1, darkest = -1;
    for (int i = 0; i <= kSamples; i++) {
        q[i] = q_low + (q_high - q_low) * i / kSamples;
        c[i] = fn(q[i]);
        if (!std::isfinite(c[i]))
            continue;
        if (lightest < 0 || c[i] < c[lightest])
            lightest = i;
        if (darkest < 0 || c[i] > c[darkest])
            darkest = i;
    }
    if (lightest < 0) {
        miss.reason = MissReason::density_not_held;
        restore();
        return false;
    }
    for (int i = 0; i < kSamples; i++) {
        if (!std::isfinite(c[i]) || !std::isfinite(c[i + 1]) || (c[i] - target) * (c[i + 1] - target) > 0)
            continue;
        if (c[i] <= c[i + 1])
            return finish(meet(fn, target, q[i], c[i], q[i + 1], c[i + 1], 0.01));
        return finish(
            meet([&](double x) { return -fn(x); }, -target, q[i], -c[i], q[i + 1], -c[i + 1], 0.01));
    }
    return target > c[darkest] ? edge(q[darkest], too_dark) : edge(q[lightest], too_light);
}

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

RecipeChange solve_targets(const std::vector<RecipeLine>& lines, const Settings& settings,
                           ForcedVolume forced, const Targets& targets,
                           const std::vector<IngredientEntry>& database, Miss* miss_out)
{
    RecipeChange change;
    Miss miss;
    auto refuse = [&] {
        change.message = miss_text(miss);
        if (miss_out)
            *miss_out = miss;
        return change;
    };
    Solver solver(lines, settings, forced, database);
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
    change.lines = solver.lines();
    change.forced = forced;
    return change;
}

RecipeChange solve_targets(const std::vector<RecipeLine>& lines, const Settings& settings,
                           ForcedVolume forced, const Targets& targets,
                           const std::vector<IngredientEntry>& database)
{
    return solve_targets(lines, settings, forced, targets, database, nullptr);
}

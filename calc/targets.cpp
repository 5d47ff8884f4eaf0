// calc/targets.cpp — the quantities that give a wanted density, colour and bitterness.
#include "calc/targets.h"

#include "calc/scale.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"

#include <cmath>
#include <functional>

bool parse_targets(const std::string& text, Targets& targets, std::string* why)
{
    Targets read;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty())
            continue;
        const size_t equals = item.find('=');
        const std::string name = upper_ascii(item.substr(0, equals));
        const std::string number = equals == std::string::npos ? "" : item.substr(equals + 1);
        const double value = text_to_number(number);
        if (number.find_first_of("0123456789") == std::string::npos || !std::isfinite(value)) {
            if (why)
                *why = "la cible « " + item + " » attend un nombre, par exemple og=1055";
            return false;
        }
        if (name == "OG") {
            read.og_on = true;
            read.og = value < 2 ? value * 1000 : value;
        } else if (name == "EBC") {
            read.ebc_on = true;
            read.ebc = value;
        } else if (name == "IBU") {
            read.ibu_on = true;
            read.ibu = value;
        } else {
            if (why)
                *why = "cible inconnue « " + item + " » : og, ebc ou ibu";
            return false;
        }
    }
    if (!read.og_on && !read.ebc_on && !read.ibu_on) {
        if (why)
            *why = "aucune cible : og=…, ebc=… ou ibu=…";
        return false;
    }
    targets = read;
    return true;
}

namespace
{

// A value in [lo, hi] where an increasing `fn` meets `target`, by the Illinois form of the false position
// (superlinear, and it keeps the bracket). fn(lo) <= target <= fn(hi) on entry.
double meet(const std::function<double(double)>& fn, double target, double lo, double f_lo, double hi,
            double f_hi, double tolerance)
{
    int side = 0;
    double x = lo;
    for (int step = 0; step < 80 && hi - lo > 1e-12 * (1 + hi); step++) {
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
    return x;
}

// The reach of an increasing function of a factor from 0 upwards: its value at 0 and at the first factor
// (doubling from 1) that passes `target`, or the highest value seen before the estimates break down.
struct Reach {
    double f_lo = 0;
    double hi = 0;
    double f_hi = 0;
    bool reached = false;
};

Reach reach(const std::function<double(double)>& fn, double target)
{
    Reach r;
    r.f_lo = fn(0);
    double factor = 1;
    double broken = 0; // the first factor past the last good one, 0 while none broke down
    for (int step = 0; step < 40; step++, factor *= 2) {
        const double f = fn(factor);
        if (!(f > r.f_hi) && step > 0) {
            broken = factor;
            break; // the volume is gone: more of it gives no more
        }
        r.hi = factor;
        r.f_hi = f;
        if (f >= target) {
            r.reached = true;
            return r;
        }
    }
    // The edge lies between the last good factor and the broken one: close in on it.
    for (int step = 0; step < 30 && broken > 0; step++) {
        const double middle = (r.hi + broken) / 2;
        const double f = fn(middle);
        if (f > r.f_hi) {
            r.hi = middle;
            r.f_hi = f;
            if (f >= target) {
                r.reached = true;
                break;
            }
        } else {
            broken = middle;
        }
    }
    return r;
}

// The recipe being solved: its lines, the amounts the current factors start from, and the estimates.
class Solver
{
  public:
    Solver(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced)
        : lines_(lines), settings_(settings), forced_(forced)
    {
        std::vector<LineEstimate> per_line;
        // Grain and hops drink water: quantities that leave less than half the volume are not a recipe.
        least_volume_ = estimate(lines_, settings_, forced_, &per_line).final_volume / 2;
        for (size_t k = 0; k < lines_.size(); k++) {
            const Unit unit = unit_of(lines_[k].quantity);
            if (unit != Unit::kilogram && unit != Unit::gram)
                continue;
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
    // The estimates of the current quantities, or NaN ones when they leave too little beer.
    Estimates checked() const
    {
        Estimates e = now();
        if (!(e.final_volume >= least_volume_))
            e.initial_density = e.colour_ebc = e.bitterness_ibu = NAN;
        return e;
    }
    const std::vector<RecipeLine>& lines() const
    {
        return lines_;
    }

    // The message of the first target out of reach; "" when each was met.
    std::string density(double target);
    std::string colour(double target, double hold_density);
    std::string bitterness(double target);

  private:
    double amount(size_t k) const
    {
        return quantity_amount(lines_[k].quantity);
    }
    void put(size_t k, double amount, bool rounded)
    {
        lines_[k].quantity = rounded ? written_quantity(lines_[k], amount)
                                     : quantity_text(amount, unit_of(lines_[k].quantity));
    }
    // Sets lines `set` to their start amounts times `factor`.
    void scale(const std::vector<size_t>& set, const std::vector<double>& start, double factor, bool rounded)
    {
        for (size_t n = 0; n < set.size(); n++)
            put(set[n], start[n] * factor, rounded);
    }
    std::vector<double> amounts(const std::vector<size_t>& set) const
    {
        std::vector<double> a;
        for (size_t k : set)
            a.push_back(amount(k));
        return a;
    }
    // The factor on `others` that gives `target` density, or -1 when even none of them gives too much.
    double hold(const std::vector<size_t>& others, const std::vector<double>& start, double target);

    std::vector<RecipeLine> lines_;
    const Settings& settings_;
    ForcedVolume forced_;
    std::vector<size_t> fermentables_;
    std::vector<size_t> hops_;
    double least_volume_ = 0;
    double last_hold_ = 1; // where the last hold of the density ended, a good start for the next
};

// The density a trace of grain tends to; the estimate itself reads 0 without any (its zero rule), which
// would mislead the interpolation.
constexpr double kWater = 999.5;

std::string out_of_reach(const std::string& what, const std::string& reason, double nearest)
{
    return what + " hors d'atteinte : " + reason +
           ".\rValeur la plus proche possible : " + format_decimals(nearest, 2) + ".";
}

std::string density_label(double v)
{
    return "Densité initiale " + format_decimals(v, 2);
}

std::string colour_label(double v)
{
    return "Couleur " + format_decimals(v, 2) + " EBC";
}

std::string bitterness_label(double v)
{
    return "Amertume " + format_decimals(v, 2) + " IBU";
}

std::string Solver::density(double target)
{
    const double current = now().initial_density;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return ""; // held as it is: a brewer may keep a value the recipe has no means to move
    if (fermentables_.empty())
        return out_of_reach(density_label(target),
                            "la recette n'a ni grain à l'empâtage ni sucre ou extrait à l'ébullition",
                            current);
    const std::vector<double> start = amounts(fermentables_);
    auto fn = [&](double f) {
        scale(fermentables_, start, f, false);
        return checked().initial_density;
    };
    const Reach r = reach(fn, target);
    if (!r.reached) {
        scale(fermentables_, start, 1, true);
        return out_of_reach(density_label(target), "plus de grain boirait l'eau de la recette", r.f_hi);
    }
    // Nothing but water reads 0 here; the lightest wort a trace of grain gives is just above 1000.
    if (target < 1000.5) {
        scale(fermentables_, start, 1, true);
        return out_of_reach(density_label(target), "un moût est plus dense que l'eau", 1000.5);
    }
    scale(fermentables_, start, meet(fn, target, 0, kWater, r.hi, r.f_hi, 0.005), true);
    return "";
}

double Solver::hold(const std::vector<size_t>& others, const std::vector<double>& start, double target)
{
    auto fn = [&](double g) {
        scale(others, start, g, false);
        return checked().initial_density;
    };
    // The density is nearly proportional to the factor: a few secant steps from the last answer mostly do.
    double a = last_hold_, fa = fn(a);
    double b = a * 1.01, fb = fn(b);
    for (int n = 0; n < 6 && std::isfinite(fa) && std::isfinite(fb) && fb != fa; n++) {
        if (std::fabs(fb - target) <= 0.005) {
            last_hold_ = b;
            return b;
        }
        const double c = b + (target - fb) * (b - a) / (fb - fa);
        if (!(c > 0))
            break;
        a = b;
        fa = fb;
        b = c;
        fb = fn(b);
    }
    const double f0 = fn(0);
    if (f0 > target)
        return -1;
    const Reach r = reach(fn, target);
    if (!r.reached)
        return -2;
    last_hold_ = meet(fn, target, 0, std::max(f0, kWater), r.hi, r.f_hi, 0.005);
    return last_hold_;
}

std::string Solver::colour(double target, double hold_density)
{
    const double current = now().colour_ebc;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return "";
    // The darkest grain of the mash (every grain line of that colour, scaled together), and every other
    // fermentable line.
    double dark_value = 0;
    size_t dark = lines_.size();
    for (size_t k : fermentables_) {
        const double value = text_to_number(lines_[k].value);
        if (is_grain(category_of(lines_[k].category)) && (dark == lines_.size() || value > dark_value)) {
            dark = k;
            dark_value = value;
        }
    }
    std::vector<size_t> darks, others;
    bool lighter = false;
    for (size_t k : fermentables_) {
        const double value = text_to_number(lines_[k].value);
        if (dark < lines_.size() && value == dark_value && is_grain(category_of(lines_[k].category))) {
            darks.push_back(k);
        } else {
            others.push_back(k);
            lighter = lighter || value < dark_value;
        }
    }
    if (dark == lines_.size() || !lighter)
        return out_of_reach(colour_label(target), "aucun grain de l'empâtage n'est plus foncé que les autres",
                            current);
    const std::vector<double> start = amounts(others);
    const std::vector<double> dark_start = amounts(darks);

    // No dark grain: the others must hold the density by themselves.
    scale(darks, dark_start, 0, false);
    const double g0 = hold(others, start, hold_density);
    // The most dark grain: alone, giving the density (or as much as the water allows).
    scale(others, start, 0, false);
    auto dark_density = [&](double q) {
        scale(darks, dark_start, q, false);
        return checked().initial_density;
    };
    const Reach alone = reach(dark_density, hold_density);
    const double q_max =
        alone.reached ? meet(dark_density, hold_density, 0, kWater, alone.hi, alone.f_hi, 0.005) : alone.hi;
    auto restore = [&] {
        scale(darks, dark_start, 1, true);
        scale(others, start, 1, true);
    };
    if (g0 < 0) {
        restore();
        return out_of_reach(colour_label(target),
                            "la densité ne se tient pas en changeant « " + lines_[dark].designation + " »",
                            current);
    }
    auto colour_at = [&](double q) {
        scale(darks, dark_start, q, false);
        const double g = hold(others, start, hold_density);
        if (g < 0)
            scale(others, start, 0, false);
        return now().colour_ebc;
    };
    // Mostly the colour rises with the dark grain: close in from today's quantity towards the end that
    // brackets the target.
    if (q_max > 1) {
        const double c0 = colour_at(0), c1 = colour_at(1), c_max = colour_at(q_max);
        double found = -1;
        if (c0 <= target && target <= c1)
            found = meet(colour_at, target, 0, c0, 1, c1, 0.01);
        else if (c1 <= target && target <= c_max)
            found = meet(colour_at, target, 1, c1, q_max, c_max, 0.01);
        if (found >= 0 && std::fabs(colour_at(found) - target) <= 0.05) {
            scale(darks, dark_start, found, true);
            const double g = hold(others, start, hold_density);
            scale(others, start, g < 0 ? 0 : g, true);
            return "";
        }
    }
    // Another dark line among the others can make the colour rise and fall: sample the way from no dark
    // grain to the dark grain alone, then close in on the first stretch that crosses the target.
    constexpr int kSamples = 8;
    double q[kSamples + 1];
    double c[kSamples + 1];
    double lightest = 0, darkest = 0;
    for (int i = 0; i <= kSamples; i++) {
        q[i] = q_max * i / kSamples;
        c[i] = colour_at(q[i]);
        lightest = i == 0 ? c[i] : std::min(lightest, c[i]);
        darkest = i == 0 ? c[i] : std::max(darkest, c[i]);
    }
    if (target < lightest - kTargetTolerance) {
        restore();
        return out_of_reach(colour_label(target),
                            "les autres grains donnent déjà cette couleur sans « " +
                                lines_[dark].designation + " »",
                            lightest);
    }
    if (target > darkest + kTargetTolerance) {
        restore();
        return out_of_reach(colour_label(target),
                            "même « " + lines_[dark].designation + " » seul ne donne pas plus", darkest);
    }
    const double t = std::min(std::max(target, lightest), darkest);
    int i = 0;
    while (i < kSamples - 1 && (c[i] - t) * (c[i + 1] - t) > 0)
        i++;
    double found;
    if (c[i] <= c[i + 1])
        found = meet(colour_at, t, q[i], c[i], q[i + 1], c[i + 1], 0.01);
    else
        found = meet([&](double x) { return -colour_at(x); }, -t, q[i], -c[i], q[i + 1], -c[i + 1], 0.01);
    scale(darks, dark_start, found, true);
    const double g = hold(others, start, hold_density);
    scale(others, start, g < 0 ? 0 : g, true);
    return "";
}

std::string Solver::bitterness(double target)
{
    const double current = now().bitterness_ibu;
    if (std::fabs(current - target) <= kTargetTolerance / 2)
        return "";
    if (hops_.empty())
        return out_of_reach(bitterness_label(target), "la recette n'a pas de houblon qui donne de l'amertume",
                            current);
    const std::vector<double> start = amounts(hops_);
    auto fn = [&](double f) {
        scale(hops_, start, f, false);
        return checked().bitterness_ibu;
    };
    const Reach r = reach(fn, target);
    if (!r.reached || target < r.f_lo) {
        scale(hops_, start, 1, true);
        return out_of_reach(bitterness_label(target), "plus de houblon boirait l'eau de la recette",
                            r.reached ? r.f_lo : r.f_hi);
    }
    scale(hops_, start, meet(fn, target, 0, r.f_lo, r.hi, r.f_hi, 0.01), true);
    return "";
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

} // namespace

RecipeChange solve_targets(const std::vector<RecipeLine>& lines, const Settings& settings,
                           ForcedVolume forced, const Targets& targets)
{
    RecipeChange change;
    Solver solver(lines, settings, forced);
    const double start_density = solver.now().initial_density;
    // Hops change the volume a little and the grist changes the hops' yield: a few rounds settle both.
    for (int round = 0; round < 6; round++) {
        std::string failed;
        if (targets.og_on)
            failed = solver.density(targets.og);
        if (failed.empty() && targets.ebc_on)
            failed = solver.colour(targets.ebc, targets.og_on ? targets.og : start_density);
        if (failed.empty() && targets.ibu_on)
            failed = solver.bitterness(targets.ibu);
        if (!failed.empty()) {
            change.message = failed;
            return change;
        }
        if (worst_miss(solver.now(), targets) <= kTargetTolerance / 2)
            break;
    }
    const Estimates e = solver.now();
    if (worst_miss(e, targets) > kTargetTolerance) {
        // Weighed to the gram and the tenth of a gram, the quantities cannot come closer.
        if (targets.og_on && std::fabs(e.initial_density - targets.og) > kTargetTolerance)
            change.message = out_of_reach(density_label(targets.og), "les pesées ne tombent pas assez juste",
                                          e.initial_density);
        else if (targets.ebc_on && std::fabs(e.colour_ebc - targets.ebc) > kTargetTolerance)
            change.message = out_of_reach(colour_label(targets.ebc), "les pesées ne tombent pas assez juste",
                                          e.colour_ebc);
        else
            change.message = out_of_reach(bitterness_label(targets.ibu),
                                          "les pesées ne tombent pas assez juste", e.bitterness_ibu);
        return change;
    }
    change.done = true;
    change.lines = solver.lines();
    change.forced = forced;
    return change;
}

// calc/colour_target.cpp — the grist that gives a wanted colour at a held density, each kind of grain within
// its usual share.
#include "calc/root_search.h"
#include "calc/scale.h"
#include "calc/target_solver.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace target_search
{

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

} // namespace target_search

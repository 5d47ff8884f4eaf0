// calc/breakdown.cpp — each line's share of the estimates shown, and the settings that shaped them.
#include "calc/breakdown.h"

#include "calc/attenuation.h"
#include "core/keywords.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <numeric>

std::vector<long long> apportion(long long units, const std::vector<double>& weights)
{
    std::vector<long long> parts(weights.size(), 0);
    const double sum = std::accumulate(weights.begin(), weights.end(), 0.0);
    if (units == 0 || sum == 0 || !std::isfinite(sum))
        return parts;
    std::vector<double> remainders(weights.size());
    long long given = 0;
    for (size_t k = 0; k < weights.size(); k++) {
        const double exact = static_cast<double>(units) * (weights[k] / sum);
        // Weights of both signs that nearly cancel out give parts beyond any count: nothing is split.
        if (!(std::fabs(exact) < 1e15))
            return std::vector<long long>(weights.size(), 0);
        parts[k] = static_cast<long long>(std::floor(exact));
        remainders[k] = exact - std::floor(exact);
        given += parts[k];
    }
    // What the floors left (a few units, whatever the rounding of the products) goes to the largest
    // remainders, one each; a negative leftover takes from the smallest.
    std::vector<size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return remainders[a] > remainders[b]; });
    long long left = units - given;
    for (size_t n = 0; left != 0 && !order.empty(); n = (n + 1) % order.size()) {
        const long long step = left > 0 ? 1 : -1;
        parts[left > 0 ? order[n] : order[order.size() - 1 - n]] += step;
        left -= step;
    }
    return parts;
}

// A figure in whole hundredths as the results panel writes it (half up, two decimals); 0 beyond what a
// whole count can hold.
static long long shown_hundredths(double x)
{
    const double shown = text_to_number(format_decimals(x, 2)) * 100;
    return std::fabs(shown) < 1e15 ? std::llround(shown) : 0;
}

// Fills one share and its percentage per line from the per-line weights; gives what none of them carries.
static double share(long long hundredths, const std::vector<double>& weights,
                    std::vector<BreakdownLine>& lines, double BreakdownLine::*value,
                    double BreakdownLine::*percent)
{
    const std::vector<long long> parts = apportion(hundredths, weights);
    const std::vector<long long> tenths = apportion(hundredths == 0 ? 0 : 1000, weights);
    long long left = hundredths;
    for (size_t k = 0; k < lines.size(); k++) {
        lines[k].*value = static_cast<double>(parts[k]) / 100;
        lines[k].*percent = static_cast<double>(tenths[k]) / 10;
        left -= parts[k];
    }
    return static_cast<double>(left) / 100;
}

static std::vector<BreakdownSetting> settings_used(const Settings& s, const Estimates& e, ForcedVolume forced)
{
    std::vector<BreakdownSetting> used = {
        {"efficiency", "Rendement de brassage", 100 * s.efficiency, "%"},
        {"mash_water", "Eau d'empâtage", e.mash_water, "L"},
        {"rinse_water", "Eau de rinçage", e.rinse_water, "L"},
        {"loss_mash", "Perte à l'empâtage", s.loss_mash, "%"},
        {"loss_grain", "Eau retenue par le grain", s.loss_grain, "L/kg"},
        {"loss_boil", "Perte à l'ébullition", s.loss_boil, "%"},
        {"loss_hops", "Eau retenue par le houblon", s.loss_hops, "L/kg"},
        {"final_volume", "Volume final", e.final_volume, "L"},
        {"pellet_yield", "Rendement des pellets", 100 * s.pellet_yield, "%"},
        {"attenuation", "Atténuation des levures", 100 * e.attenuation, "%"},
        {"attenuation_malt", "Atténuation du malt", 100 * s.attenuation_malt, "%"},
        {"attenuation_sugar", "Atténuation du sucre", 100 * s.attenuation_sugar, "%"},
    };
    if (forced.on)
        used.insert(used.begin() + 7, {"forced_volume", "Volume forcé", forced.litres, "L"});
    return used;
}

Breakdown breakdown(const RecipeLine* lines, size_t count, const Settings& settings, ForcedVolume forced,
                    const Estimates* shown)
{
    Breakdown b;
    std::vector<LineEstimate> per_line;
    b.estimates = estimate(lines, count, settings, forced, &per_line);
    if (shown)
        b.estimates = *shown;
    const Estimates& e = b.estimates;
    b.lines.resize(count);
    std::vector<double> points(count), colour(count), ibu(count);
    for (size_t k = 0; k < count; k++) {
        b.lines[k].designation = lines[k].designation;
        b.lines[k].fermentable = per_line[k].fermentable;
        b.lines[k].hop = per_line[k].hop;
        b.lines[k].time_factor = per_line[k].time_factor;
        b.lines[k].gravity_factor = per_line[k].gravity_factor;
        b.lines[k].utilisation = per_line[k].utilisation;
        b.lines[k].stand_celsius = per_line[k].stand_celsius;
        b.lines[k].dry_hop = per_line[k].hop && settings.bitterness_model == BitternessModel::tinseth &&
                             step_of(lines[k].step) == Step::fermentation;
        points[k] = per_line[k].points;
        colour[k] = per_line[k].colour;
        ibu[k] = per_line[k].ibu;
    }

    // The density is shown truncated to hundredths; the lines share what it has above water's 1000.
    const long long gravity = e.initial_density > 0 ? shown_hundredths(e.initial_density) - 100000 : 0;
    b.gravity_unassigned =
        share(gravity, points, b.lines, &BreakdownLine::gravity, &BreakdownLine::gravity_percent);
    b.gravity_total = static_cast<double>(gravity) / 100;

    // The linear scale starts at 1.75 EBC and truncates the rest to hundredths: the base is its own row, and
    // the lines share the truncated rest. Morey's curve has no base: the lines share what it gives, in
    // proportion to their colour units.
    const long long shown_colour = shown_hundredths(e.colour_ebc);
    const long long base = settings.colour_model == ColourModel::linear && shown_colour != 0 ? 175 : 0;
    b.colour_unassigned =
        share(shown_colour - base, colour, b.lines, &BreakdownLine::colour, &BreakdownLine::colour_percent);
    b.colour_base = static_cast<double>(base) / 100;
    b.colour_total = static_cast<double>(shown_colour) / 100;

    const long long shown_ibu = shown_hundredths(e.bitterness_ibu);
    b.ibu_unassigned = share(shown_ibu, ibu, b.lines, &BreakdownLine::ibu, &BreakdownLine::ibu_percent);
    b.ibu_total = static_cast<double>(shown_ibu) / 100;

    b.settings = settings_used(settings, e, forced);
    b.colour_model = settings.colour_model;
    b.gravity_model = settings.gravity_model;
    b.bitterness_model = settings.bitterness_model;
    b.attenuation_model = settings.attenuation_model;
    if (settings.attenuation_model == AttenuationModel::mash)
        b.conversion_celsius = conversion_temperature_of(settings);
    return b;
}

// calc/estimate.cpp — the estimates of a list of recipe lines under given settings; touches no global state.
#include "calc/estimate.h"

#include "calc/attenuation.h"
#include "calc/bitterness.h"
#include "calc/extract_gravity.h"
#include "calc/water.h"
#include "core/keywords.h"

#include <cmath>
#include <memory>
#include <new>

namespace
{

// Totals of the first pass that only the evaluation needs.
struct FirstPassTotals {
    double sugar_kg = 0;
    double powder_extract_kg = 0;
    double liquid_extract_kg = 0;
    double attenuation_sum = 0;
    int yeast_count = 0;
};

// Extract points of every fermentable line, all of them and those that are not plain sugar, and the colour
// sum: colour points for the linear model, malt colour units for Morey's.
struct ExtractTotals {
    double points = 0;
    double non_sugar_points = 0;
    double colour_sum = 0;
};

// Malt colour units of one kilogram at one EBC in one litre: the EBC × kg / L form of °L × lb / gal.
constexpr double kMcuPerEbcKgPerLitre = 4.23;

// One evaluation's working state: the lines' figures, the numbers of the fermentable and hop lines (in line
// order) and the records of every line.
struct Pass {
    const LineFigures* lines;
    size_t count;
    const Settings& settings;
    size_t* fermentables;
    size_t fermentable_count;
    size_t* hops;
    size_t hop_count;
    LineEstimate* out;
};

// Room for a full recipe on the stack; longer candidate lists take theirs from the heap.
constexpr size_t kLinesOnStack = 256;

} // namespace

// Fills in the record of line k (cleared beforehand) and notes a fermentable or hop line for the later
// passes.
static void start_record(Pass& pass, size_t k)
{
    const LineFigures& f = pass.lines[k];
    LineEstimate& out = pass.out[k];
    out.hop = is_hop(f.category);
    out.fermentable = (is_grain(f.category) && f.step == Step::mash) ||
                      ((f.category == Category::sugar || f.category == Category::powder_extract ||
                        f.category == Category::liquid_extract) &&
                       f.step == Step::boil);
    if (out.fermentable)
        pass.fermentables[pass.fermentable_count++] = k;
    else if (out.hop)
        pass.hops[pass.hop_count++] = k;
    if (out.fermentable || out.hop)
        out.kg = f.kg;
}

// A forced volume replaces the water of the lines, which is then not read.
static FirstPassTotals sum_weights_and_water(Pass& pass, Estimates& e, bool read_water)
{
    FirstPassTotals totals;
    for (size_t k = 0; k < pass.count; k++) {
        const LineFigures& line = pass.lines[k];
        start_record(pass, k);
        const double kg = pass.out[k].kg;
        switch (line.category) {
        case Category::yeast:
            if (line.step == Step::fermentation) {
                totals.attenuation_sum += line.attenuation_percent / 100;
                totals.yeast_count += 1;
            }
            break;
        case Category::water:
            // Top-up water is the brewer's own figure, kept under a forced volume too.
            if (line.step == Step::fermentation && pass.settings.gravity_model == GravityModel::extract &&
                line.amount > 0)
                e.top_up_water += line.amount;
            if (!read_water)
                break;
            if (line.step == Step::mash)
                e.mash_water += line.amount;
            else if (line.step == Step::rinse)
                e.rinse_water += line.amount;
            break;
        case Category::sugar:
            if (line.step == Step::boil)
                totals.sugar_kg += kg;
            break;
        case Category::powder_extract:
            if (line.step == Step::boil)
                totals.powder_extract_kg += kg;
            break;
        case Category::liquid_extract:
            if (line.step == Step::boil)
                totals.liquid_extract_kg += kg;
            break;
        default:
            if (is_grain(line.category) && line.step == Step::mash)
                e.malt_kg += kg;
            else if (is_hop(line.category) && is_boil_step(line.step))
                e.hop_kg += kg;
            break;
        }
    }
    return totals;
}

// Replaces the water read from the lines by the water that gives the forced volume, the top-up water
// included, and marks the lines that carry it.
static void force_water(Pass& pass, Estimates& e, double target_litres)
{
    const ForcedWater water =
        forced_water(target_litres - e.top_up_water, pass.settings, e.malt_kg, e.hop_kg);
    e.mash_water = water.mash;
    e.rinse_water = water.rinse;
    const size_t mash_line = first_water_line(pass.lines, pass.count, Step::mash);
    if (mash_line < pass.count) {
        pass.out[mash_line].forced_water = true;
        pass.out[mash_line].forced_litres = water.mash;
    }
    const size_t rinse_line = first_water_line(pass.lines, pass.count, Step::rinse);
    if (rinse_line < pass.count) {
        pass.out[rinse_line].forced_water = true;
        pass.out[rinse_line].forced_litres = water.rinse;
    }
}

// Water after the mash loss, the grain absorption, the boil loss and the hop absorption, then the top-up
// water, in litres.
static double final_volume_of(const Estimates& e, const Settings& s)
{
    double v = e.mash_water - s.loss_mash / 100 * e.mash_water;
    v = e.rinse_water + v;
    if (v > 0)
        v = v - s.loss_grain * e.malt_kg;
    v = v - s.loss_boil / 100 * v;
    if (v > 0)
        v = v - s.loss_hops * e.hop_kg;
    if (!(v >= 0))
        v = 0;
    return v + e.top_up_water;
}

// The extract model's points of each fermentable line, left in its record: the wort's degrees Plato shared
// in proportion to the lines' extract, so that they add up to the whole wort's (line by line they would not,
// the conversion not being linear).
static void extract_points(Pass& pass, double volume)
{
    double extract_kg = 0;
    for (size_t n = 0; n < pass.fermentable_count; n++) {
        const LineFigures& f = pass.lines[pass.fermentables[n]];
        LineEstimate& out = pass.out[pass.fermentables[n]];
        out.points = extract_kg_of(out.kg, f.extract_percent, is_grain(f.category), pass.settings.efficiency);
        extract_kg += out.points;
    }
    const double plato = plato_of_extract(extract_kg, volume);
    for (size_t n = 0; n < pass.fermentable_count; n++) {
        LineEstimate& out = pass.out[pass.fermentables[n]];
        out.points = plato > 0 ? plato * out.points / extract_kg : 0;
    }
}

static ExtractTotals sum_extract_and_colour(Pass& pass, double volume)
{
    const double efficiency = pass.settings.efficiency;
    const bool extract_model = pass.settings.gravity_model == GravityModel::extract;
    if (extract_model)
        extract_points(pass, volume);
    ExtractTotals totals;
    for (size_t n = 0; n < pass.fermentable_count; n++) {
        const size_t k = pass.fermentables[n];
        const LineFigures& f = pass.lines[k];
        LineEstimate& out = pass.out[k];
        const double w = out.kg;
        // The divisor is the line's own weight plus the final volume taken as kilograms of water.
        double points = f.extract_percent / 100 * w / (w + volume);
        double colour;
        if (is_grain(f.category)) {
            points = extract_model ? out.points : points * efficiency * 100;
            colour = f.colour_ebc / 6 * points;
        } else {
            points = extract_model ? out.points : points * 100;
            colour = f.colour_ebc / 6 * points * efficiency;
        }
        if (pass.settings.colour_model == ColourModel::morey)
            colour = kMcuPerEbcKgPerLitre * f.colour_ebc * w / volume;
        totals.points += points;
        if (f.category != Category::sugar)
            totals.non_sugar_points += points;
        totals.colour_sum += colour;
        out.points = points;
        out.colour = colour;
    }
    return totals;
}

// The mash model's attenuation of the whole wort: each fermentable line's in proportion to its extract
// points, grains by the conversion temperature, sugars whole, extracts as the yeast makes them; the
// configured factors of the grain and sugar shares still apply. Nothing ferments without a yeast.
static double mash_model_attenuation(const Pass& pass, double yeast)
{
    const Settings& s = pass.settings;
    if (!(yeast > 0))
        return 0;
    const double grains = s.attenuation_malt * mashed_attenuation(yeast, conversion_temperature_of(s));
    double points = 0;
    double attenuated_points = 0;
    for (size_t n = 0; n < pass.fermentable_count; n++) {
        const size_t k = pass.fermentables[n];
        const Category category = pass.lines[k].category;
        const double line_points = pass.out[k].points;
        double attenuation = s.attenuation_sugar * yeast;
        if (is_grain(category))
            attenuation = grains;
        else if (category == Category::sugar)
            attenuation = s.attenuation_sugar * kWholeSugarAttenuation;
        points += line_points;
        attenuated_points += line_points * attenuation;
    }
    return points > 0 ? attenuated_points / points : 0;
}

// The time factors of one evaluation: hop additions share a few boil times, and each factor costs two
// long double exponentials.
class TimeFactors
{
  public:
    double of(double minutes)
    {
        for (int k = 0; k < count_; k++)
            if (minutes_[k] == minutes)
                return factors_[k];
        const double factor = hop_time_factor(minutes);
        // A NaN time never equals itself: it is computed each time rather than kept.
        if (count_ < kSlots && minutes == minutes) {
            minutes_[count_] = minutes;
            factors_[count_] = factor;
            count_++;
        }
        return factor;
    }

  private:
    static constexpr int kSlots = 8;
    double minutes_[kSlots];
    double factors_[kSlots];
    int count_ = 0;
};

// Tinseth's model over every hop line: boiled hops by Tinseth's curve, hop stands by their temperature, dry
// hops 0.
static double sum_tinseth_bitterness(Pass& pass, double boil_gravity, double volume)
{
    const double sg = sg_of_density(boil_gravity);
    double total = 0;
    for (size_t n = 0; n < pass.hop_count; n++) {
        const size_t k = pass.hops[n];
        const LineFigures& f = pass.lines[k];
        LineEstimate& out = pass.out[k];
        const HopUse use = tinseth_hop_use(f.step, f.minutes, sg, pass.settings.aroma_celsius);
        double ibu = ibu_of_utilisation(use.utilisation, f.alpha_percent, f.grams, volume);
        if (f.category == Category::hop_pellet)
            ibu = pass.settings.pellet_yield * ibu;
        total += ibu;
        out.ibu = ibu;
        out.utilisation = use.utilisation;
        out.stand_celsius = use.stand_celsius;
    }
    return total;
}

// The classic bitterness over every hop line, whatever its step; the gravity term uses the boil gravity.
static double sum_bitterness(Pass& pass, double boil_gravity, double volume)
{
    if (pass.settings.bitterness_model == BitternessModel::tinseth)
        return sum_tinseth_bitterness(pass, boil_gravity, volume);
    const double gravity_factor = hop_gravity_factor(boil_gravity);
    double total = 0;
    TimeFactors time_factors;
    for (size_t n = 0; n < pass.hop_count; n++) {
        const size_t k = pass.hops[n];
        const LineFigures& f = pass.lines[k];
        LineEstimate& out = pass.out[k];
        const double time_factor = time_factors.of(f.minutes);
        double ibu = hop_ibu(f.alpha_percent, gravity_factor, time_factor, f.grams, volume);
        if (f.category == Category::hop_pellet)
            ibu = pass.settings.pellet_yield * ibu;
        total += ibu;
        out.ibu = ibu;
        out.time_factor = time_factor;
        out.gravity_factor = gravity_factor;
        // The same as a share of the acids: alpha × grams × 10 / litres is a full utilisation's IBU.
        out.utilisation = 0.398 * gravity_factor * time_factor;
    }
    return total;
}

// The beer's colour in EBC from the colour sum of the model in use; 0 when it makes no sense.
static double colour_of(double colour_sum, const Pass& pass, double volume)
{
    if (pass.settings.colour_model == ColourModel::morey) {
        if (pass.fermentable_count == 0 || !(volume > 0))
            return 0;
        const double ebc = 2.939 * std::pow(colour_sum, 0.6859);
        return ebc >= 0 && std::isfinite(ebc) ? ebc : 0;
    }
    const double ebc = std::floor(100 * colour_sum + 175) / 100;
    return ebc == 1.75 || std::isnan(ebc) ? 0 : ebc;
}

Estimates estimate(const LineFigures* lines, size_t count, const Settings& s, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line)
{
    size_t on_stack[2 * kLinesOnStack];
    std::unique_ptr<size_t[]> on_heap;
    if (count > kLinesOnStack)
        on_heap.reset(new size_t[2 * count]);
    size_t* numbers = on_heap ? on_heap.get() : on_stack;
    // Without a caller's records the figures still need a place to go.
    std::vector<LineEstimate> own_records;
    std::vector<LineEstimate>& records = per_line ? *per_line : own_records;
    // One clearing of the whole array: a small memset per line cost more than the rest of the line's work.
    records.assign(count, LineEstimate());
    Pass pass{lines, count, s, numbers, 0, numbers + count, 0, records.data()};
    Estimates e;

    FirstPassTotals totals = sum_weights_and_water(pass, e, !forced.on);
    if (forced.on)
        force_water(pass, e, forced.litres);

    double attenuation = 0;
    if (totals.yeast_count > 0)
        attenuation = totals.attenuation_sum / totals.yeast_count;
    e.attenuation = attenuation;

    const double volume = final_volume_of(e, s);
    e.final_volume = volume;

    ExtractTotals extract = sum_extract_and_colour(pass, volume);
    const double p = extract.points;
    // NaN compares false everywhere, so each rule below is written to let an undefined value fall to 0.
    const bool no_water = e.mash_water + e.rinse_water == 0;

    const bool extract_model = s.gravity_model == GravityModel::extract;
    e.colour_ebc = colour_of(extract.colour_sum, pass, volume);
    e.initial_density = extract_model ? density_of_plato(p) : density_of_points(p);
    // Tinseth's curve reads the average gravity of the wort that boils, sugars included: the kettle's wort,
    // before the boil's loss, holds the same extract in more water, and the wort at the end of the boil in
    // less when it is topped up afterwards.
    double kettle = e.mash_water - s.loss_mash / 100 * e.mash_water + e.rinse_water;
    if (kettle > 0)
        kettle -= s.loss_grain * e.malt_kg;
    const double boil_gravity = s.bitterness_model == BitternessModel::tinseth
                                    ? tinseth_boil_gravity(e.initial_density, volume, kettle, e.top_up_water)
                                : extract_model ? density_of_plato(extract.non_sugar_points)
                                                : density_of_points(extract.non_sugar_points);
    if (no_water)
        e.colour_ebc = 0;
    if (!(e.initial_density >= 1000) || no_water)
        e.initial_density = 0;

    double attenuated;
    if (s.attenuation_model == AttenuationModel::mash) {
        attenuated = mash_model_attenuation(pass, attenuation);
    } else {
        double fermentable_kg =
            totals.sugar_kg + e.malt_kg + totals.liquid_extract_kg + totals.powder_extract_kg;
        double grain_share = e.malt_kg / fermentable_kg * 100;
        double sugar_share = 100 - grain_share;
        attenuated = (s.attenuation_malt * grain_share * attenuation +
                      s.attenuation_sugar * sugar_share * attenuation) /
                     100;
    }
    double pf = p - attenuated * p;
    // The extract model attenuates the gravity points, as an apparent attenuation is measured.
    if (extract_model && !(p > 0))
        e.initial_density = 0; // water alone: no wort, whatever the conversion gives for 0 °P
    e.final_density = extract_model
                          ? std::floor((1000 + (1 - attenuated) * (e.initial_density - 1000)) * 100) / 100
                          : density_of_points(pf);
    if (extract_model && e.initial_density == 0)
        e.final_density = 0;
    e.alcohol = (e.initial_density - e.final_density) / 7.6;
    if (!(e.final_density >= 0) || no_water)
        e.final_density = 0;
    if (!(e.alcohol >= 0) || no_water)
        e.alcohol = 0;

    e.bitterness_ibu = sum_bitterness(pass, boil_gravity, volume);
    if (!(e.bitterness_ibu >= 0) || no_water)
        e.bitterness_ibu = 0;
    if (e.bitterness_ibu > 9999)
        e.bitterness_ibu = 9999;
    return e;
}

Estimates estimate(const RecipeLine* lines, size_t count, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line)
{
    LineFigures on_stack[kLinesOnStack];
    std::unique_ptr<LineFigures[]> on_heap;
    if (count > kLinesOnStack)
        on_heap.reset(new LineFigures[count]);
    LineFigures* figures = on_heap ? on_heap.get() : on_stack;
    // Each line's figures are made in place (no copy), the estimates reading them many times over.
    for (size_t k = 0; k < count; k++)
        ::new (&figures[k]) LineFigures(brewing_figures_of(lines[k]));
    return estimate(figures, count, settings, forced, per_line);
}

Estimates estimate(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line)
{
    return estimate(lines.data(), lines.size(), settings, forced, per_line);
}

Estimates estimate(const Recipe& recipe, const Settings& settings, std::vector<LineEstimate>* per_line)
{
    return estimate(recipe.lines.data(), recipe.lines.size(), settings, recipe.forced, per_line);
}

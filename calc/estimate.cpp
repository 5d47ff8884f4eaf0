// calc/estimate.cpp — the estimates of a list of recipe lines under given settings; touches no global state.
#include "calc/estimate.h"

#include "calc/bitterness.h"
#include "calc/water.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"

#include <cmath>
#include <memory>

double density_of_points(double points)
{
    return std::floor(259 / (259.12955 - points) * 100000) / 100;
}

namespace
{

// What the later passes read of a fermentable or hop line, converted once in the first pass. No member has
// a default, so an array of them needs no clearing first.
struct LineFacts {
    size_t line; // index in the evaluated lines
    Category category;
    double hop_grams;
    double value;
    double yield; // fermentable lines
    double time;  // hop lines
};

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

// One evaluation's working state: the lines, the facts of the fermentable and hop lines (in line order) and
// the records of every line.
struct Pass {
    const RecipeLine* lines;
    size_t count;
    const Settings& settings;
    LineFacts* fermentables;
    size_t fermentable_count;
    LineFacts* hops;
    size_t hop_count;
    LineEstimate* out;
};

// Room for the facts of a full recipe on the stack; longer candidate lists take theirs from the heap.
constexpr size_t kFactsOnStack = 256;

} // namespace

// Starts the record of line k, and for a fermentable or hop line converts the texts that the later passes
// read. Water lines are left out: the forced volume decides their quantities between the passes.
static void read_line(Pass& pass, size_t k, Category category, Step step)
{
    LineEstimate& out = pass.out[k];
    out = LineEstimate();
    out.hop = is_hop(category);
    out.fermentable = (is_grain(category) && step == Step::mash) ||
                      ((category == Category::sugar || category == Category::powder_extract ||
                        category == Category::liquid_extract) &&
                       step == Step::boil);
    if (!out.fermentable && !out.hop)
        return;
    const RecipeLine& line = pass.lines[k];
    LineFacts& f =
        out.fermentable ? pass.fermentables[pass.fermentable_count++] : pass.hops[pass.hop_count++];
    f.line = k;
    f.category = category;
    const Weight weight = weight_of(line.quantity);
    out.kg = weight.kg;
    f.hop_grams = weight.grams;
    f.value = text_to_number(line.value);
    if (out.fermentable)
        f.yield = text_to_number(line.yield);
    else
        f.time = text_to_number(line.time);
}

// A forced volume replaces the water of the lines, which is then not read.
static FirstPassTotals sum_weights_and_water(Pass& pass, Estimates& e, bool read_water)
{
    FirstPassTotals totals;
    for (size_t k = 0; k < pass.count; k++) {
        const RecipeLine& line = pass.lines[k];
        const Category category = category_of(line.category);
        const Step step = step_of(line.step);
        read_line(pass, k, category, step);
        const double kg = pass.out[k].kg;
        switch (category) {
        case Category::yeast:
            if (step == Step::fermentation) {
                totals.attenuation_sum += text_to_number(line.yield) / 100;
                totals.yeast_count += 1;
            }
            break;
        case Category::water:
            if (!read_water)
                break;
            if (step == Step::mash)
                e.mash_water += quantity_in_litres(line.quantity);
            else if (step == Step::rinse)
                e.rinse_water += quantity_in_litres(line.quantity);
            break;
        case Category::sugar:
            if (step == Step::boil)
                totals.sugar_kg += kg;
            break;
        case Category::powder_extract:
            if (step == Step::boil)
                totals.powder_extract_kg += kg;
            break;
        case Category::liquid_extract:
            if (step == Step::boil)
                totals.liquid_extract_kg += kg;
            break;
        default:
            if (is_grain(category) && step == Step::mash)
                e.malt_kg += kg;
            else if (is_hop(category) && is_boil_step(step))
                e.hop_kg += kg;
            break;
        }
    }
    return totals;
}

// Replaces the water read from the lines by the water that gives the forced volume, and marks the lines
// that carry it.
static void force_water(Pass& pass, Estimates& e, double target_litres)
{
    const ForcedWater water = forced_water(target_litres, pass.settings, e.malt_kg, e.hop_kg);
    e.mash_water = water.mash;
    e.rinse_water = water.rinse;
    const size_t mash_line = first_water_line(pass.lines, pass.count, "EMPATAGE");
    if (mash_line < pass.count) {
        pass.out[mash_line].forced_water = true;
        pass.out[mash_line].forced_litres = water.mash;
    }
    const size_t rinse_line = first_water_line(pass.lines, pass.count, "RINCAGE");
    if (rinse_line < pass.count) {
        pass.out[rinse_line].forced_water = true;
        pass.out[rinse_line].forced_litres = water.rinse;
    }
}

// Water after the mash loss, the grain absorption, the boil loss and the hop absorption, in litres.
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
    return v;
}

static ExtractTotals sum_extract_and_colour(Pass& pass, double volume)
{
    const double efficiency = pass.settings.efficiency;
    ExtractTotals totals;
    for (size_t n = 0; n < pass.fermentable_count; n++) {
        const LineFacts& f = pass.fermentables[n];
        LineEstimate& out = pass.out[f.line];
        const double w = out.kg;
        // The divisor is the line's own weight plus the final volume taken as kilograms of water.
        double points = f.yield / 100 * w / (w + volume);
        double colour;
        if (is_grain(f.category)) {
            points = points * efficiency * 100;
            colour = f.value / 6 * points;
        } else {
            points = points * 100;
            colour = f.value / 6 * points * efficiency;
        }
        if (pass.settings.colour_model == ColourModel::morey)
            colour = kMcuPerEbcKgPerLitre * f.value * w / volume;
        totals.points += points;
        if (f.category != Category::sugar)
            totals.non_sugar_points += points;
        totals.colour_sum += colour;
        out.points = points;
        out.colour = colour;
    }
    return totals;
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

// Tinseth's bitterness over every hop line, whatever its step; the gravity term uses the boil gravity.
static double sum_bitterness(Pass& pass, double boil_gravity, double volume)
{
    const double gravity_factor = hop_gravity_factor(boil_gravity);
    double total = 0;
    TimeFactors time_factors;
    for (size_t n = 0; n < pass.hop_count; n++) {
        const LineFacts& f = pass.hops[n];
        LineEstimate& out = pass.out[f.line];
        const double time_factor = time_factors.of(f.time);
        double ibu = hop_ibu(f.value, gravity_factor, time_factor, f.hop_grams, volume);
        if (f.category == Category::hop_pellet)
            ibu = pass.settings.pellet_yield * ibu;
        total += ibu;
        out.ibu = ibu;
        out.time_factor = time_factor;
        out.gravity_factor = gravity_factor;
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

Estimates estimate(const RecipeLine* lines, size_t count, const Settings& s, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line)
{
    LineFacts on_stack[2 * kFactsOnStack];
    std::unique_ptr<LineFacts[]> on_heap;
    if (count > kFactsOnStack)
        on_heap.reset(new LineFacts[2 * count]);
    LineFacts* facts = on_heap ? on_heap.get() : on_stack;
    // Without a caller's records the figures still need a place to go.
    std::vector<LineEstimate> own_records;
    std::vector<LineEstimate>& records = per_line ? *per_line : own_records;
    records.resize(count);
    Pass pass{lines, count, s, facts, 0, facts + count, 0, records.data()};
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

    e.colour_ebc = colour_of(extract.colour_sum, pass, volume);
    e.initial_density = density_of_points(p);
    const double boil_gravity = density_of_points(extract.non_sugar_points);
    if (no_water)
        e.colour_ebc = 0;
    if (!(e.initial_density >= 1000) || no_water)
        e.initial_density = 0;

    double fermentable_kg = totals.sugar_kg + e.malt_kg + totals.liquid_extract_kg + totals.powder_extract_kg;
    double grain_share = e.malt_kg / fermentable_kg * 100;
    double sugar_share = 100 - grain_share;
    double pf = p - (s.attenuation_malt * grain_share * attenuation +
                     s.attenuation_sugar * sugar_share * attenuation) /
                        100 * p;
    e.final_density = density_of_points(pf);
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

Estimates estimate(const std::vector<RecipeLine>& lines, const Settings& settings, ForcedVolume forced,
                   std::vector<LineEstimate>* per_line)
{
    return estimate(lines.data(), lines.size(), settings, forced, per_line);
}

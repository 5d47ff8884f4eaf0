// calc/evaluate.cpp — turns the recipe lines and the settings into the estimates. No GTK.
#include "calc/evaluate.h"

#include "calc/format.h"
#include "calc/water.h"
#include "core/keywords.h"
#include "core/text.h"
#include "core/workspace.h"

#include <cmath>

// True when the text's last two bytes are the unit's two.
static bool ends_with(const std::string& text, const char (&unit)[3])
{
    const size_t n = text.size();
    return n >= 2 && text[n - 2] == unit[0] && text[n - 1] == unit[1];
}

double quantity_in_kg(const std::string& quantity)
{
    if (ends_with(quantity, "KG"))
        return text_to_number(quantity);
    if (ends_with(quantity, " G"))
        return text_to_number(quantity) / 1000;
    return 0;
}

double density_of_points(double points)
{
    return std::floor(259 / (259.12955 - points) * 100000) / 100;
}

// What the evaluation reads of one line, recognised and converted once: the passes below would otherwise
// compare the same keywords and convert the same texts up to three times per line.
struct LineFacts {
    Category category = Category::other;
    Step step = Step::other;
    bool fermentable = false; // a grain in the mash, or a sugar or extract in the boil
    double kg = 0;            // the weight rule
    double hop_grams = 0;
    double value = 0;
    double yield = 0;
    double time = 0;
};

static LineFacts facts[kLineCapacity + 1];

// Totals of the first pass that only the evaluation needs.
struct FirstPassTotals {
    double sugar_kg = 0;
    double powder_extract_kg = 0;
    double liquid_extract_kg = 0;
    double attenuation_sum = 0;
    int yeast_count = 0;
};

// Recognises a line and converts the texts that the later passes read. Water lines are left out: the
// forced volume rewrites their quantities between the passes.
static void read_facts(const RecipeLine& line, LineFacts& f)
{
    // Written member by member in place: a returned copy went through the stack and stalled.
    f.category = category_of(line.category);
    f.step = step_of(line.step);
    const bool grain = is_grain(f.category) && f.step == Step::mash;
    const bool sugar = (f.category == Category::sugar || f.category == Category::powder_extract ||
                        f.category == Category::liquid_extract) &&
                       f.step == Step::boil;
    const bool hop = is_hop(f.category);
    f.fermentable = grain || sugar;
    f.kg = 0;
    f.hop_grams = 0;
    if (!f.fermentable && !hop)
        return;
    if (ends_with(line.quantity, "KG")) {
        const double number = text_to_number(line.quantity);
        f.kg = number;
        f.hop_grams = number * 1000;
    } else if (ends_with(line.quantity, " G")) {
        const double number = text_to_number(line.quantity);
        f.kg = number / 1000;
        f.hop_grams = number;
    }
    f.value = text_to_number(line.value);
    if (f.fermentable)
        f.yield = text_to_number(line.yield);
    if (hop)
        f.time = text_to_number(line.time);
}

static FirstPassTotals sum_weights_and_water(Estimates& e)
{
    FirstPassTotals totals;
    for (int k = 1; k <= ws.line_count; k++) {
        const RecipeLine& line = ws.lines[k];
        LineFacts& f = facts[k];
        read_facts(line, f);
        switch (f.category) {
        case Category::yeast:
            if (f.step == Step::fermentation) {
                totals.attenuation_sum += text_to_number(line.yield) / 100;
                totals.yeast_count += 1;
            }
            break;
        case Category::water:
            if (f.step == Step::mash)
                e.mash_water += text_to_number(line.quantity);
            else if (f.step == Step::rinse)
                e.rinse_water += text_to_number(line.quantity);
            break;
        case Category::sugar:
            if (f.step == Step::boil)
                totals.sugar_kg += f.kg;
            break;
        case Category::powder_extract:
            if (f.step == Step::boil)
                totals.powder_extract_kg += f.kg;
            break;
        case Category::liquid_extract:
            if (f.step == Step::boil)
                totals.liquid_extract_kg += f.kg;
            break;
        default:
            if (is_grain(f.category) && f.step == Step::mash)
                e.malt_kg += f.kg;
            else if (is_hop(f.category) && is_boil_step(f.step))
                e.hop_kg += f.kg;
            break;
        }
    }
    return totals;
}

// Water after the mash loss, the grain absorption, the boil loss and the hop absorption, in litres.
static double final_volume_of(const Estimates& e)
{
    const Settings& s = ws.settings;
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

// Extract points of every fermentable line, all of them and those that are not plain sugar, and the colour
// sum.
struct ExtractTotals {
    double points = 0;
    double non_sugar_points = 0;
    double colour_sum = 0;
};

static ExtractTotals sum_extract_and_colour(double volume)
{
    const double efficiency = ws.settings.efficiency;
    ExtractTotals totals;
    for (int k = 1; k <= ws.line_count; k++) {
        const LineFacts& f = facts[k];
        if (!f.fermentable)
            continue;
        const double w = f.kg;
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
        totals.points += points;
        if (f.category != Category::sugar)
            totals.non_sugar_points += points;
        totals.colour_sum += colour;
        RecipeLine& line = ws.lines[k];
        line.gravity_points = points;
        line.colour_points = colour;
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
        const double factor = hyperbolic_tangent(minutes * 3.14159265 / 120);
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
static double sum_bitterness(double boil_gravity, double volume)
{
    double gravity_factor = std::pow(0.000125, boil_gravity / 1000 - 1);
    double total = 0;
    TimeFactors time_factors;
    for (int k = 1; k <= ws.line_count; k++) {
        const LineFacts& f = facts[k];
        if (!is_hop(f.category))
            continue;
        const double time_factor = time_factors.of(f.time);
        double ibu = f.value * (gravity_factor * time_factor * f.hop_grams) * 3.98 / volume;
        if (f.category == Category::hop_pellet)
            ibu = ws.settings.pellet_yield * ibu;
        total += ibu;
        ws.lines[k].line_ibu = ibu;
    }
    return total;
}

void evaluate_recipe()
{
    const Settings& s = ws.settings;
    Estimates& e = ws.estimates;
    double sugar_per_litre = e.sugar_per_litre;
    double extract_per_litre = e.extract_per_litre;
    e = Estimates();
    e.sugar_per_litre = sugar_per_litre;
    e.extract_per_litre = extract_per_litre;
    // A line that no longer counts (its step or category changed) must not keep the figures it once had.
    for (int k = 1; k <= ws.line_count; k++) {
        ws.lines[k].gravity_points = 0;
        ws.lines[k].colour_points = 0;
        ws.lines[k].line_ibu = 0;
    }

    FirstPassTotals totals = sum_weights_and_water(e);

    if (ws.volume_forced == 1) {
        compute_forced_water(ws.forced_volume);
        e.mash_water = ws.calc_mash_water_l;
        e.rinse_water = ws.calc_sparge_water_l;
    }

    double attenuation = 0;
    if (totals.yeast_count > 0)
        attenuation = totals.attenuation_sum / totals.yeast_count;

    const double volume = final_volume_of(e);
    e.final_volume = volume;

    ExtractTotals extract = sum_extract_and_colour(volume);
    const double p = extract.points;
    // NaN compares false everywhere, so each rule below is written to let an undefined value fall to 0.
    const bool no_water = e.mash_water + e.rinse_water == 0;

    e.colour_ebc = std::floor(100 * extract.colour_sum + 175) / 100;
    e.initial_density = density_of_points(p);
    const double boil_gravity = density_of_points(extract.non_sugar_points);
    if (e.colour_ebc == 1.75 || std::isnan(e.colour_ebc) || no_water)
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

    e.bitterness_ibu = sum_bitterness(boil_gravity, volume);
    if (!(e.bitterness_ibu >= 0) || no_water)
        e.bitterness_ibu = 0;
    if (e.bitterness_ibu > 9999)
        e.bitterness_ibu = 9999;
}

// calc/evaluate.cpp — turns the recipe lines and the settings into the estimates. No GTK.
#include "calc/evaluate.h"

#include "calc/format.h"
#include "calc/water.h"
#include "core/text.h"
#include "core/workspace.h"

#include <cmath>

static bool is_grain(const std::string& category)
{
    return category == "MALT" || category == "MALTFROMENT" || category == "MALTSPECIAL" ||
           category == "GRAIN" || category == "FLOCON";
}

static bool is_sugar_or_extract(const std::string& category)
{
    return category == "SUCRE" || category == "EXTRAITPOUDRE" || category == "EXTRAITLIQUIDE";
}

static bool is_hop(const std::string& category)
{
    return category == "HOUBLONCONE" || category == "HOUBLONPELLET";
}

static bool ends_with(const std::string& text, const char* two)
{
    return text.size() >= 2 && text.compare(text.size() - 2, 2, two) == 0;
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

// Totals of the first pass that only the evaluation needs.
struct FirstPassTotals {
    double sugar_kg = 0;
    double powder_extract_kg = 0;
    double liquid_extract_kg = 0;
    double attenuation_sum = 0;
    int yeast_count = 0;
};

static FirstPassTotals sum_weights_and_water(Estimates& e)
{
    FirstPassTotals totals;
    for (int k = 1; k <= ws.line_count; k++) {
        const RecipeLine& line = ws.lines[k];
        const std::string& category = line.category;
        const std::string& step = line.step;
        if (category == "LEVURE" && step == "FERMENTATION") {
            totals.attenuation_sum += text_to_number(line.yield) / 100;
            totals.yeast_count += 1;
        }
        if (category == "EAU" && step == "EMPATAGE")
            e.mash_water += text_to_number(line.quantity);
        if (category == "EAU" && step == "RINCAGE")
            e.rinse_water += text_to_number(line.quantity);
        if (is_grain(category) && step == "EMPATAGE")
            e.malt_kg += quantity_in_kg(line.quantity);
        if (category == "SUCRE" && step == "EBULLITION")
            totals.sugar_kg += quantity_in_kg(line.quantity);
        if (category == "EXTRAITPOUDRE" && step == "EBULLITION")
            totals.powder_extract_kg += quantity_in_kg(line.quantity);
        if (category == "EXTRAITLIQUIDE" && step == "EBULLITION")
            totals.liquid_extract_kg += quantity_in_kg(line.quantity);
        if (is_hop(category) && (step == "EBULLITION" || step == "AMERISATION" || step == "AROMATISATION"))
            e.hop_kg += quantity_in_kg(line.quantity);
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
        RecipeLine& line = ws.lines[k];
        bool grain = is_grain(line.category) && line.step == "EMPATAGE";
        bool sugar = is_sugar_or_extract(line.category) && line.step == "EBULLITION";
        if (!grain && !sugar)
            continue;
        double w = quantity_in_kg(line.quantity);
        // The divisor is the line's own weight plus the final volume taken as kilograms of water.
        double points = text_to_number(line.yield) / 100 * w / (w + volume);
        double colour;
        if (grain) {
            points = points * efficiency * 100;
            colour = text_to_number(line.value) / 6 * points;
        } else {
            points = points * 100;
            colour = text_to_number(line.value) / 6 * points * efficiency;
        }
        totals.points += points;
        if (line.category != "SUCRE")
            totals.non_sugar_points += points;
        totals.colour_sum += colour;
        line.gravity_points = points;
        line.colour_points = colour;
    }
    return totals;
}

// Tinseth's bitterness over every hop line, whatever its step; the gravity term uses the boil gravity.
static double sum_bitterness(double boil_gravity, double volume)
{
    double gravity_factor = std::pow(0.000125, boil_gravity / 1000 - 1);
    double total = 0;
    for (int k = 1; k <= ws.line_count; k++) {
        RecipeLine& line = ws.lines[k];
        if (!is_hop(line.category))
            continue;
        double hop_grams = 0;
        if (ends_with(line.quantity, "KG"))
            hop_grams = text_to_number(line.quantity) * 1000;
        else if (ends_with(line.quantity, " G"))
            hop_grams = text_to_number(line.quantity);
        double time_factor = hyperbolic_tangent(text_to_number(line.time) * 3.14159265 / 120);
        double ibu = text_to_number(line.value) * (gravity_factor * time_factor * hop_grams) * 3.98 / volume;
        if (line.category == "HOUBLONPELLET")
            ibu = ws.settings.pellet_yield * ibu;
        total += ibu;
        line.line_ibu = ibu;
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

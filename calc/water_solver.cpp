// calc/water_solver.cpp — solves the mash pH for an acid quantity and the mash water for salt quantities.
#include "calc/water_solver.h"

#include "calc/water_chemistry.h"
#include "calc/water_salts.h"
#include "core/keywords.h"
#include "core/line_figures.h"
#include "core/quantity.h"
#include "core/text.h"

#include <glib.h>

#include <cmath>

namespace
{

// The salts the profile solver may set, in the order of nearest_salts.
const Additive kProfileSalts[] = {Additive::gypsum, Additive::calcium_chloride, Additive::epsom,
                                  Additive::table_salt, Additive::baking_soda};
constexpr size_t kSaltCount = 5;

// Sulfate and chloride set the beer's balance; the other ions matter less and give way to them.
const double kIonWeights[6] = {1, 1, 1, 3, 3, 1};

double ion(const Ions& i, int n)
{
    const double Ions::*fields[6] = {&Ions::ca, &Ions::mg, &Ions::na, &Ions::so4, &Ions::cl, &Ions::hco3};
    return i.*fields[n];
}

double ph_of(const Recipe& r, const std::vector<WaterProfile>& profiles, double correction)
{
    const WaterChemistry w = water_chemistry(r.lines.data(), r.lines.size(), profiles);
    return w.computed ? w.model_ph + correction : 0;
}

// The line whose quantity the pH solver sets: the first acid at EMPATAGE, else the first acid malt.
size_t acid_line(const Recipe& r)
{
    for (size_t k = 0; k < r.lines.size(); k++) {
        const RecipeLine& l = r.lines[k];
        if (category_of(l.category) == Category::other_addition && step_of(l.step) == Step::mash &&
            is_acid(additive_of_key(l.value)))
            return k;
    }
    for (size_t k = 0; k < r.lines.size(); k++) {
        const RecipeLine& l = r.lines[k];
        gchar* lower = g_ascii_strdown(l.designation.c_str(), -1);
        const std::string name = lower;
        g_free(lower);
        if (is_grain(category_of(l.category)) && step_of(l.step) == Step::mash &&
            (name.find("acide") != std::string::npos || name.find("acidul") != std::string::npos ||
             name.find("sauer") != std::string::npos))
            return k;
    }
    return r.lines.size();
}

RecipeChange not_done(std::string message)
{
    RecipeChange c;
    c.message = std::move(message);
    return c;
}

} // namespace

RecipeChange solve_mash_ph(const Recipe& recipe, const std::vector<WaterProfile>& profiles, double target,
                           double correction, const IngredientEntry* lactic)
{
    if (!(target > 3.5 && target < 7.5))
        return not_done("Le pH visé doit être compris entre 3.5 et 7.5.");
    Recipe r = recipe;
    if (ph_of(r, profiles, correction) <= 0)
        return not_done(
            "Pas de pH d'empâtage à viser : il faut du grain et une eau d'empâtage de profil connu.");
    size_t k = acid_line(r);
    if (k == r.lines.size()) {
        RecipeLine line;
        if (lactic) {
            line = recipe_line_of(*lactic);
        } else {
            line.category = "AUTRE";
            line.picture = "sel";
            line.designation = "Acide lactique à 80 %";
            line.value = "LACTIQUE";
            line.yield = "80";
            line.time = "0";
            line.price = "0.10 ML";
        }
        line.step = "EMPATAGE";
        line.quantity = "0 ML";
        r.lines.push_back(line);
    }
    RecipeLine& line = r.lines[k];
    const bool malt = is_grain(category_of(line.category));
    const Unit unit = malt ? Unit::gram : Unit::millilitre;
    const int decimals = malt ? 1 : 2;
    auto put = [&](double amount) { line.quantity = quantity_text(amount, unit, decimals); };
    // The pH falls as the acid grows: bisection between none and a quantity that goes below the target.
    put(0);
    const double highest = ph_of(r, profiles, correction);
    double high = malt ? 100 : 1; // grams or millilitres, doubled until the pH falls below the target
    put(high);
    while (ph_of(r, profiles, correction) > target && high < 1e6) {
        high *= 2;
        put(high);
    }
    const double lowest = ph_of(r, profiles, correction);
    if (target > highest + 0.005 || target < lowest) {
        const double nearest = target > highest ? highest : lowest;
        return not_done("Le pH " + format_decimals(target, 2) +
                        " est hors d'atteinte : sans acide, le pH est de " + format_decimals(highest, 2) +
                        " ; le plus proche est " + format_decimals(nearest, 2) + ". Rien n'a changé.");
    }
    double low = 0;
    for (int n = 0; n < 60 && high - low > 1e-4; n++) {
        const double mid = (low + high) / 2;
        put(mid);
        (ph_of(r, profiles, correction) > target ? low : high) = mid;
    }
    // Written to the scale's step: of the two neighbouring steps, the one whose pH is nearer the target.
    const double step = std::pow(10.0, -decimals);
    const double below = std::floor(high / step) * step, above = below + step;
    put(below);
    const double ph_below = ph_of(r, profiles, correction);
    put(above);
    const double ph_above = ph_of(r, profiles, correction);
    put(std::fabs(ph_below - target) <= std::fabs(ph_above - target) ? below : above);
    RecipeChange change;
    change.done = true;
    change.recipe = r;
    change.message = "pH d'empâtage " + format_decimals(ph_of(r, profiles, correction), 2) + " avec " +
                     line.quantity + " de « " + line.designation + " ».";
    return change;
}

std::vector<double> nearest_salts(const Ions& start, const Ions& target, const std::vector<bool>& usable)
{
    // Five salts at most: every subset is solved by its normal equations and the best one with no negative
    // amount kept, which is the exact non-negative least-squares answer.
    Ions per[kSaltCount];
    for (size_t s = 0; s < kSaltCount; s++)
        per[s] = ions_per_gram(kProfileSalts[s]);
    std::vector<double> best(kSaltCount, 0);
    double best_error = 0;
    for (int n = 0; n < 6; n++)
        best_error += kIonWeights[n] * std::pow(ion(target, n) - ion(start, n), 2);
    for (unsigned mask = 1; mask < (1u << kSaltCount); mask++) {
        std::vector<size_t> set;
        for (size_t s = 0; s < kSaltCount; s++)
            if (mask & (1u << s) && s < usable.size() && usable[s])
                set.push_back(s);
        if (set.size() != static_cast<size_t>(__builtin_popcount(mask)))
            continue;
        const size_t m = set.size();
        double a[kSaltCount][kSaltCount + 1] = {};
        for (size_t i = 0; i < m; i++) {
            for (size_t j = 0; j < m; j++)
                for (int n = 0; n < 6; n++)
                    a[i][j] += kIonWeights[n] * ion(per[set[i]], n) * ion(per[set[j]], n);
            for (int n = 0; n < 6; n++)
                a[i][m] += kIonWeights[n] * ion(per[set[i]], n) * (ion(target, n) - ion(start, n));
        }
        // Gaussian elimination with partial pivoting.
        bool singular = false;
        for (size_t c = 0; c < m && !singular; c++) {
            size_t p = c;
            for (size_t r = c + 1; r < m; r++)
                if (std::fabs(a[r][c]) > std::fabs(a[p][c]))
                    p = r;
            if (std::fabs(a[p][c]) < 1e-9) {
                singular = true;
                break;
            }
            for (size_t j = 0; j <= m; j++)
                std::swap(a[c][j], a[p][j]);
            for (size_t r = 0; r < m; r++) {
                if (r == c)
                    continue;
                const double f = a[r][c] / a[c][c];
                for (size_t j = c; j <= m; j++)
                    a[r][j] -= f * a[c][j];
            }
        }
        if (singular)
            continue;
        std::vector<double> x(kSaltCount, 0);
        bool negative = false;
        for (size_t i = 0; i < m; i++) {
            x[set[i]] = a[i][m] / a[i][i];
            negative = negative || x[set[i]] < 0;
        }
        if (negative)
            continue;
        double error = 0;
        for (int n = 0; n < 6; n++) {
            double got = ion(start, n);
            for (size_t s = 0; s < kSaltCount; s++)
                got += x[s] * ion(per[s], n);
            error += kIonWeights[n] * std::pow(ion(target, n) - got, 2);
        }
        if (error < best_error) {
            best_error = error;
            best = x;
        }
    }
    return best;
}

RecipeChange solve_water_profile(const Recipe& recipe, const std::vector<WaterProfile>& profiles,
                                 const WaterProfile& target)
{
    Recipe r = recipe;
    size_t lines[kSaltCount];
    std::vector<bool> usable(kSaltCount, false);
    for (size_t s = 0; s < kSaltCount; s++) {
        lines[s] = r.lines.size();
        for (size_t k = 0; k < r.lines.size() && lines[s] == r.lines.size(); k++) {
            const RecipeLine& l = r.lines[k];
            if (category_of(l.category) == Category::other_addition && step_of(l.step) == Step::mash &&
                additive_of_key(l.value) == kProfileSalts[s]) {
                lines[s] = k;
                usable[s] = true;
            }
        }
    }
    bool any = false;
    for (size_t s = 0; s < kSaltCount; s++) {
        any = any || usable[s];
        // The salts being chosen start from nothing.
        if (usable[s])
            r.lines[lines[s]].quantity = quantity_text(0, Unit::gram, 1);
    }
    if (!any)
        return not_done(
            "Ajoutez d'abord à l'empâtage les sels à doser (gypse, chlorure de calcium, sel d'Epsom, "
            "sel de cuisine, bicarbonate de sodium). Rien n'a changé.");
    const WaterChemistry start = water_chemistry(r.lines.data(), r.lines.size(), profiles);
    if (start.mash_litres <= 0)
        return not_done("Il faut une eau d'empâtage de profil connu. Rien n'a changé.");
    const std::vector<double> per_litre = nearest_salts(start.mash_ions, target.ions, usable);
    for (size_t s = 0; s < kSaltCount; s++)
        if (usable[s])
            r.lines[lines[s]].quantity = quantity_text(per_litre[s] * start.mash_litres, Unit::gram, 1);
    const WaterChemistry end = water_chemistry(r.lines.data(), r.lines.size(), profiles);
    RecipeChange change;
    change.done = true;
    change.recipe = r;
    change.message = "Eau d'empâtage au plus près de « " + target.name + " » : SO4 " +
                     format_decimals(end.mash_ions.so4, 0) + " (visé " + format_decimals(target.ions.so4, 0) +
                     "), Cl " + format_decimals(end.mash_ions.cl, 0) + " (visé " +
                     format_decimals(target.ions.cl, 0) + "), Ca " + format_decimals(end.mash_ions.ca, 0) +
                     " (visé " + format_decimals(target.ions.ca, 0) + ") mg/L.";
    return change;
}

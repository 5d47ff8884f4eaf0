// calc/target_solver.h — the search behind solve_targets, shared by calc/target_solver.cpp and its
// colour file; no other file includes it.
#pragma once

#include "calc/grain_kind.h"
#include "calc/targets.h"

#include <algorithm>
#include <string>
#include <vector>

namespace target_search
{

// The least weight a line may be given, in grams: twice the finest step written_weight keeps, so that a
// line never rounds to nothing.
constexpr double kLeastGrams = 0.02;

// The lightest density the estimates read (lighter worts read 0), with a margin for the rounding of the
// quantities.
constexpr double kLeastDensity = 1000.1;

// A trial weight, to the microgram, as a quantity text the estimates read at once: "%.16g" would write
// digits that only the slow reading of long numbers takes.
std::string trial_weight(double grams);

// The density the estimates give, a wort lighter than water (which they read as 0) read as water.
double density_read(const Estimates& e);

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
           const std::vector<IngredientEntry>& database);

    Estimates now() const
    {
        return estimate(lines_, settings_, forced_);
    }
    const std::vector<RecipeLine>& lines() const
    {
        return lines_;
    }

    // Each meets its target, or says why not in `miss`; the quantities a miss leaves are not to be kept.
    bool density(double target, Miss& miss);
    bool colour(double target, double hold_density, Miss& miss);
    bool bitterness(double target, Miss& miss);

  private:
    // The estimates of the current quantities, or NaN ones when they leave too little beer.
    Estimates checked() const;
    // Line k at `grams`, as written_weight writes it or to the microgram for a trial.
    void put(size_t k, double grams, bool rounded);
    // The part's lines at their start grams times `factor`.
    void scale(const Part& part, double factor, bool rounded);
    Part part_of(const std::vector<size_t>& set) const;
    // The least factor on a part that keeps each of its lines weighable.
    static double least_factor(const Part& part);
    // The nearest value a miss states: the estimate the rounded quantities really give.
    double rounded_value(const Part& part, double factor, Aim which);
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

} // namespace target_search

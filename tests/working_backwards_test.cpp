// tests/working_backwards_test.cpp — a recipe brought to another volume, and quantities solved for a wanted
// density, colour and bitterness, over randomised recipes.
#include "calc/grain_kind.h"
#include "calc/scale.h"
#include "calc/evaluate.h"
#include "calc/targets.h"
#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"
#include "core/workspace.h"
#include "line_fixtures.h"
#include "random_recipe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

bool is_weight(Unit unit)
{
    return unit == Unit::kilogram || unit == Unit::gram;
}

// Only quantities change, and every changed one is written to its precision: a weight stays a weight (in
// kilograms from 1,000 g on), and nothing that weighed something is written as nothing, below nothing or
// as no number at all.
void expect_only_quantities_changed(const std::vector<RecipeLine>& before, const RecipeChange& change)
{
    ASSERT_EQ(change.recipe.lines.size(), before.size());
    for (size_t k = 0; k < before.size(); k++) {
        const RecipeLine& a = before[k];
        const RecipeLine& b = change.recipe.lines[k];
        EXPECT_EQ(a.designation + a.value + a.yield + a.time + a.step,
                  b.designation + b.value + b.yield + b.time + b.step);
        if (a.quantity == b.quantity)
            continue;
        const double amount = quantity_amount(b.quantity);
        EXPECT_TRUE(std::isfinite(amount) && amount > 0) << a.quantity << " became " << b.quantity;
        if (is_weight(unit_of(a.quantity))) {
            EXPECT_TRUE(is_weight(unit_of(b.quantity))) << b.quantity;
            EXPECT_EQ(unit_of(b.quantity) == Unit::kilogram, weight_of(b.quantity).grams >= 1000)
                << b.quantity;
        } else {
            EXPECT_EQ(unit_of(a.quantity), unit_of(b.quantity)) << b.quantity;
        }
        EXPECT_EQ(b.quantity, written_quantity(b, amount)) << "not rounded: " << b.quantity;
    }
}

// The share of the mashed grain's weight that grains of `kind` take.
double kind_share(const std::vector<RecipeLine>& lines, GrainKind kind)
{
    double all = 0, of_kind = 0;
    for (const RecipeLine& l : lines) {
        if (!is_grain(category_of(l.category)) || step_of(l.step) != Step::mash)
            continue;
        const double grams = weight_of(l.quantity).grams;
        all += grams;
        if (grain_kind(l.designation, text_to_number(l.value)) == kind)
            of_kind += grams;
    }
    return all > 0 ? of_kind / all : 0;
}

ForcedVolume random_forced(std::mt19937& random)
{
    return random() % 3 == 0 ? ForcedVolume{true, 18.0 + random() % 10} : ForcedVolume{};
}

// A third of the recipes forced to a volume far below what their mash water alone gives.
ForcedVolume unreachable_or_random_forced(std::mt19937& random)
{
    return random() % 3 == 0 ? ForcedVolume{true, 2.0 + random() % 4} : random_forced(random);
}

RecipeShape shape_of(int n)
{
    static const RecipeShape kShapes[] = {RecipeShape::plain, RecipeShape::tiny_lines,
                                          RecipeShape::equal_lines};
    return kShapes[n % 3];
}

// Lines equal in `same` before are equal after; for scaling the quantity alone counts, for solving the
// whole line.
void expect_equal_lines_stay_equal(const std::vector<RecipeLine>& before,
                                   const std::vector<RecipeLine>& after, bool whole_line)
{
    std::vector<std::string> keys;
    for (const RecipeLine& l : before)
        keys.push_back(whole_line ? l.category + "|" + l.designation + "|" + l.quantity + "|" + l.value +
                                        "|" + l.yield + "|" + l.time + "|" + l.step
                                  : l.quantity);
    for (size_t i = 0; i < before.size(); i++)
        for (size_t j = i + 1; j < before.size(); j++)
            if (keys[i] == keys[j]) {
                EXPECT_EQ(after[i].quantity, after[j].quantity)
                    << "lines " << i + 1 << " and " << j + 1 << " were " << before[i].quantity;
            }
}

// The caramel and roasted shares stay within their usual share, or within what the recipe already had.
void expect_usual_shares(const std::vector<RecipeLine>& before, const std::vector<RecipeLine>& after)
{
    for (GrainKind kind : {GrainKind::crystal, GrainKind::roasted})
        EXPECT_LE(kind_share(after, kind), std::max(usual_share(kind), kind_share(before, kind)) + 0.002)
            << kind_name(kind);
}

} // namespace

TEST(ScaleToVolume, EstimatesStayAndTheVolumeLandsOnTheWantedOne)
{
    std::mt19937 random(1617);
    for (int n = 0; n < 150; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random);
        const Settings s = random_settings(random);
        const ForcedVolume forced = random_forced(random);
        const double litres = std::uniform_real_distribution<double>(8, 60)(random);
        SCOPED_TRACE("recipe " + std::to_string(n) + " to " + std::to_string(litres) + " L");
        const Estimates a = estimate(lines, s, forced);
        const RecipeChange change = scale_to_volume(recipe_of(lines, forced), s, litres);
        ASSERT_TRUE(change.done) << change.message;
        expect_only_quantities_changed(lines, change);
        EXPECT_EQ(change.recipe.forced.on, forced.on);
        if (forced.on) { // the litres, or a hair more for the hops' absorption after the boil loss
            EXPECT_NEAR(change.recipe.forced.litres, litres, 1);
        }
        const Estimates b = estimate(change.recipe.lines, s, change.recipe.forced);
        EXPECT_NEAR(b.final_volume, litres, forced.on ? kScaledVolumeTolerance : 0.01);
        // Within what weighing a small dark grain or hop line to the gram or tenth of a gram moves.
        EXPECT_NEAR(b.initial_density, a.initial_density, 0.2);
        EXPECT_NEAR(b.colour_ebc, a.colour_ebc, std::max(kTargetTolerance, a.colour_ebc / 100));
        EXPECT_NEAR(b.bitterness_ibu, a.bitterness_ibu, kTargetTolerance);
        EXPECT_NEAR(b.alcohol, a.alcohol, 0.05);
    }
}

TEST(ScaleToVolume, RefusedWithoutAVolumeOrForANonsenseOne)
{
    std::mt19937 random(7);
    const std::vector<RecipeLine> lines = random_recipe(random);
    const Settings s = random_settings(random);
    std::vector<RecipeLine> dry(lines.begin() + 2, lines.end());
    const std::pair<std::vector<RecipeLine>, double> cases[] = {
        {dry, 20}, {lines, 0}, {lines, -5}, {lines, NAN}};
    for (const auto& c : cases) {
        const RecipeChange change = scale_to_volume(recipe_of(c.first, ForcedVolume{}), s, c.second);
        EXPECT_FALSE(change.done) << c.second;
        EXPECT_NE(change.message, "") << c.second;
    }
}

// Volumes a brewer would not brew, or that the recipe cannot be weighed for, change nothing and say why.
TEST(ScaleToVolume, RefusesAbsurdVolumesAndFactors)
{
    Settings s;
    set_worked_example_brewery(s);
    auto line = [](const char* category, const char* designation, const char* quantity, const char* step) {
        RecipeLine l;
        l.category = category;
        l.designation = designation;
        l.quantity = quantity;
        l.value = "8";
        l.yield = "80";
        l.time = "60";
        l.step = step;
        return l;
    };
    const std::vector<RecipeLine> ale = {
        line("EAU", "Eau", "20 L", "EMPATAGE"), line("EAU", "Eau", "10 L", "RINCAGE"),
        line("MALT", "Pale", "5 KG", "EMPATAGE"), line("AUTRE", "Sel", "0.1 G", "EBULLITION")};
    // An imported batch of a few millilitres: its factor to 23 L would give tonnes of malt.
    const std::vector<RecipeLine> drop = {line("EAU", "Eau", "5.56 L", "EMPATAGE"),
                                          line("MALT", "Pale", "5 KG", "EMPATAGE")};
    const struct {
        const char* name;
        const std::vector<RecipeLine>& lines;
        double litres;
        const char* says;
    } cases[] = {
        {"a hair of beer", ale, 0.4, "entre 0.5 et 10000 litres"},
        {"a brewery's tank", ale, 10001, "entre 0.5 et 10000 litres"},
        {"no number", ale, NAN, "entre 0.5 et 10000 litres"},
        {"beyond any number", ale, 1e308, "entre 0.5 et 10000 litres"},
        {"infinite", ale, INFINITY, "entre 0.5 et 10000 litres"},
        {"negative", ale, -20, "entre 0.5 et 10000 litres"},
        {"salt weighed to nothing", ale, 0.5, "« Sel » ne pèserait plus rien"},
        {"tonnes of malt", drop, 23, "« Pale » dépasserait la plus grande quantité d'une ligne"},
    };
    for (const auto& c : cases) {
        const RecipeChange change = scale_to_volume(recipe_of(c.lines, ForcedVolume{}), s, c.litres);
        EXPECT_FALSE(change.done) << c.name;
        EXPECT_TRUE(change.recipe.lines.empty()) << c.name;
        EXPECT_NE(change.message.find(c.says), std::string::npos) << c.name << ": " << change.message;
    }
    EXPECT_TRUE(scale_to_volume(recipe_of(ale, ForcedVolume{}), s, 10000).done);
}

// Forced to 4 L, the 6 kg of grain still take 18 L of mash water: the recipe gives more than 4 L, and that
// is the volume the factor is taken from.
TEST(ScaleToVolume, AForcedVolumeTheRecipeCannotReachIsNotTheFactorsBase)
{
    Settings s;
    set_worked_example_brewery(s);
    s.litres_per_kilo = 3;
    std::vector<RecipeLine> lines(4);
    lines[0].category = lines[1].category = "EAU";
    lines[0].step = "EMPATAGE";
    lines[1].step = "RINCAGE";
    lines[0].quantity = "18 L";
    lines[1].quantity = "0 L";
    lines[2].category = "MALT";
    lines[2].quantity = "6 KG";
    lines[2].value = "8";
    lines[2].yield = "80";
    lines[2].step = "EMPATAGE";
    lines[3].category = "HOUBLONCONE";
    lines[3].quantity = "40 G";
    lines[3].value = "5";
    lines[3].time = "60";
    lines[3].step = "EBULLITION";
    const ForcedVolume forced{true, 4};
    const Estimates a = estimate(lines, s, forced);
    ASSERT_NEAR(a.final_volume, 8.78, 0.01); // (18 L − 10 % − 6 L) less 10 %, less the hops' 0.4 L
    const RecipeChange change = scale_to_volume(recipe_of(lines, forced), s, 17.7);
    ASSERT_TRUE(change.done) << change.message;
    const Estimates b = estimate(change.recipe.lines, s, change.recipe.forced);
    EXPECT_NEAR(b.final_volume, 17.7, kScaledVolumeTolerance);
    EXPECT_EQ(change.recipe.lines[2].quantity, written_quantity(lines[2], 6 * 17.7 / a.final_volume));
    EXPECT_NEAR(b.initial_density, a.initial_density, 0.1);
}

TEST(ScaleToVolume, TwoEqualWatersStayEqual)
{
    Settings s;
    set_worked_example_brewery(s);
    std::vector<RecipeLine> lines(3);
    lines[0].category = lines[1].category = "EAU";
    lines[0].quantity = lines[1].quantity = "15 L";
    lines[0].step = "EMPATAGE";
    lines[1].step = "RINCAGE";
    lines[2].category = "MALT";
    lines[2].quantity = "5 KG";
    lines[2].value = "8";
    lines[2].yield = "80";
    lines[2].step = "EMPATAGE";
    for (double litres : {23.4, 30.0, 33.3, 47.11}) {
        const RecipeChange change = scale_to_volume(recipe_of(lines, ForcedVolume{}), s, litres);
        ASSERT_TRUE(change.done) << change.message;
        EXPECT_EQ(change.recipe.lines[0].quantity, change.recipe.lines[1].quantity) << litres;
        EXPECT_NEAR(estimate(change.recipe.lines, s, ForcedVolume{}).final_volume, litres,
                    kScaledVolumeTolerance);
    }
}

// Over recipes of every shape, forced or not (a forced volume out of reach included), and volumes from half a
// litre to ten thousand: the volume lands, or the recipe is left as it was with the reason.
TEST(ScaleToVolume, EveryShapeOfRecipeLandsOrIsLeftAsItWas)
{
    std::mt19937 random(2103);
    int done = 0;
    for (int n = 0; n < 240; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random, shape_of(n));
        const Settings s = random_settings(random);
        const ForcedVolume forced = unreachable_or_random_forced(random);
        const double litres =
            std::exp(std::uniform_real_distribution<double>(std::log(0.5), std::log(1e4))(random));
        SCOPED_TRACE("recipe " + std::to_string(n) + " to " + std::to_string(litres) + " L");
        const RecipeChange change = scale_to_volume(recipe_of(lines, forced), s, litres);
        if (!change.done) {
            EXPECT_TRUE(change.recipe.lines.empty());
            EXPECT_NE(change.message.find("ne pèserait plus rien"), std::string::npos) << change.message;
            continue;
        }
        done++;
        expect_only_quantities_changed(lines, change);
        expect_equal_lines_stay_equal(lines, change.recipe.lines, false);
        EXPECT_NEAR(estimate(change.recipe.lines, s, change.recipe.forced).final_volume, litres,
                    kScaledVolumeTolerance);
    }
    EXPECT_GT(done, 200); // only the smallest volumes of the recipes with pinches are refused
}

// The quantities written back: kilograms from 1,000 g on, finer steps for small weights.
TEST(ScaleToVolume, QuantitiesAreWrittenAsABrewerWeighsThem)
{
    auto line = [](const char* category, const char* quantity) {
        RecipeLine l;
        l.category = category;
        l.quantity = quantity;
        return l;
    };
    const struct {
        const char* category;
        const char* quantity; // the line's unit
        double amount;        // of that unit
        const char* written;
    } cases[] = {
        {"HOUBLONCONE", "40 G", 3390, "3.39 KG"},    // a solved hop of 3,390 g
        {"HOUBLONCONE", "40 G", 999.96, "1 KG"},     // rounds up to a kilogram
        {"HOUBLONCONE", "40 G", 999.94, "999.9 G"},  //
        {"MALT", "5 KG", 0.5, "500 G"},              // under a kilogram: grams
        {"MALT", "5 KG", 12.3456, "12.346 KG"},      // to the gram
        {"MALT", "5 KG", 1234.56789, "1234.568 KG"}, //
        {"MALTSPECIAL", "10 G", 12.345, "12.3 G"},   // the tenth under 1 kg
        {"MALTSPECIAL", "10 G", 810.14, "810.1 G"},  //
        {"AUTRE", "1 G", 0.123, "0.12 G"},           // the hundredth under 1 g
        {"AUTRE", "1 G", 0.004, "0 G"},              // nothing: scaling refuses it
        {"EAU", "15 L", 29.255, "29.26 L"},          //
        {"LEVURE", "1 SACHET", 1.5, "1.5 SACHET"},   // no unit: the text after the number stays
        {"LEVURE", "SACHET", 2, "SACHET"},           // no number: nothing to scale
    };
    for (const auto& c : cases)
        EXPECT_EQ(written_quantity(line(c.category, c.quantity), c.amount), c.written) << c.amount;
}

// Targets that a recipe can reach by construction: the estimates of a twin whose grist, darkest grain and
// hops were scaled by their own factors.
TEST(Targets, ReachableTargetsAreHitAfterRounding)
{
    std::mt19937 random(1655);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    for (int n = 0; n < 150; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random);
        const Settings s = random_settings(random);
        const ForcedVolume forced = random_forced(random);
        std::vector<RecipeLine> twin = lines;
        std::vector<LineEstimate> per_line;
        estimate(lines, s, forced, &per_line);
        const double grist = uniform(0.8, 1.25), hops = uniform(0.5, 2);
        double dark = uniform(0.5, 2);
        size_t darkest = 0;
        for (size_t k = 0; k < twin.size(); k++)
            if (per_line[k].fermentable && twin[k].category != "SUCRE" &&
                (!darkest || text_to_number(twin[k].value) > text_to_number(twin[darkest].value)))
                darkest = k;
        auto make_twin = [&] {
            for (size_t k = 0; k < twin.size(); k++) {
                const double f = per_line[k].fermentable ? grist * (k == darkest ? dark : 1)
                                 : per_line[k].ibu > 0   ? hops
                                                         : 1;
                twin[k].quantity =
                    quantity_text(quantity_amount(lines[k].quantity) * f, unit_of(lines[k].quantity));
            }
        };
        make_twin();
        // More of the darkest grain than its kind usually takes is not a recipe the solver makes.
        const GrainKind kind = grain_kind(lines[darkest].designation, text_to_number(lines[darkest].value));
        if (kind_share(twin, kind) > std::max(usual_share(kind), kind_share(lines, kind))) {
            dark = uniform(0.5, 1);
            make_twin();
        }
        const Estimates want = estimate(twin, s, forced);
        Targets t;
        // Each subset of the three, the full one most often.
        const int subset = n % 8 == 0 ? 1 + random() % 7 : 7;
        t.og_on = subset & 1;
        t.og = want.initial_density;
        t.ebc_on = subset & 2;
        t.ebc = want.colour_ebc;
        t.ibu_on = subset & 4;
        t.ibu = want.bitterness_ibu;
        SCOPED_TRACE("recipe " + std::to_string(n) + ": " + std::to_string(t.og) + " " +
                     std::to_string(t.ebc) + " EBC " + std::to_string(t.ibu) + " IBU, subset " +
                     std::to_string(subset));

        const RecipeChange change = solve_targets(recipe_of(lines, forced), s, t);
        ASSERT_TRUE(change.done) << change.message;
        expect_only_quantities_changed(lines, change);
        const Estimates got = estimate(change.recipe.lines, s, forced);
        const Estimates before = estimate(lines, s, forced);
        if (t.og_on) {
            EXPECT_NEAR(got.initial_density, t.og, kTargetTolerance);
        }
        if (t.ebc_on) {
            EXPECT_NEAR(got.colour_ebc, t.ebc, kTargetTolerance);
        }
        if (t.ibu_on) {
            EXPECT_NEAR(got.bitterness_ibu, t.ibu, kTargetTolerance);
        }
        if (t.ebc_on && !t.og_on) { // the colour is changed at a held density
            EXPECT_NEAR(got.initial_density, before.initial_density, 0.5);
        }
    }
}

TEST(Targets, TargetsOutOfReachChangeNothingAndNameTheNearestValue)
{
    std::mt19937 random(99);
    const std::vector<RecipeLine> lines = random_recipe(random);
    const Settings s = random_settings(random);
    // Two base malts of one colour: no line to darken the beer with.
    std::vector<RecipeLine> pale(lines.begin(), lines.begin() + 3), hopless;
    pale.push_back(pale.back());
    pale.back().quantity = "800 G";
    for (const RecipeLine& l : lines)
        if (l.category.compare(0, 7, "HOUBLON") != 0)
            hopless.push_back(l);
    auto colour_of = [&](const std::vector<RecipeLine>& l) {
        return format_decimals(estimate(l, s, ForcedVolume{}).colour_ebc, 2);
    };
    // Today's figures held where the recipe has no means to move them: no dark grain, no hop.
    Targets held;
    ASSERT_TRUE(parse_targets("ebc=" + colour_of(pale) + ",ibu=0", held, nullptr));
    EXPECT_TRUE(solve_targets(recipe_of(pale, ForcedVolume{}), s, held).done);

    const struct {
        const char* name;
        const std::vector<RecipeLine>& lines;
        std::string targets;
        const char* says;
    } cases[] = {
        {"no colour malt", pale, "ebc=30", "Couleur 30 EBC hors d'atteinte"},
        {"no hop", hopless, "ibu=30", "Amertume 30 IBU hors d'atteinte"},
        // Today's colour is kept without a dark grain only while nothing else moves it.
        {"pale grist made stronger", pale, "og=1070,ebc=" + colour_of(pale), "Couleur "},
        {"colour below the base malts", lines, "ebc=1", "Couleur 1 EBC hors d'atteinte"},
        {"colour beyond the dark grain alone", lines, "ebc=5000", "Couleur 5000 EBC hors d'atteinte"},
        {"grain that drinks the water", lines, "og=1400,ibu=30", "Densité initiale 1400 hors d'atteinte"},
        {"hops that drink the water", lines, "og=1050,ibu=5000", "Amertume 5000 IBU hors d'atteinte"},
        {"density of water", lines, "ibu=30,og=990", "Densité initiale 990 hors d'atteinte"},
    };
    for (const auto& c : cases) {
        Targets t;
        ASSERT_TRUE(parse_targets(c.targets, t, nullptr)) << c.targets;
        const RecipeChange change = solve_targets(recipe_of(c.lines, ForcedVolume{}), s, t);
        EXPECT_FALSE(change.done) << c.name;
        EXPECT_TRUE(change.recipe.lines.empty()) << c.name;
        EXPECT_EQ(change.message.find(c.says), 0u) << c.name << ": " << change.message;
        EXPECT_NE(change.message.find("Valeur la plus proche possible : "), std::string::npos) << c.name;
    }
}

// Over recipes of every shape: the lowest and the highest colour a recipe can give are those its refusals
// state, asking for either is then granted, and so is every colour between them; the same for the density
// and the bitterness. Nothing is weighed to nothing, equal lines stay equal, no kind of grain passes its
// usual share.
TEST(Targets, EveryValueBetweenTheNearestOnesIsReached)
{
    std::mt19937 random(2104);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    int reached = 0;
    for (int n = 0; n < 60; n++) {
        const std::vector<RecipeLine> lines = random_recipe(random, shape_of(n));
        const Settings s = random_settings(random);
        const ForcedVolume forced = unreachable_or_random_forced(random);
        for (Aim aim : {Aim::density, Aim::colour, Aim::bitterness}) {
            auto targets = [&](double value) {
                Targets t;
                (aim == Aim::density ? t.og_on : aim == Aim::colour ? t.ebc_on : t.ibu_on) = true;
                (aim == Aim::density ? t.og : aim == Aim::colour ? t.ebc : t.ibu) = value;
                return t;
            };
            auto solve = [&](double value, Miss* miss) {
                SCOPED_TRACE("recipe " + std::to_string(n) + ", aim " + std::to_string(int(aim)) + " at " +
                             std::to_string(value));
                const RecipeChange change =
                    solve_targets(recipe_of(lines, forced), s, targets(value), {}, miss);
                if (change.done) {
                    expect_only_quantities_changed(lines, change);
                    expect_equal_lines_stay_equal(lines, change.recipe.lines, true);
                    expect_usual_shares(lines, change.recipe.lines);
                    const Estimates got = estimate(change.recipe.lines, s, forced);
                    const double v = aim == Aim::density  ? got.initial_density
                                     : aim == Aim::colour ? got.colour_ebc
                                                          : got.bitterness_ibu;
                    EXPECT_NEAR(v, value, kTargetTolerance);
                }
                if (!miss) {
                    EXPECT_TRUE(change.done) << change.message;
                }
                return change.done;
            };
            Miss low, high;
            const double far_low = aim == Aim::density ? 900 : -1;
            const double far_high = aim == Aim::density ? 2000 : 10001; // the bitterness reads 9999 at most
            ASSERT_FALSE(solve(far_low, &low));
            ASSERT_FALSE(solve(far_high, &high));
            EXPECT_NE(low.reason, MissReason::weighing);
            EXPECT_NE(high.reason, MissReason::weighing);
            if (low.reason == MissReason::no_darker_grain || high.reason == MissReason::density_not_held)
                continue;
            SCOPED_TRACE("from " + std::to_string(low.nearest) + " to " + std::to_string(high.nearest));
            EXPECT_LT(low.nearest, high.nearest);
            // Where the hops drink the water, a tenth of a gram moves the bitterness by more than the
            // tolerance: a brewer's bitterness stops well before.
            const double highest = aim == Aim::bitterness ? std::min(high.nearest, 250.0) : high.nearest;
            // What a refusal states is what the recipe gives, to the hundredth it is written with.
            EXPECT_TRUE(solve(std::round(low.nearest * 100) / 100, nullptr));
            if (highest == high.nearest) {
                EXPECT_TRUE(solve(std::round(high.nearest * 100) / 100, nullptr));
            }
            for (int k = 0; k < 3; k++)
                reached += solve(uniform(low.nearest, highest), nullptr);
        }
    }
    EXPECT_GE(reached, 3 * 3 * 60 - 10); // a recipe with one colour of grain has no colour to move
}

// About a hundred lines: a base malt and many special malts of 10 g from 8 to 96 EBC. A colour a little
// darker, or lighter, than today's is within easy reach.
TEST(Targets, ManyTinySpecialMaltsMoveTheColour)
{
    std::mt19937 random(4);
    std::vector<RecipeLine> lines = random_recipe(random);
    lines.erase(lines.begin() + 3, lines.end() - 1); // waters, one base malt, the yeast
    for (int ebc = 8; ebc <= 96; ebc++) {
        RecipeLine l;
        l.category = "MALTSPECIAL";
        l.designation = "Malt spécial n°" + std::to_string(ebc);
        l.quantity = "0.01 KG";
        l.value = std::to_string(ebc);
        l.yield = "75";
        l.step = "EMPATAGE";
        lines.push_back(l);
    }
    ASSERT_GE(lines.size(), 90u);
    const Settings s = random_settings(random);
    const double today = estimate(lines, s, ForcedVolume{}).colour_ebc;
    for (double move : {0.72, 2.0, 5.0, -0.72, -2.0}) {
        Targets t;
        t.ebc_on = true;
        t.ebc = today + move;
        const RecipeChange change = solve_targets(recipe_of(lines, ForcedVolume{}), s, t);
        ASSERT_TRUE(change.done) << move << ": " << change.message;
        EXPECT_NEAR(estimate(change.recipe.lines, s, ForcedVolume{}).colour_ebc, t.ebc, kTargetTolerance);
        expect_only_quantities_changed(lines, change);
    }
}

// A pale ale aimed at a darker colour takes more of its caramel malt, up to a fifth of the grist; past
// that the refusal names the database grain that would give the colour.
TEST(Targets, CaramelMaltStaysWithinItsUsualShare)
{
    Settings s;
    set_worked_example_brewery(s);
    auto line = [](const char* category, const char* designation, const char* quantity, const char* value,
                   const char* step) {
        RecipeLine l;
        l.category = category;
        l.designation = designation;
        l.quantity = quantity;
        l.value = value;
        l.yield = category[0] == 'E' ? "" : "78";
        l.time = category[0] == 'H' ? "60" : "";
        l.step = step;
        return l;
    };
    const std::vector<RecipeLine> pale_ale = {
        line("EAU", "Eau", "15 L", "", "EMPATAGE"),
        line("EAU", "Eau", "12 L", "", "RINCAGE"),
        line("MALT", "Malt Pilsen", "5 KG", "3.5", "EMPATAGE"),
        line("MALTSPECIAL", "Cara 120", "250 G", "120", "EMPATAGE"),
        line("HOUBLONCONE", "Saaz", "40 G", "3.5", "EBULLITION"),
    };
    std::vector<IngredientEntry> database(4);
    const char* const entries[][4] = {{"MALT", "Malt Pilsen", "3.5", "EMPATAGE"},
                                      {"MALTSPECIAL", "Malt Crystal", "150", "EMPATAGE"},
                                      {"MALTSPECIAL", "Malt chocolat", "1000", "EMPATAGE"},
                                      {"HOUBLONCONE", "Saaz", "3.5", "EBULLITION"}};
    for (size_t k = 0; k < database.size(); k++) {
        database[k].category = entries[k][0];
        database[k].designation = entries[k][1];
        database[k].value = entries[k][2];
        database[k].yield = "75";
        database[k].step = entries[k][3];
    }
    Targets darkest;
    darkest.ebc_on = true;
    darkest.ebc = 500;
    Miss miss;
    ASSERT_FALSE(solve_targets(recipe_of(pale_ale, ForcedVolume{}), s, darkest, database, &miss).done);
    EXPECT_EQ(miss.reason, MissReason::usual_shares);
    EXPECT_EQ(miss.to_add, "") << "no grain of the database gives 500 EBC at its usual share";
    const double most = miss.nearest;

    darkest.ebc = most + 3;
    const RecipeChange beyond =
        solve_targets(recipe_of(pale_ale, ForcedVolume{}), s, darkest, database, &miss);
    ASSERT_FALSE(beyond.done);
    EXPECT_EQ(miss.to_add, "Malt chocolat") << "the caramel malt is at its share already";
    EXPECT_NE(beyond.message.find("ajoutez par exemple « Malt chocolat »"), std::string::npos)
        << beyond.message;
    EXPECT_NE(beyond.message.find("20 % de malts caramel"), std::string::npos) << beyond.message;

    const double today = estimate(pale_ale, s, ForcedVolume{}).colour_ebc;
    for (double ebc : {today + 1, (today + most) / 2, most}) {
        darkest.ebc = ebc;
        const RecipeChange change = solve_targets(recipe_of(pale_ale, ForcedVolume{}), s, darkest, database);
        ASSERT_TRUE(change.done) << ebc << ": " << change.message;
        EXPECT_LE(kind_share(change.recipe.lines, GrainKind::crystal), 0.2 + 0.001) << ebc;
    }
    // A recipe that already holds more caramel malt than usual may keep it, but takes no more.
    std::vector<RecipeLine> rich = pale_ale;
    rich[3].quantity = "2 KG";
    darkest.ebc = 500;
    ASSERT_FALSE(solve_targets(recipe_of(rich, ForcedVolume{}), s, darkest, database, &miss).done);
    EXPECT_NEAR(miss.nearest, estimate(rich, s, ForcedVolume{}).colour_ebc, kTargetTolerance);
}

// Each reason a target is out of reach says what it is about and the nearest value, on a line of its own.
TEST(Targets, MissesArePhrasedInFrench)
{
    const struct {
        Miss miss;
        const char* text;
    } cases[] = {
        {{Aim::density, MissReason::water_drunk, 1400, 1187.456, "", ""},
         "Densité initiale 1400 hors d'atteinte : plus de grain boirait l'eau de la recette.\r"
         "Valeur la plus proche possible : 1187.46."},
        {{Aim::bitterness, MissReason::water_drunk, 5000, 812, "", ""},
         "Amertume 5000 IBU hors d'atteinte : plus de houblon boirait l'eau de la recette.\r"
         "Valeur la plus proche possible : 812."},
        {{Aim::bitterness, MissReason::least_weighable, 0.2, 1.3, "", ""},
         "Amertume 0.2 IBU hors d'atteinte : même avec le moins de houblon que l'on puisse peser, "
         "l'amertume reste plus haute.\rValeur la plus proche possible : 1.3."},
        {{Aim::colour, MissReason::usual_shares, 60, 35.2, "Cara 120", "Malt chocolat"},
         "Couleur 60 EBC hors d'atteinte : les grains plus foncés de la recette ont déjà leur part "
         "habituelle de l'empâtage (20 % de malts caramel, 10 % de malts torréfiés) ; ajoutez par exemple "
         "« Malt chocolat ».\rValeur la plus proche possible : 35.2."},
        {{Aim::colour, MissReason::lighter_alone, 2, 6.5, "Cara 120", ""},
         "Couleur 2 EBC hors d'atteinte : les autres grains donnent déjà cette couleur, même presque sans "
         "« Cara 120 ».\rValeur la plus proche possible : 6.5."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(miss_text(c.miss), c.text);
}

TEST(Targets, ReadFromTheCommandLineText)
{
    Targets t;
    ASSERT_TRUE(parse_targets("ibu=35,og=1055", t, nullptr));
    EXPECT_TRUE(t.og_on && t.ibu_on && !t.ebc_on);
    EXPECT_EQ(t.og, 1055);
    EXPECT_EQ(t.ibu, 35);
    ASSERT_TRUE(parse_targets("EBC=20.5,og=1.048", t, nullptr));
    EXPECT_TRUE(t.og_on && t.ebc_on && !t.ibu_on);
    EXPECT_EQ(t.ebc, 20.5);
    EXPECT_DOUBLE_EQ(t.og, 1048);
    // A decimal comma is no separator, and a semicolon is one.
    ASSERT_TRUE(parse_targets("og=1,055, ebc=20,5;ibu = 30", t, nullptr));
    EXPECT_DOUBLE_EQ(t.og, 1055);
    EXPECT_EQ(t.ebc, 20.5);
    EXPECT_EQ(t.ibu, 30);
    ASSERT_TRUE(parse_targets("EBC=20.5,og=1.048", t, nullptr));
    const struct {
        const char* text;
        const char* says;
    } refused[] = {
        {"og=0x400", "la cible « og=0x400 » attend un nombre décimal"},
        {"og=1e308", "la cible « og=1e308 » attend un nombre décimal"},
        {"og=1055abc", "attend un nombre décimal"},
        {"ibu=inf", "attend un nombre décimal"},
        {"og=-5", "une densité initiale n'est jamais négative"},
        {"og=0", "une densité initiale n'est jamais négative ni nulle"},
        {"og=5", "une densité initiale s'écrit 1055 ou 1.055"},
        {"og=99999", "une densité initiale s'écrit 1055 ou 1.055"},
        {"ibu=-3", "une amertume n'est jamais négative"},
        {"ebc=-1", "une couleur n'est jamais négative"},
        {"ebc=20000", "aucune bière n'atteint 20000 EBC"},
        {"ibu=12000", "au-delà de 9999 IBU"},
    };
    for (const auto& r : refused) {
        std::string why;
        Targets kept = t;
        EXPECT_FALSE(parse_targets(r.text, kept, &why)) << r.text;
        EXPECT_NE(why.find(r.says), std::string::npos) << r.text << ": " << why;
        EXPECT_EQ(kept.ebc, 20.5) << r.text;
    }
    for (const char* wrong : {"", ",", "og", "og=", "srm=10", "og=abc", "ebc=20,abv=5"}) {
        std::string why;
        Targets kept = t;
        EXPECT_FALSE(parse_targets(wrong, kept, &why)) << wrong;
        EXPECT_NE(why, "") << wrong;
        EXPECT_EQ(kept.ebc, 20.5) << wrong;
    }
}

TEST(RecipeChange, AppliedToTheRecipeOnScreenOnlyWhenDoneAndForTheSameLines)
{
    reset_workspace();
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "MALT", "Pale", "5 KG", "8", "80", "", "EMPATAGE", "");
    ws.volume_forced = 1;
    ws.forced_volume = 20;
    RecipeChange change;
    change.recipe.lines = recipe_lines_on_screen();
    change.recipe.lines[1].quantity = "6 KG";
    change.recipe.forced = ForcedVolume{true, 24};
    apply_recipe_change(change); // not done
    EXPECT_EQ(ws.lines[2].quantity, "5 KG");
    change.done = true;
    change.recipe.lines.pop_back(); // made for another recipe
    apply_recipe_change(change);
    EXPECT_EQ(ws.forced_volume, 20);
    change.recipe.lines = recipe_lines_on_screen();
    change.recipe.lines[1].quantity = "6 KG";
    apply_recipe_change(change);
    EXPECT_EQ(ws.lines[2].quantity, "6 KG");
    EXPECT_EQ(ws.forced_volume, 24);
}

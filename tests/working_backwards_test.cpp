// tests/working_backwards_test.cpp — a recipe brought to another volume, and quantities solved for a wanted
// density, colour and bitterness, over randomised recipes.
#include "calc/grain_kind.h"
#include "calc/scale.h"
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
    ASSERT_EQ(change.lines.size(), before.size());
    for (size_t k = 0; k < before.size(); k++) {
        const RecipeLine& a = before[k];
        const RecipeLine& b = change.lines[k];
        EXPECT_EQ(a.designation + a.value + a.yield + a.time + a.step,
                  b.designation + b.value + b.yield + b.time + b.step);
        if (a.quantity == b.quantity)
            continue;
        const double amount = quantity_amount(b.quantity);
        EXPECT_TRUE(std::isfinite(amount) && amount > 0) << a.quantity << " became " << b.quantity;
        if (is_weight(unit_of(a.quantity))) {
            EXPECT_TRUE(is_weight(unit_of(b.quantity))) << b.quantity;
            EXPECT_EQ(unit_of(b.quantity) == Unit::kilogram, weight_of(b.quantity).grams >= 1000) << b.quantity;
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
        const RecipeChange change = scale_to_volume(lines, s, forced, litres);
        ASSERT_TRUE(change.done) << change.message;
        expect_only_quantities_changed(lines, change);
        EXPECT_EQ(change.forced.on, forced.on);
        if (forced.on) { // the litres, or a hair more for the hops' absorption after the boil loss
            EXPECT_NEAR(change.forced.litres, litres, 1);
        }
        const Estimates b = estimate(change.lines, s, change.forced);
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
        const RecipeChange change = scale_to_volume(c.first, s, ForcedVolume{}, c.second);
        EXPECT_FALSE(change.done) << c.second;
        EXPECT_NE(change.message, "") << c.second;
    }
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

        const RecipeChange change = solve_targets(lines, s, forced, t);
        ASSERT_TRUE(change.done) << change.message;
        expect_only_quantities_changed(lines, change);
        const Estimates got = estimate(change.lines, s, forced);
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
    EXPECT_TRUE(solve_targets(pale, s, ForcedVolume{}, held).done);

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
        const RecipeChange change = solve_targets(c.lines, s, ForcedVolume{}, t);
        EXPECT_FALSE(change.done) << c.name;
        EXPECT_TRUE(change.lines.empty()) << c.name;
        EXPECT_EQ(change.message.find(c.says), 0u) << c.name << ": " << change.message;
        EXPECT_NE(change.message.find("Valeur la plus proche possible : "), std::string::npos) << c.name;
    }
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
    change.lines = recipe_lines_on_screen();
    change.lines[1].quantity = "6 KG";
    change.forced = ForcedVolume{true, 24};
    apply_recipe_change(change); // not done
    EXPECT_EQ(ws.lines[2].quantity, "5 KG");
    change.done = true;
    change.lines.pop_back(); // made for another recipe
    apply_recipe_change(change);
    EXPECT_EQ(ws.forced_volume, 20);
    change.lines = recipe_lines_on_screen();
    change.lines[1].quantity = "6 KG";
    apply_recipe_change(change);
    EXPECT_EQ(ws.lines[2].quantity, "6 KG");
    EXPECT_EQ(ws.forced_volume, 24);
}

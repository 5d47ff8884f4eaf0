// tests/water_solver_test.cpp — the acid that reaches a mash pH, the salts nearest a water profile, and
// the misses that change nothing.
#include "calc/water_chemistry.h"
#include "calc/water_salts.h"
#include "calc/water_solver.h"
#include "refdata/water_profiles.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

RecipeLine line(const char* category, const char* designation, const char* quantity, const char* value,
                const char* yield = "0")
{
    RecipeLine l;
    l.category = category;
    l.designation = designation;
    l.quantity = quantity;
    l.value = value;
    l.yield = yield;
    l.time = "0";
    l.step = "EMPATAGE";
    return l;
}

std::vector<WaterProfile> profiles()
{
    std::vector<WaterProfile> list;
    for (const char* text : {"Dure\t100\t10\t10\t40\t30\t300\t7.6", "Osmosée\t0\t0\t0\t0\t0\t0\t7",
                             "Sèche\t110\t18\t16\t275\t50\t0\t7", "Ronde\t60\t5\t20\t50\t100\t60\t7"}) {
        WaterProfile p;
        parse_water_profile(text, p);
        list.push_back(p);
    }
    return list;
}

double ph_of(const Recipe& r)
{
    return water_chemistry(r.lines.data(), r.lines.size(), profiles()).model_ph;
}

Recipe pale_in(const char* water)
{
    Recipe r;
    r.lines = {line("MALT", "Malt Pale Ale", "5 KG", "6.5"),
               line("MALTSPECIAL", "Malt Crystal", "300 G", "150"), line("EAU", "Eau", "18 L", water)};
    return r;
}

} // namespace

// One solve per way the acid is found: an acid line, an acid malt, no acid at all (a lactic line is added).
TEST(WaterSolver, MashPhLandsWithin002OfTheTarget)
{
    Recipe with_acid = pale_in("DURE");
    with_acid.lines.push_back(line("AUTRE", "Acide phosphorique", "1 ML", "PHOSPHORIQUE", "10"));
    Recipe with_acid_malt = pale_in("DURE");
    with_acid_malt.lines.push_back(line("MALTSPECIAL", "Malt acide", "100 G", "4"));
    Recipe without = pale_in("DURE");
    for (const Recipe* r : {&with_acid, &with_acid_malt, &without}) {
        for (double target : {5.2, 5.4, 5.5}) {
            const RecipeChange c = solve_mash_ph(*r, profiles(), target, 0, nullptr);
            ASSERT_TRUE(c.done) << c.message;
            EXPECT_NEAR(ph_of(c.recipe), target, 0.02) << c.message;
            EXPECT_EQ(c.recipe.lines.size(), r->lines.size() + (r == &without ? 1 : 0));
        }
    }
    const RecipeChange added = solve_mash_ph(without, profiles(), 5.4, 0, nullptr);
    EXPECT_EQ(added.recipe.lines.back().value, "LACTIQUE");
    EXPECT_EQ(added.recipe.lines.back().step, "EMPATAGE");
    EXPECT_NE(added.recipe.lines.back().quantity.find(" ML"), std::string::npos);
    // The acid malt's weight is what moved.
    const RecipeChange malt = solve_mash_ph(with_acid_malt, profiles(), 5.4, 0, nullptr);
    EXPECT_NE(malt.recipe.lines.back().quantity, "100 G");
}

TEST(WaterSolver, TheCorrectionShiftsWhatIsAimedAt)
{
    const RecipeChange plain = solve_mash_ph(pale_in("DURE"), profiles(), 5.4, 0, nullptr);
    const RecipeChange corrected = solve_mash_ph(pale_in("DURE"), profiles(), 5.4, 0.1, nullptr);
    ASSERT_TRUE(plain.done && corrected.done);
    EXPECT_NEAR(ph_of(corrected.recipe) + 0.1, 5.4, 0.02);
    EXPECT_NEAR(ph_of(plain.recipe), 5.4, 0.02);
}

// A pH above the one without acid cannot be reached by acid: nothing changes and the nearest pH is said.
TEST(WaterSolver, UnreachablePhChangesNothingAndSaysTheNearest)
{
    const Recipe r = pale_in("OSMOSÉE");
    const double now = ph_of(r);
    const RecipeChange c = solve_mash_ph(r, profiles(), now + 0.3, 0, nullptr);
    EXPECT_FALSE(c.done);
    EXPECT_TRUE(c.recipe.lines.empty());
    char nearest[G_ASCII_DTOSTR_BUF_SIZE];
    g_ascii_formatd(nearest, sizeof nearest, "%.2f", now);
    EXPECT_NE(c.message.find(nearest), std::string::npos) << c.message;
    EXPECT_FALSE(solve_mash_ph(Recipe{}, profiles(), 5.4, 0, nullptr).done); // no grain, no water
}

TEST(WaterSolver, SaltsBringTheMashWaterNearAProfileSulfateAndChlorideFirst)
{
    Recipe r = pale_in("OSMOSÉE");
    for (const char* key : {"CASO4", "CACL2", "MGSO4", "NACL", "NAHCO3"})
        r.lines.push_back(line("AUTRE", key, "1 G", key));
    for (const WaterProfile& target : {profiles()[2], profiles()[3]}) {
        const RecipeChange c = solve_water_profile(r, profiles(), target);
        ASSERT_TRUE(c.done) << c.message;
        const WaterChemistry w = water_chemistry(c.recipe.lines.data(), c.recipe.lines.size(), profiles());
        EXPECT_NEAR(w.mash_ions.so4, target.ions.so4, 0.1 * target.ions.so4) << target.name;
        EXPECT_NEAR(w.mash_ions.cl, target.ions.cl, 0.1 * target.ions.cl) << target.name;
        for (const RecipeLine& l : c.recipe.lines)
            EXPECT_NE(l.quantity[0], '-') << l.designation;
    }
}

TEST(WaterSolver, NearestSaltsNeverNegativeAndNoWorseThanNone)
{
    // Property over random start and target waters: every amount at least 0, and the answer at least as near
    // as adding nothing.
    std::srand(42);
    for (int trial = 0; trial < 200; trial++) {
        Ions start{double(std::rand() % 150), double(std::rand() % 30),  double(std::rand() % 60),
                   double(std::rand() % 300), double(std::rand() % 200), double(std::rand() % 400)};
        Ions target{double(std::rand() % 300), double(std::rand() % 60),  double(std::rand() % 100),
                    double(std::rand() % 800), double(std::rand() % 300), double(std::rand() % 400)};
        std::vector<bool> usable(5);
        for (size_t s = 0; s < 5; s++)
            usable[s] = std::rand() % 2;
        const std::vector<double> g = nearest_salts(start, target, usable);
        Ions got = start;
        const Additive salts[] = {Additive::gypsum, Additive::calcium_chloride, Additive::epsom,
                                  Additive::table_salt, Additive::baking_soda};
        for (size_t s = 0; s < 5; s++) {
            EXPECT_GE(g[s], 0);
            if (!usable[s]) {
                EXPECT_EQ(g[s], 0);
            }
            got = add_salt(got, salts[s], g[s]);
        }
        auto distance = [&](const Ions& i) {
            return std::pow(i.ca - target.ca, 2) + std::pow(i.mg - target.mg, 2) +
                   std::pow(i.na - target.na, 2) + 3 * std::pow(i.so4 - target.so4, 2) +
                   3 * std::pow(i.cl - target.cl, 2) + std::pow(i.hco3 - target.hco3, 2);
        };
        EXPECT_LE(distance(got), distance(start) + 1e-6);
    }
}

TEST(WaterSolver, WithoutSaltLinesNothingChanges)
{
    const RecipeChange c = solve_water_profile(pale_in("DURE"), profiles(), profiles()[2]);
    EXPECT_FALSE(c.done);
    EXPECT_NE(c.message.find("gypse"), std::string::npos);
}

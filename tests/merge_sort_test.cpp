// tests/merge_sort_test.cpp — merging lines of one ingredient and the brewing-order sort.
#include "core/text.h"
#include "core/workspace.h"
#include "line_fixtures.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <utility>
#include <vector>

static void add(const std::string& category, const std::string& designation, const std::string& quantity,
                const std::string& value, const std::string& time, const std::string& step)
{
    add_recipe_line("pic-" + designation, category, designation, quantity, value, "", time, step, "");
}

static std::vector<std::string> designations()
{
    std::vector<std::string> names;
    for (int i = 1; i <= ws.line_count; i++)
        names.push_back(ws.lines[i].designation);
    return names;
}

TEST(MergeSort, SameMaltMergesAtTheFirstLinesPlace)
{
    reset_workspace();
    add("EAU", "Eau", "20 L", "", "", "EMPATAGE");
    add("MALT", "Pilsen", "4 KG", "3", "", "EMPATAGE");
    add("HOUBLONCONE", "Saaz", "30 G", "3.5", "60", "EBULLITION");
    add("MALT", "Pilsen", "1.5 KG", "3", "", "EMPATAGE");
    merge_lines();
    EXPECT_EQ(designations(), (std::vector<std::string>{"Eau", "Pilsen", "Saaz"}));
    EXPECT_EQ(ws.lines[2].quantity, "5.5 KG");
}

TEST(MergeSort, DifferentUnitsAreNotMerged)
{
    reset_workspace();
    add("MALT", "Pilsen", "1 KG", "3", "", "EMPATAGE");
    add("MALT", "Pilsen", "500 G", "3", "", "EMPATAGE");
    add("MALT", "Pilsen", "1 XX", "3", "", "EMPATAGE");
    add("MALT", "Pilsen", "L", "3", "", "EMPATAGE"); // shorter than a unit
    merge_lines();
    EXPECT_EQ(ws.line_count, 4);
    EXPECT_EQ(ws.lines[1].quantity, "1 KG");
    EXPECT_EQ(ws.lines[2].quantity, "500 G");
}

struct SumCase {
    const char* first;
    const char* second;
    const char* merged;
};

static const SumCase kSums[] = {
    {"1.5 KG", "2.5 KG", "4 KG"}, // a whole sum has no decimal point
    {"2KG", "1KG", "3 KG"},       // the system writes " KG" with its space
    {"250 G", "0.5 G", "250.5 G"}, {"10 L", "12 L", "22 L"}, {"KG", "KG", "0 KG"}, // no number counts as 0
    {"-1 L", "1 L", "0 L"},
};

TEST(MergeSort, SumIsTheNumberTextFollowedByTheUnit)
{
    for (const SumCase& c : kSums) {
        reset_workspace();
        add("SUCRE", "Sucre", c.first, "", "", "EBULLITION");
        add("SUCRE", "Sucre", c.second, "", "", "EBULLITION");
        merge_lines();
        ASSERT_EQ(ws.line_count, 1) << c.first << " + " << c.second;
        EXPECT_EQ(ws.lines[1].quantity, c.merged);
    }
}

TEST(MergeSort, ThreeWatersSumIntoOne)
{
    reset_workspace();
    for (int i = 0; i < 3; i++)
        add("EAU", "Eau", "10 L", "", "", "EMPATAGE");
    merge_lines();
    ASSERT_EQ(ws.line_count, 1);
    EXPECT_EQ(ws.lines[1].quantity, "30 L");
}

TEST(MergeSort, QuantitiesAreSummedPairwiseInListOrder)
{
    // (0.1 + 0.1) + 0.4 is 0.6000000000000001 in doubles; 0.1 + (0.1 + 0.4) would be 0.6.
    reset_workspace();
    add("EAU", "Eau", "0.1 L", "", "", "RINCAGE");
    add("EAU", "Eau", "0.1 L", "", "", "RINCAGE");
    add("EAU", "Eau", "0.4 L", "", "", "RINCAGE");
    merge_lines();
    ASSERT_EQ(ws.line_count, 1);
    EXPECT_EQ(ws.lines[1].quantity, "0.6000000000000001 L");
}

TEST(MergeSort, AnyDifferingTextKeepsLinesApart)
{
    reset_workspace();
    add("HOUBLONCONE", "Saaz", "30 G", "3.5", "60", "EBULLITION");
    add("HOUBLONCONE", "Saaz", "20 G", "3.5", "15", "EBULLITION"); // another time
    add("HOUBLONCONE", "Saaz", "20 G", "3,5", "60", "EBULLITION"); // comma against point
    add("HOUBLONCONE", "saaz", "20 G", "3.5", "60", "EBULLITION"); // case
    add("HOUBLONPELLET", "Saaz", "20 G", "3.5", "60", "EBULLITION");
    add("HOUBLONCONE", "Saaz", "20 G", "3.5", "60", "AROMATISATION");
    merge_lines();
    EXPECT_EQ(ws.line_count, 6);
}

TEST(MergeSort, SameIngredientIgnoresQuantityAndPictureOnly)
{
    reset_workspace();
    add_recipe_line("a", "MALT", "Pilsen", "1 KG", "3", "80", "", "EMPATAGE", "1.5");
    add_recipe_line("b", "MALT", "Pilsen", "2 G", "3", "80", "", "EMPATAGE", "1.5");
    add_recipe_line("a", "MALT", "Pilsen", "1 KG", "3", "81", "", "EMPATAGE", "1.5");
    add_recipe_line("a", "MALT", "Pilsen", "1 KG", "3", "80", "", "EMPATAGE", "1.6");
    EXPECT_TRUE(same_ingredient(1, 2));
    EXPECT_TRUE(same_ingredient(2, 1));
    EXPECT_FALSE(same_ingredient(1, 1));
    EXPECT_FALSE(same_ingredient(1, 3)); // yield differs
    EXPECT_FALSE(same_ingredient(1, 4)); // price differs
}

// n lines of distinct malts; lines a and b (a < b) are the same ingredient.
static void set_distinct_lines_with_pair(int n, int a, int b)
{
    reset_workspace();
    for (int i = 1; i <= n; i++)
        add("MALT", i == b ? "M" + std::to_string(a) : "M" + std::to_string(i), "1 KG", "", "", "EMPATAGE");
}

TEST(MergeSort, PairsUpToTheBoundAreExamined)
{
    // With 110 lines, the pair (91, 100) is pair 90 × 110 + 100 = 10,000 of the scan, j = i pairs counted.
    set_distinct_lines_with_pair(110, 91, 100);
    merge_lines();
    EXPECT_EQ(ws.line_count, 109);
    EXPECT_EQ(ws.lines[91].quantity, "2 KG");
}

TEST(MergeSort, PairsBeyondTheBoundAreLeftAlone)
{
    // The pair (91, 101) is pair 10,001: the merge has stopped before it.
    set_distinct_lines_with_pair(110, 91, 101);
    merge_lines();
    EXPECT_EQ(ws.line_count, 110);
    EXPECT_EQ(ws.lines[91].quantity, "1 KG");
}

TEST(MergeSort, RestartsCountTowardTheBound)
{
    // 50 distinct lines, then 10 equal ones. With n lines, each merge is found at pair 50 × n + 52 of its
    // scan: 3052 + 3002 + 2952 = 9006 pairs for three merges; the fourth scan passes the bound first.
    reset_workspace();
    for (int i = 1; i <= 50; i++)
        add("MALT", "M" + std::to_string(i), "1 KG", "", "", "EMPATAGE");
    for (int i = 1; i <= 10; i++)
        add("MALT", "Pilsen", "1 KG", "", "", "EMPATAGE");
    merge_lines();
    EXPECT_EQ(ws.line_count, 57);
    EXPECT_EQ(ws.lines[51].quantity, "4 KG");
}

TEST(MergeSort, ManyEqualLinesWithMismatchedUnitsStopWithinTheBound)
{
    // A whole scan of 256 lines is 65,536 pairs; the only mergeable pair (255, 256) lies beyond the bound.
    reset_workspace();
    for (int i = 1; i <= kLineCapacity; i++)
        add("MALT", "Pilsen", i >= 255 ? "1 G" : "1 XX", "", "", "EMPATAGE");
    merge_lines();
    EXPECT_EQ(ws.line_count, kLineCapacity);
    EXPECT_EQ(ws.lines[255].quantity, "1 G");
}

TEST(MergeSort, FullRecipeOfEqualLinesMergesIntoOne)
{
    reset_workspace();
    for (int i = 1; i <= kLineCapacity; i++)
        add("MALT", "Pilsen", "1 KG", "", "", "EMPATAGE");
    merge_lines();
    ASSERT_EQ(ws.line_count, 1);
    EXPECT_EQ(ws.lines[1].quantity, "256 KG");
}

struct KeyCase {
    const char* category;
    const char* step;
    const char* value;
    const char* time;
    int32_t key;
};

static const KeyCase kKeys[] = {
    {"EAU", "EMPATAGE", "", "", 10000},
    {"MALT", "EMPATAGE", "3 EBC", "", 20003},
    {"MALTFROMENT", "EMPATAGE", "4", "", 20004},
    {"MALTSPECIAL", "EMPATAGE", "150", "", 20150},
    {"GRAIN", "EMPATAGE", "3.5", "", 20004},  // halves go to the even neighbour
    {"FLOCON", "EMPATAGE", "4.5", "", 20004}, // halves go to the even neighbour
    {"MALT", "EMPATAGE", "2.5", "", 20002},
    {"MALT", "EMPATAGE", "2.51", "", 20003},
    {"MALT", "RINCAGE", "3", "", 0},
    {"EAU", "RINCAGE", "", "", 30000},
    {"HOUBLONCONE", "EBULLITION", "", "60 MIN", 38940},
    {"HOUBLONPELLET", "AMERISATION", "", "15", 38985},
    {"HOUBLONCONE", "AROMATISATION", "", "0.5", 39000}, // 38999.5 to even
    {"HOUBLONCONE", "AROMATISATION", "", "1.5", 38998}, // 38998.5 to even
    {"EAU", "EBULLITION", "", "", 39000},
    {"AUTRE", "EBULLITION", "", "10", 60000},
    {"AUTRE", "AROMATISATION", "", "10", 38990},
    {"LEVURE", "FERMENTATION", "", "", 70000},
    {"MALT", "FERMENTATION", "3", "", 70000},
    {"MALT", "empatage", "3", "", 0},
    {"LEVURE", "", "", "", 0},
    {"HOUBLONCONE", "EBULLITION", "", "40000", -1000},
    // Out of the int32 range: clamped; no number at all (NaN): 0.
    {"MALT", "EMPATAGE", "1e300", "", INT32_MAX},
    {"MALT", "EMPATAGE", "-1e300", "", INT32_MIN},
    {"MALT", "EMPATAGE", "2147463647.5", "", INT32_MAX},
    {"MALT", "EMPATAGE", "NAN", "", 0},
    {"HOUBLONCONE", "EBULLITION", "", "INF", INT32_MIN},
    {"HOUBLONCONE", "EBULLITION", "", "-INF", INT32_MAX},
};

TEST(MergeSort, SortKeysFollowTheBrewingOrderRules)
{
    for (const KeyCase& c : kKeys) {
        RecipeLine line;
        line.category = c.category;
        line.step = c.step;
        line.value = c.value;
        line.time = c.time;
        EXPECT_EQ(sort_key_of(line), c.key) << c.category << " " << c.step << " " << c.value << " " << c.time;
    }
}

TEST(MergeSort, SortPutsTheRecipeInBrewingOrder)
{
    reset_workspace();
    add("LEVURE", "S-04", "11 G", "", "", "FERMENTATION");
    add("HOUBLONCONE", "Saaz 15", "20 G", "3.5", "15", "EBULLITION");
    add("MALTSPECIAL", "Crystal", "0.3 KG", "150", "", "EMPATAGE");
    add("EAU", "Rinçage", "15 L", "", "", "RINCAGE");
    add("MALT", "Pilsen", "5 KG", "3", "", "EMPATAGE");
    add("EAU", "Empâtage", "20 L", "", "", "EMPATAGE");
    add("HOUBLONCONE", "Saaz 60", "30 G", "3.5", "60", "EBULLITION");
    add("AUTRE", "Mousse", "1 G", "", "", "");
    add("AUTRE", "Irish moss", "5 G", "", "15", "EBULLITION");
    sort_lines();
    EXPECT_EQ(designations(), (std::vector<std::string>{"Mousse", "Empâtage", "Pilsen", "Crystal", "Rinçage",
                                                        "Saaz 60", "Saaz 15", "Irish moss", "S-04"}));
    for (int i = 1; i <= ws.line_count; i++)
        EXPECT_EQ(ws.lines[i].picture, "pic-" + ws.lines[i].designation); // pictures travel with their lines
    EXPECT_EQ(ws.lines[6].sort_key, 38940);
    EXPECT_EQ(ws.lines[7].sort_key, 38985);
}

TEST(MergeSort, EqualKeysEndInTheExchangeOrder)
{
    // Keys 1, 1, 0 (39000 minus the time): the exchange order gives R, Q, P, not the stable R, P, Q.
    reset_workspace();
    add("HOUBLONCONE", "P", "1 G", "", "38999", "EBULLITION");
    add("HOUBLONCONE", "Q", "1 G", "", "38999", "EBULLITION");
    add("HOUBLONCONE", "R", "1 G", "", "39000", "EBULLITION");
    sort_lines();
    EXPECT_EQ(designations(), (std::vector<std::string>{"R", "Q", "P"}));
}

TEST(MergeSort, OneLineGetsItsKey)
{
    reset_workspace();
    add("MALT", "Pilsen", "5 KG", "3", "", "EMPATAGE");
    merge_and_sort();
    ASSERT_EQ(ws.line_count, 1);
    EXPECT_EQ(ws.lines[1].quantity, "5 KG");
    EXPECT_EQ(ws.lines[1].sort_key, 20003);
}

TEST(MergeSort, CommandMergesThenSorts)
{
    reset_workspace();
    add("HOUBLONCONE", "Saaz", "20 G", "3.5", "15", "EBULLITION");
    add("HOUBLONCONE", "Saaz", "30 G", "3.5", "60", "EBULLITION");
    add("MALT", "Pilsen", "4 KG", "3", "", "EMPATAGE");
    add("MALT", "Pilsen", "1.5 KG", "3", "", "EMPATAGE");
    ws.selected_line = 4;
    merge_and_sort();
    EXPECT_EQ(designations(), (std::vector<std::string>{"Pilsen", "Saaz", "Saaz"}));
    EXPECT_EQ(ws.lines[1].quantity, "5.5 KG");
    EXPECT_EQ(ws.lines[2].time, "60");
    EXPECT_EQ(ws.selected_line, 0); // line 4 is gone
}

TEST(MergeSort, CommandKeepsTheSelectionWhenNothingMerged)
{
    reset_workspace();
    add("MALT", "Pilsen", "4 KG", "3", "", "EMPATAGE");
    add("EAU", "Eau", "20 L", "", "", "EMPATAGE");
    ws.selected_line = 2;
    merge_and_sort();
    EXPECT_EQ(designations(), (std::vector<std::string>{"Eau", "Pilsen"}));
    EXPECT_EQ(ws.selected_line, 2);
}

TEST(MergeSort, CommandOnAnEmptyRecipeDoesNothing)
{
    reset_workspace();
    ws.lines[1].designation = "stale";
    ws.lines[1].sort_key = 5;
    ws.selected_line = 1;
    merge_and_sort();
    EXPECT_EQ(ws.line_count, 0);
    EXPECT_EQ(ws.lines[1].sort_key, 5);
    EXPECT_EQ(ws.selected_line, 1);
}

// The merge and the sort exactly as the brewing-order rules state them, on whole records, with the list
// operations: the oracle that the working versions, which move line numbers instead, must match.
static void literal_merge()
{
    long examined = 0;
    for (bool merged = true; merged;) {
        merged = false;
        for (int i = 1; i <= ws.line_count && !merged; i++)
            for (int j = 1; j <= ws.line_count && !merged; j++) {
                if (++examined > kMergePairBound)
                    return;
                if (!same_ingredient(i, j))
                    continue;
                const std::string& qi = ws.lines[i].quantity;
                const std::string& qj = ws.lines[j].quantity;
                auto ends = [](const std::string& q, const char* u) {
                    return q.size() >= 2 && q.compare(q.size() - 2, 2, u) == 0;
                };
                const char* unit = ends(qi, " L") && ends(qj, " L")   ? " L"
                                   : ends(qi, "KG") && ends(qj, "KG") ? " KG"
                                   : ends(qi, " G") && ends(qj, " G") ? " G"
                                                                      : nullptr;
                if (!unit)
                    continue;
                ws.lines[i].quantity = number_to_text(text_to_number(qi) + text_to_number(qj)) + unit;
                delete_line(j);
                merged = true;
            }
    }
}

static void literal_sort()
{
    for (int i = 1; i <= ws.line_count; i++)
        ws.lines[i].sort_key = sort_key_of(ws.lines[i]);
    for (int i = 1; i <= ws.line_count; i++)
        for (int j = 1; j <= ws.line_count; j++)
            if (ws.lines[i].sort_key < ws.lines[j].sort_key)
                std::swap(ws.lines[i], ws.lines[j]);
}

// A random recipe drawn from a few categories, steps, names, units and times, so that many lines merge,
// many keys tie and some lines are alike but for one text.
static void random_recipe(std::mt19937& random, int lines)
{
    static const char* const kCategories[] = {"EAU", "MALT", "HOUBLONCONE", "AUTRE", "LEVURE", "malt"};
    static const char* const kSteps[] = {"EMPATAGE",      "RINCAGE",      "EBULLITION",
                                         "AROMATISATION", "FERMENTATION", ""};
    static const char* const kUnits[] = {" KG", "KG", " G", " L", " XX", ""};
    reset_workspace();
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int k = 0; k < lines; k++)
        add_recipe_line("p" + std::to_string(k), kCategories[pick(6)], "N" + std::to_string(pick(3)),
                        std::to_string(pick(5)) + "." + std::to_string(pick(10)) + kUnits[pick(6)],
                        std::to_string(pick(3) * 10), "", std::to_string(pick(4) * 30), kSteps[pick(6)],
                        pick(8) ? "1 KG" : "2 KG");
}

// The texts of the lines in use, in order, with their picture names, quantities and keys.
static std::vector<std::string> recipe_texts()
{
    std::vector<std::string> texts;
    for (int i = 1; i <= ws.line_count; i++) {
        const RecipeLine& l = ws.lines[i];
        texts.push_back(l.picture + "|" + l.category + "|" + l.designation + "|" + l.quantity + "|" +
                        l.value + "|" + l.time + "|" + l.step + "|" + l.price + "|" +
                        std::to_string(l.sort_key));
    }
    return texts;
}

TEST(MergeSort, MergeAndSortMatchTheLiteralProceduresOnRandomRecipes)
{
    std::mt19937 random(42);
    for (int round = 0; round < 60; round++) {
        // Short recipes merge everything; full ones reach the bound of examined pairs.
        const int lines = round % 3 == 0 ? kLineCapacity : 1 + static_cast<int>(random() % 120);
        const std::mt19937 start = random;
        random_recipe(random, lines);
        literal_merge();
        const std::vector<std::string> merged = recipe_texts();
        literal_sort();
        const std::vector<std::string> sorted = recipe_texts();

        random = start;
        random_recipe(random, lines);
        merge_lines();
        ASSERT_EQ(recipe_texts(), merged) << "round " << round;
        sort_lines();
        ASSERT_EQ(recipe_texts(), sorted) << "round " << round;
    }
}

// tests/ingredients_test.cpp — reading the ingredient database and numbering its entries by category group.
#include "core/workspace.h"
#include "refdata/ingredients.h"
#include "test_support.h"

#include <gtest/gtest.h>

static std::string fixture(const std::string& name)
{
    return read_file(std::string(CUVELO_TEST_DATA) + "/refdata/" + name);
}

static void load_from(const std::string& bytes)
{
    write_file("bases/ingredients.txt", bytes);
    reset_workspace();
    load_ingredients();
}

TEST(Ingredients, IdentifiersCountWithinEachCategoryGroup)
{
    ScratchDir dir;
    load_from(fixture("ingredients.txt"));
    // EAU, MALT, EAU, HOUBLONPELLET, GRAIN, LEVURE, malt (unknown), LEVURE.
    const int32_t expected[] = {101, 201, 102, 301, 202, 501, 0, 502};
    ASSERT_EQ(ws.ingredient_count, 8);
    for (int i = 1; i <= 8; i++)
        EXPECT_EQ(ws.ingredients[i].id, expected[i - 1]) << "entry " << i;
}

TEST(Ingredients, FieldsGoToTheirMembers)
{
    ScratchDir dir;
    load_from(fixture("ingredients.txt"));
    const IngredientEntry& malt = ws.ingredients[2];
    EXPECT_EQ(malt.category, "MALT");
    EXPECT_EQ(malt.picture, "malt1");
    EXPECT_EQ(malt.group, "Malts pâles");
    EXPECT_EQ(malt.designation, "Pilsen. Weyermann"); // the comma became a point
    EXPECT_EQ(malt.quantity, "5 KG");                 // upper-cased
    EXPECT_EQ(malt.value, "3 EBC");
    EXPECT_EQ(malt.yield, "80 %");
    EXPECT_EQ(malt.time, "");
    EXPECT_EQ(malt.step, "EMPATAGE");
    EXPECT_EQ(malt.price, "1.5 kg"); // the price keeps its case in the database
    const IngredientEntry& hop = ws.ingredients[4];
    EXPECT_EQ(hop.time, "60 MIN");
    EXPECT_EQ(hop.price, "0.05 g");
    EXPECT_EQ(ws.ingredients[6].quantity, "11.5 G");
}

TEST(Ingredients, UnknownCategoryIsStoredWithIdentifierZero)
{
    ScratchDir dir;
    load_from(fixture("ingredients.txt"));
    EXPECT_EQ(ws.ingredients[7].category, "malt");
    EXPECT_EQ(ws.ingredients[7].designation, "Malt en minuscules");
    EXPECT_EQ(ws.ingredients[7].quantity, "1 KG");
}

TEST(Ingredients, LineWithTooFewFieldsGivesEmptyTexts)
{
    ScratchDir dir;
    load_from(fixture("ingredients.txt"));
    const IngredientEntry& yeast = ws.ingredients[8];
    EXPECT_EQ(yeast.picture, "levure");
    EXPECT_EQ(yeast.group, "");
    EXPECT_EQ(yeast.designation, "");
    EXPECT_EQ(yeast.step, "");
}

TEST(Ingredients, CrLfFileReadsLikeItsLfTwin)
{
    ScratchDir dir;
    load_from(fixture("ingredients.txt"));
    const Workspace lf = ws;
    load_from(with_crlf(fixture("ingredients.txt")));
    ASSERT_EQ(ws.ingredient_count, lf.ingredient_count);
    for (int i = 1; i <= ws.ingredient_count; i++) {
        EXPECT_EQ(ws.ingredients[i].id, lf.ingredients[i].id);
        EXPECT_EQ(ws.ingredients[i].price, lf.ingredients[i].price);
        EXPECT_EQ(ws.ingredients[i].designation, lf.ingredients[i].designation);
    }
}

TEST(Ingredients, MissingFileLeavesAnEmptyDatabase)
{
    ScratchDir dir;
    reset_workspace();
    load_ingredients();
    EXPECT_EQ(ws.ingredient_count, 0);
}

TEST(Ingredients, EntriesBeyondCapacityAreIgnored)
{
    ScratchDir dir;
    std::string bytes;
    for (int i = 1; i <= 1100; i++)
        bytes += "DIVERS\tpic\tDivers\tentry " + std::to_string(i) + "\t1 kg\n";
    load_from(bytes);
    EXPECT_EQ(ws.ingredient_count, kIngredientCapacity);
    EXPECT_EQ(ws.ingredients[kIngredientCapacity].designation, "entry 1024");
    EXPECT_EQ(ws.ingredients.size(), size_t(kIngredientCapacity + 1));
}

TEST(Ingredients, AddIngredientIgnoresTheEntryBeyondCapacity)
{
    reset_workspace();
    for (int i = 1; i <= kIngredientCapacity + 1; i++)
        add_ingredient(0, "DIVERS", "", "entry " + std::to_string(i), "", "", "", "", "", "", "");
    EXPECT_EQ(ws.ingredient_count, kIngredientCapacity);
    EXPECT_EQ(ws.ingredients[kIngredientCapacity].designation, "entry 1024");
}

TEST(Ingredients, AGroupKeepsItsNinetyNineIdentifiers)
{
    ScratchDir dir;
    std::string bytes;
    for (int i = 1; i <= 120; i++)
        bytes += "EAU\teau\tEaux\twater " + std::to_string(i) + "\t1 l\n";
    bytes += "MALT\tmalt\tMalts\tPilsen\t1 kg\n";
    for (int i = 1; i <= 105; i++)
        bytes += "LEVURE\tlevure\tLevures\tyeast " + std::to_string(i) + "\t1 g\n";
    load_from(bytes);
    ASSERT_EQ(ws.ingredient_count, 99 + 1 + 99);
    EXPECT_EQ(ws.ingredients[99].id, 199);
    EXPECT_EQ(ws.ingredients[99].designation, "water 99");
    EXPECT_EQ(ws.ingredients[100].id, 201); // no water entry took 200
    EXPECT_EQ(ws.ingredients[199].id, 599);
    EXPECT_EQ(ws.ingredients[199].designation, "yeast 99");
}

struct GroupCase {
    const char* category;
    int group;
};

static const GroupCase kGroups[] = {
    {"EAU", 1},    {"MALT", 2},   {"MALTFROMENT", 2},   {"MALTSPECIAL", 2},
    {"GRAIN", 2},  {"FLOCON", 2}, {"HOUBLONCONE", 3},   {"HOUBLONPELLET", 3},
    {"AUTRE", 4},  {"SUCRE", 4},  {"EXTRAITPOUDRE", 4}, {"EXTRAITLIQUIDE", 4},
    {"LEVURE", 5}, {"eau", 0},    {" EAU", 0},          {"EAU ", 0},
    {"", 0},       {"MALTS", 0},
};

TEST(Ingredients, CategoryGroupsAreExactKeywords)
{
    for (const GroupCase& c : kGroups)
        EXPECT_EQ(ingredient_group(c.category), c.group) << '"' << c.category << '"';
}

// tests/list_edit_test.cpp — adding database ingredients, deleting and moving lines, the new recipe.
#include "core/workspace.h"
#include "line_fixtures.h"
#include "recipe/list_edit.h"
#include "refdata/ingredients.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

static void set_database()
{
    reset_workspace();
    add_ingredient(101, "EAU", "eau", "Eau d'empâtage", "20 l", "", "", "", "EMPATAGE", "0", "Eaux");
    add_ingredient(102, "EAU", "eau", "Eau de rinçage", "15 l", "", "", "", "RINCAGE", "0", "Eaux");
    add_ingredient(103, "EAU", "eau", "Eau minérale", "10 l", "", "", "", "EMPATAGE", "0,5", "Eaux");
    add_ingredient(201, "MALT", "malt1", "Pilsen", "5 kg", "3 ebc", "80", "", "EMPATAGE", "1,5 kg", "Malts");
    add_ingredient(0, "malt", "malt1", "Inconnu", "1 kg", "", "", "", "EMPATAGE", "", "Malts");
}

static std::vector<std::string> designations()
{
    std::vector<std::string> names;
    for (int i = 1; i <= ws.line_count; i++)
        names.push_back(ws.lines[i].designation);
    return names;
}

TEST(ListEdit, AddCopiesTheEntryWithItsNumbersUpperCased)
{
    set_database();
    add_database_ingredient(201);
    ASSERT_EQ(ws.line_count, 1);
    const RecipeLine& line = ws.lines[1];
    EXPECT_EQ(line.picture, "malt1");
    EXPECT_EQ(line.category, "MALT");
    EXPECT_EQ(line.designation, "Pilsen");
    EXPECT_EQ(line.quantity, "5 KG");
    EXPECT_EQ(line.value, "3 EBC");
    EXPECT_EQ(line.step, "EMPATAGE");
    EXPECT_EQ(line.price, "1,5 KG"); // upper-cased in the line, not in the database
}

TEST(ListEdit, SecondWaterForTheSameStepIsRefused)
{
    set_database();
    add_database_ingredient(101);
    add_database_ingredient(103); // another mash water
    add_database_ingredient(101);
    EXPECT_EQ(designations(), (std::vector<std::string>{"Eau d'empâtage"}));
    add_database_ingredient(102); // rinse water: another step
    EXPECT_EQ(designations(), (std::vector<std::string>{"Eau d'empâtage", "Eau de rinçage"}));
}

TEST(ListEdit, WaterRuleLooksAtWaterLinesOnly)
{
    set_database();
    add_database_ingredient(201); // a malt of step EMPATAGE is no water
    add_database_ingredient(101);
    EXPECT_EQ(ws.line_count, 2);
}

TEST(ListEdit, SameMaltTwiceGivesTwoLines)
{
    set_database();
    add_database_ingredient(201);
    add_database_ingredient(201);
    EXPECT_EQ(ws.line_count, 2);
}

TEST(ListEdit, UnknownItemOrIdentifierZeroAddsNothing)
{
    set_database();
    add_database_ingredient(0);
    add_database_ingredient(202);
    add_database_ingredient(601);
    EXPECT_EQ(ws.line_count, 0);
}

static void set_lines(int count)
{
    reset_workspace();
    for (int i = 1; i <= count; i++)
        add_recipe_line("pic" + std::to_string(i), "MALT", "L" + std::to_string(i), "1 KG", "", "", "",
                        "EMPATAGE", "");
    // A distinct handle per line shows that the picture travels with its line (never dereferenced here).
    for (int i = 1; i <= count; i++)
        ws.lines[i].picture_pixbuf = reinterpret_cast<GdkPixbuf*>(static_cast<uintptr_t>(0x1000 * i));
}

TEST(ListEdit, DeleteMovesTheFollowingLinesUp)
{
    set_lines(3);
    delete_line(1);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L2", "L3"}));
    EXPECT_EQ(ws.lines[1].picture_pixbuf, reinterpret_cast<GdkPixbuf*>(0x2000));
    delete_line(2);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L2"}));
    delete_line(1);
    EXPECT_EQ(ws.line_count, 0);
    delete_line(1); // empty recipe: nothing happens
    EXPECT_EQ(ws.line_count, 0);
}

TEST(ListEdit, DeleteOutsideTheListDoesNothing)
{
    set_lines(3);
    delete_line(0);
    delete_line(-1);
    delete_line(4);
    delete_line(300);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L1", "L2", "L3"}));
}

TEST(ListEdit, MoveUpThenDownRestoresTheOrderWithPictures)
{
    set_lines(3);
    move_line_up(2);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L2", "L1", "L3"}));
    EXPECT_EQ(ws.lines[1].picture, "pic2");
    EXPECT_EQ(ws.lines[1].picture_pixbuf, reinterpret_cast<GdkPixbuf*>(0x2000));
    move_line_down(1);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L1", "L2", "L3"}));
    EXPECT_EQ(ws.lines[2].picture_pixbuf, reinterpret_cast<GdkPixbuf*>(0x2000));
}

TEST(ListEdit, MovesNeverWrapNorLeaveTheList)
{
    set_lines(3);
    move_line_up(1);
    move_line_up(0);
    move_line_up(4);
    move_line_down(3);
    move_line_down(0);
    move_line_down(-2);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L1", "L2", "L3"}));
    move_line_down(2);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L1", "L3", "L2"}));
    move_line_up(3);
    EXPECT_EQ(designations(), (std::vector<std::string>{"L1", "L2", "L3"}));
}

TEST(ListEdit, NewRecipeDropsTheRecipeAndItsForcedVolume)
{
    set_lines(5);
    ws.styles[1].name = "Pas de Style";
    ws.style.name = "Stout";
    ws.title = "Titre";
    ws.file_name = "/tmp/a.cvl";
    ws.file_base_name = "a.cvl";
    ws.carbonation = "3 VOL";
    ws.forced_volume = 22;
    ws.volume_forced = 1;
    ws.style_display_mode = 3;
    ws.selected_line = 4;
    start_new_recipe();
    EXPECT_EQ(ws.line_count, 0);
    EXPECT_EQ(ws.selected_line, 0);
    EXPECT_EQ(ws.file_name, "");
    EXPECT_EQ(ws.file_base_name, "");
    EXPECT_EQ(ws.style.name, "Pas de Style");
    EXPECT_EQ(ws.style_display_mode, 0);
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.title, "");
    EXPECT_EQ(ws.volume_forced, 0);
    EXPECT_EQ(ws.forced_volume, 0) << "a save of the new recipe would force its volume again";
}

// tests/menu_groups_test.cpp — how database entries fall into menus and sub-menus.
#include "core/workspace.h"
#include "line_fixtures.h"
#include "refdata/ingredients.h"
#include "refdata/menu_groups.h"
#include "refdata/styles.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

static bool operator==(const MenuGroup& a, const MenuGroup& b)
{
    return a.menu == b.menu && a.first == b.first && a.last == b.last;
}

static std::ostream& operator<<(std::ostream& out, const MenuGroup& g)
{
    return out << "{menu " << g.menu << ", " << g.first << ".." << g.last << "}";
}

// Each pair is a category and a group label.
static void set_ingredients(const std::vector<std::pair<const char*, const char*>>& entries)
{
    reset_workspace();
    int n = 0;
    for (const auto& e : entries)
        add_ingredient(++n, e.first, "pic", "name", "", "", "", "", "", "", e.second);
}

TEST(MenuGroups, ConsecutiveEqualGroupsShareOneSubMenu)
{
    set_ingredients({{"MALT", "Malts pâles"},
                     {"MALT", "Malts pâles"},
                     {"MALT", "Malts pâles"},
                     {"MALT", "Malts spéciaux"}});
    EXPECT_EQ(ingredient_menu_groups(), (std::vector<MenuGroup>{{2, 1, 3}, {2, 4, 4}}));
}

TEST(MenuGroups, MenuFollowsTheFirstEntrysCategory)
{
    set_ingredients({{"EAU", "Eaux"},
                     {"MALTFROMENT", "Blés"},
                     {"FLOCON", "Flocons"},
                     {"HOUBLONCONE", "Cônes"},
                     {"EXTRAITLIQUIDE", "Extraits"},
                     {"LEVURE", "Levures"},
                     {"EAU", "Levures"}}); // the same label: in the yeast group, whatever its category
    EXPECT_EQ(ingredient_menu_groups(),
              (std::vector<MenuGroup>{{1, 1, 1}, {2, 2, 2}, {2, 3, 3}, {3, 4, 4}, {4, 5, 5}, {5, 6, 7}}));
}

TEST(MenuGroups, UnknownCategoryKeepsThePreviousMenu)
{
    set_ingredients({{"DIVERS", "A"}, {"EAU", "B"}, {"divers", "C"}, {"LEVURE", "D"}, {"", "E"}});
    EXPECT_EQ(ingredient_menu_groups(),
              (std::vector<MenuGroup>{{0, 1, 1}, {1, 2, 2}, {1, 3, 3}, {5, 4, 4}, {5, 5, 5}}));
}

TEST(MenuGroups, LabelThatComesBackMakesASecondGroup)
{
    set_ingredients({{"MALT", "A"}, {"MALT", "B"}, {"MALT", "A"}, {"MALT", "A"}});
    EXPECT_EQ(ingredient_menu_groups(), (std::vector<MenuGroup>{{2, 1, 1}, {2, 2, 2}, {2, 3, 4}}));
}

TEST(MenuGroups, LeadingEmptyLabelsBelongToNoGroup)
{
    // The first entry is compared with "": entries without a label at the start are shown nowhere.
    set_ingredients({{"EAU", ""}, {"EAU", ""}, {"MALT", "Malts"}, {"MALT", ""}, {"MALT", ""}});
    EXPECT_EQ(ingredient_menu_groups(), (std::vector<MenuGroup>{{2, 3, 3}, {2, 4, 5}}));
}

TEST(MenuGroups, EmptyDatabaseHasNoGroup)
{
    reset_workspace();
    EXPECT_TRUE(ingredient_menu_groups().empty());
}

TEST(MenuGroups, ItemLabelIsQuantityDesignationValueEachFollowedByASpace)
{
    reset_workspace();
    add_ingredient(201, "MALT", "malt1", "Pilsen", "5 kg", "3", "", "", "EMPATAGE", "", "Malts");
    add_ingredient(401, "SUCRE", "sucre", "Sucre", "", "", "", "", "", "", "Sucres");
    EXPECT_EQ(ingredient_item_label(1), "5 KG Pilsen 3 ");
    EXPECT_EQ(ingredient_item_label(2), " Sucre  "); // empty quantity and value keep their spaces
}

static void add_family(const char* family, const char* name)
{
    add_style(family, name, "", "", "", "", "", "", "", "", "", "");
}

TEST(MenuGroups, StyleGroupsStartAfterTheBuiltInEntry)
{
    reset_workspace();
    add_family("Pas de Catégorie", "Pas de Style");
    EXPECT_TRUE(style_menu_groups().empty());
    add_family("Pas de Catégorie", "same family as the built-in entry, still a group");
    add_family("Ales", "Pale Ale");
    add_family("Ales", "Stout");
    add_family("Lagers", "Pils");
    add_family("Ales", "Brown Ale");
    EXPECT_EQ(style_menu_groups(), (std::vector<MenuGroup>{{0, 2, 2}, {0, 3, 4}, {0, 5, 5}, {0, 6, 6}}));
}

TEST(MenuGroups, StyleWithoutFamilyRightAfterTheBuiltInIsShownNowhere)
{
    reset_workspace();
    add_family("Pas de Catégorie", "Pas de Style");
    add_family("", "no family");
    add_family("Ales", "Pale Ale");
    EXPECT_EQ(style_menu_groups(), (std::vector<MenuGroup>{{0, 3, 3}}));
}

// tests/styles_test.cpp — the built-in style entry and the reading of "./bases/styles.txt".
#include "core/workspace.h"
#include "refdata/styles.h"
#include "test_support.h"

#include <gtest/gtest.h>

static void expect_built_in(const StyleEntry& s)
{
    EXPECT_EQ(s.category, "Pas de Catégorie");
    EXPECT_EQ(s.name, "Pas de Style");
    EXPECT_EQ(s.og_min, "0");
    EXPECT_EQ(s.og_max, "9999");
    EXPECT_EQ(s.fg_min, "0");
    EXPECT_EQ(s.fg_max, "9999");
    EXPECT_EQ(s.ebc_min, "0");
    EXPECT_EQ(s.ebc_max, "9999");
    EXPECT_EQ(s.ibu_min, "0");
    EXPECT_EQ(s.ibu_max, "9999");
    EXPECT_EQ(s.picture, "style0");
    EXPECT_EQ(s.description, "Pas de description");
}

TEST(Styles, MissingFileLeavesTheBuiltInEntryAlone)
{
    ScratchDir dir;
    reset_workspace();
    load_styles();
    EXPECT_EQ(ws.style_count, 1);
    expect_built_in(ws.styles[1]);
    set_recipe_start_values();
    expect_built_in(ws.style);
}

TEST(Styles, FileEntriesFollowTheBuiltInOne)
{
    ScratchDir dir;
    write_file("bases/styles.txt", read_file(std::string(CUVELO_TEST_DATA) + "/refdata/styles.txt"));
    reset_workspace();
    load_styles();
    ASSERT_EQ(ws.style_count, 4); // three counting lines
    expect_built_in(ws.styles[1]);

    const StyleEntry& pale = ws.styles[2];
    EXPECT_EQ(pale.category, "Ales");
    EXPECT_EQ(pale.name, "Pale Ale");
    EXPECT_EQ(pale.og_min, "1045");
    EXPECT_EQ(pale.og_max, "1060");
    EXPECT_EQ(pale.fg_min, "1010");
    EXPECT_EQ(pale.fg_max, "1015");
    EXPECT_EQ(pale.ebc_min, "10");
    EXPECT_EQ(pale.ebc_max, "28");
    EXPECT_EQ(pale.ibu_min, "20");
    EXPECT_EQ(pale.ibu_max, "40");
    EXPECT_EQ(pale.picture, "paleale");
    EXPECT_EQ(pale.description, "Ambrée. houblonnée"); // the comma became a point

    EXPECT_EQ(ws.styles[3].name, "Stout");
    EXPECT_EQ(ws.styles[3].description, "Noire"); // a thirteenth field is ignored

    const StyleEntry& two_fields = ws.styles[4];
    EXPECT_EQ(two_fields.category, "Lagers");
    EXPECT_EQ(two_fields.name, "Pils");
    EXPECT_EQ(two_fields.og_min, "");
    EXPECT_EQ(two_fields.picture, "");
    EXPECT_EQ(two_fields.description, "");
}

TEST(Styles, LoadingAgainStartsFromTheBuiltInEntry)
{
    ScratchDir dir;
    write_file("bases/styles.txt", "Ales\tPale Ale\n");
    reset_workspace();
    load_styles();
    load_styles();
    EXPECT_EQ(ws.style_count, 2);
}

TEST(Styles, EntriesBeyondCapacityAreIgnored)
{
    ScratchDir dir;
    std::string bytes;
    for (int i = 1; i <= 300; i++)
        bytes += "Famille\tstyle " + std::to_string(i) + "\n";
    write_file("bases/styles.txt", bytes);
    reset_workspace();
    load_styles();
    EXPECT_EQ(ws.style_count, kStyleCapacity);
    EXPECT_EQ(ws.styles[kStyleCapacity].name, "style 255");
    EXPECT_EQ(ws.styles.size(), size_t(kStyleCapacity + 1));
}

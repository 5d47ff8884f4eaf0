// tests/workspace_test.cpp — the workspace's start values and the appending of recipe lines.
#include "core/picture.h"
#include "core/workspace.h"
#include "test_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>

TEST(Workspace, AddRecipeLineUpperCasesNumberTexts)
{
    reset_workspace();
    add_recipe_line("pic", "malt", "crème", "5 kg", "8 ebc", "80 é", "60 min", "Empatage", "2,5 kg");
    ASSERT_EQ(ws.line_count, 1);
    const RecipeLine& line = ws.lines[1];
    EXPECT_EQ(line.category, "malt");
    EXPECT_EQ(line.designation, "crème");
    EXPECT_EQ(line.quantity, "5 KG");
    EXPECT_EQ(line.value, "8 EBC");
    EXPECT_EQ(line.yield, "80 é");
    EXPECT_EQ(line.time, "60 MIN");
    EXPECT_EQ(line.step, "Empatage");
    EXPECT_EQ(line.price, "2,5 KG");
    EXPECT_EQ(line.picture_pixbuf, nullptr); // no such picture file
}

TEST(Workspace, TheLineBeyondCapacityIsIgnored)
{
    reset_workspace();
    for (int i = 0; i < kLineCapacity + 44; i++)
        add_recipe_line("", "EAU", "line " + std::to_string(i + 1), "1 L", "", "", "", "EMPATAGE", "");
    EXPECT_EQ(ws.line_count, kLineCapacity);
    EXPECT_EQ(ws.lines[kLineCapacity].designation, "line 256");
    EXPECT_EQ(ws.lines.size(), size_t(kLineCapacity + 1));
}

TEST(Workspace, PicturesAreLoadedOnceAndShared)
{
    ScratchDir dir;
    // A 2 × 1 PNG written by GDK-Pixbuf itself.
    GdkPixbuf* made = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 2, 1);
    g_mkdir("images", 0755);
    ASSERT_TRUE(gdk_pixbuf_save(made, "images/shared-test.png", "png", nullptr, nullptr));
    g_object_unref(made);

    reset_workspace();
    add_recipe_line("shared-test", "MALT", "a", "1 KG", "", "", "", "EMPATAGE", "");
    add_recipe_line("shared-test", "MALT", "b", "1 KG", "", "", "", "EMPATAGE", "");
    ASSERT_NE(ws.lines[1].picture_pixbuf, nullptr);
    EXPECT_EQ(ws.lines[1].picture_pixbuf, ws.lines[2].picture_pixbuf);
    GdkPixbuf* small = picture_scaled("shared-test", 16);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(small), 16);
    EXPECT_EQ(gdk_pixbuf_get_height(small), 16);
    EXPECT_EQ(picture_scaled("shared-test", 16), small);
}

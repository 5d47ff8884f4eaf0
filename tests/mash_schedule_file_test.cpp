// A recipe's mash schedule in its ".cvl" file: keyword lines, written only when there are steps.
#include "recipe/formats/cvl.h"
#include "random_recipe.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace
{

Recipe read_back(const std::string& bytes)
{
    write_file("r.cvl", bytes);
    Recipe recipe;
    std::string why;
    EXPECT_TRUE(read_cvl_file("r.cvl", recipe, &why)) << why;
    return recipe;
}

} // namespace

TEST(MashScheduleFile, NoStepsWriteNoKeywordLine)
{
    Recipe recipe;
    EXPECT_EQ(cvl_bytes(recipe).find("PALIER"), std::string::npos);
}

TEST(MashScheduleFile, StepsWrittenInOrderAndReadBack)
{
    ScratchDir dir;
    Recipe recipe;
    recipe.plan.mash = {MashStep{"Protéines", 52, 10, MashStepKind::infusion},
                        MashStep{"Saccharification", 66.5, 60, MashStepKind::decoction},
                        MashStep{"Fin\td'empâtage", 78, 10, MashStepKind::direct_heat}};
    const std::string bytes = cvl_bytes(recipe);
    EXPECT_NE(
        bytes.find("PALIER\tProtéines\t52\t10\tINFUSION\nPALIER\tSaccharification\t66.5\t60\tDECOCTION\n"
                   "PALIER\tFin d'empâtage\t78\t10\tCHAUFFE\n"),
        std::string::npos)
        << bytes;
    const Recipe back = read_back(bytes);
    ASSERT_EQ(back.plan.mash.size(), 3u);
    EXPECT_EQ(back.plan.mash[0].name, "Protéines");
    EXPECT_EQ(back.plan.mash[1].temperature, 66.5);
    EXPECT_EQ(back.plan.mash[1].kind, MashStepKind::decoction);
    EXPECT_EQ(back.plan.mash[2].name, "Fin d'empâtage"); // a tab would have split the line
    EXPECT_EQ(back.plan.mash[2].kind, MashStepKind::direct_heat);
}

TEST(MashScheduleFile, HandWrittenLinesReadAsABrewerMeansThem)
{
    ScratchDir dir;
    const Recipe back =
        read_back("TITRE\tx\nPALIER\tA\t63,5\t45\tdecoction\nPALIER\tB\t72\nPALIER\tC\t78\t5\tAUTRE\n");
    ASSERT_EQ(back.plan.mash.size(), 3u);
    EXPECT_EQ(back.plan.mash[0].temperature, 63.5);             // decimal comma
    EXPECT_EQ(back.plan.mash[0].kind, MashStepKind::decoction); // any case
    EXPECT_EQ(back.plan.mash[1].minutes, 0);                    // a missing field is 0
    EXPECT_EQ(back.plan.mash[2].kind, MashStepKind::infusion);  // an unknown kind
    // A file of only steps is a recipe file, and a file of thousands keeps a bounded schedule.
    std::string many;
    for (int k = 0; k < 5000; k++)
        many += "PALIER\tp\t60\t1\tINFUSION\n";
    EXPECT_EQ(read_back(many).plan.mash.size(), 40u);
}

TEST(MashScheduleFile, RandomSchedulesRoundTrip)
{
    ScratchDir dir;
    std::mt19937 random(2026);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int n = 0; n < 100; n++) {
        Recipe recipe = recipe_of(random_recipe(random));
        const int count = static_cast<int>(random() % 8);
        for (int k = 0; k < count; k++)
            recipe.plan.mash.push_back(
                MashStep{"Palier " + std::to_string(k), std::round(350 + 450 * unit(random)) / 10,
                         std::floor(120 * unit(random)), static_cast<MashStepKind>(random() % 3)});
        const Recipe back = read_back(cvl_bytes(recipe));
        ASSERT_EQ(back.plan.mash.size(), recipe.plan.mash.size());
        for (size_t k = 0; k < back.plan.mash.size(); k++) {
            EXPECT_EQ(back.plan.mash[k].name, recipe.plan.mash[k].name);
            EXPECT_EQ(back.plan.mash[k].temperature, recipe.plan.mash[k].temperature);
            EXPECT_EQ(back.plan.mash[k].minutes, recipe.plan.mash[k].minutes);
            EXPECT_EQ(back.plan.mash[k].kind, recipe.plan.mash[k].kind);
        }
        EXPECT_EQ(back.lines.size(), recipe.lines.size());
    }
}

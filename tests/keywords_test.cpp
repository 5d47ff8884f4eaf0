// tests/keywords_test.cpp — recognition of the category and brewing-step keywords.
#include "core/keywords.h"

#include <gtest/gtest.h>

#include <string>

TEST(Keywords, EveryCategoryKeywordIsRecognised)
{
    struct Case {
        const char* text;
        Category category;
    };
    static const Case kCases[] = {
        {"EAU", Category::water},
        {"MALT", Category::malt},
        {"MALTFROMENT", Category::wheat_malt},
        {"MALTSPECIAL", Category::special_malt},
        {"GRAIN", Category::grain},
        {"FLOCON", Category::flakes},
        {"HOUBLONCONE", Category::hop_cone},
        {"HOUBLONPELLET", Category::hop_pellet},
        {"AUTRE", Category::other_addition},
        {"SUCRE", Category::sugar},
        {"EXTRAITPOUDRE", Category::powder_extract},
        {"EXTRAITLIQUIDE", Category::liquid_extract},
        {"LEVURE", Category::yeast},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(category_of(c.text), c.category) << c.text;
}

TEST(Keywords, EveryStepKeywordIsRecognised)
{
    struct Case {
        const char* text;
        Step step;
    };
    static const Case kCases[] = {
        {"EMPATAGE", Step::mash},       {"RINCAGE", Step::rinse},
        {"EBULLITION", Step::boil},     {"AMERISATION", Step::bittering},
        {"AROMATISATION", Step::aroma}, {"FERMENTATION", Step::fermentation},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(step_of(c.text), c.step) << c.text;
}

TEST(Keywords, NearMissesAreNoKeyword)
{
    // Case, spaces, a prefix, a longer text of the same start, or a keyword of the other kind.
    static const char* const kTexts[] = {
        "",        "eau",          "Eau",         "EAU ",   " EAU",    "MAL",      "MALTS",  "MALTFROMENTS",
        "HOUBLON", "HOUBLONCONES", "EXTRAIT",     "SUCRES", "LEVURES", "EMPATAGE", "GRAINE", "FLOCONS",
        "AUTRES",  "XAU",          "MALTSPECIAx",
    };
    for (const char* text : kTexts)
        EXPECT_EQ(category_of(text), Category::other) << '"' << text << '"';
    static const char* const kSteps[] = {
        "",     "empatage",     "EMPATAGE ", "RINCAGES", "EBULLITIO", "AMERISATIONS", "AROMATISATIO",
        "MALT", "FERMENTATIOn", "XMPATAGE",
    };
    for (const char* text : kSteps)
        EXPECT_EQ(step_of(text), Step::other) << '"' << text << '"';
}

TEST(Keywords, ANulByteIsPartOfTheText)
{
    EXPECT_EQ(category_of(std::string("EAU\0", 4)), Category::other);
    EXPECT_EQ(step_of(std::string("RINCAGE\0", 8)), Step::other);
}

TEST(Keywords, GroupsOfCategoriesAndSteps)
{
    for (Category c :
         {Category::malt, Category::wheat_malt, Category::special_malt, Category::grain, Category::flakes})
        EXPECT_TRUE(is_grain(c));
    for (Category c : {Category::water, Category::hop_cone, Category::sugar, Category::other_addition,
                       Category::yeast, Category::other})
        EXPECT_FALSE(is_grain(c));
    EXPECT_TRUE(is_hop(Category::hop_cone));
    EXPECT_TRUE(is_hop(Category::hop_pellet));
    EXPECT_FALSE(is_hop(Category::malt));
    for (Step s : {Step::boil, Step::bittering, Step::aroma})
        EXPECT_TRUE(is_boil_step(s));
    for (Step s : {Step::mash, Step::rinse, Step::fermentation, Step::other})
        EXPECT_FALSE(is_boil_step(s));
}

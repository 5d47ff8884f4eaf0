// The printable brew sheet: its golden page and the escaping of every recipe text.
#include "report/brew_sheet.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace
{

RecipeReport hostile_report()
{
    RecipeReport r;
    r.recipe.title = "<script>alert('x')</script> & co";
    r.recipe.style.name = "\"Stout\"";
    RecipeLine hop;
    hop.category = "HOUBLONPELLET";
    hop.designation = "<b>Saaz</b>";
    hop.quantity = "30 G";
    hop.time = "60 MIN";
    hop.step = "EBULLITION";
    RecipeLine late = hop;
    late.designation = "Cascade";
    late.time = "10";
    RecipeLine stand = hop;
    stand.designation = "Citra";
    stand.time = "0";
    stand.step = "AROMATISATION";
    r.recipe.lines = {late, hop, stand};
    r.recipe.plan.mash = {MashStep{"Palier <1>", 66, 60, MashStepKind::infusion}};
    r.recipe.plan.notes = "Ne pas <oublier>";
    r.settings.boil_minutes = 60;
    return r;
}

} // namespace

TEST(BrewSheet, RecipeTextsAreEscapedAndNoScriptIsWritten)
{
    const std::string page = brew_sheet_html(hostile_report());
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; co"), std::string::npos);
    EXPECT_NE(page.find("Palier &lt;1&gt;"), std::string::npos);
    EXPECT_NE(page.find("Ne pas &lt;oublier&gt;"), std::string::npos);
    EXPECT_NE(page.find("@page { size: A4"), std::string::npos);
}

TEST(BrewSheet, BoilAdditionsInKettleOrderAndHopStandApart)
{
    const std::string page = brew_sheet_html(hostile_report());
    const size_t boil = page.find("5. Ébullition");
    const size_t first = page.find("&lt;b&gt;Saaz", boil), second = page.find("Cascade", boil),
                 stand = page.find("Citra", boil);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second); // 60 minutes before 10
    EXPECT_GT(stand, page.find("Hors du feu"));
    // Cascade goes in at minute 50 of 60, with 10 minutes left.
    EXPECT_NE(page.find("<td class='n'>50</td><td class='n'>10 min</td><td>30 G Cascade</td>"),
              std::string::npos);
}

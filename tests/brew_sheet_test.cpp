// The printable brew sheet: its golden page and the escaping of every recipe text.
#include "report/brew_sheet.h"
#include "report/fermentation_text.h"
#include "report/report_page.h"
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
    r.recipe.plan.fermentation = {{"Primaire <chaude>", 19, 7}, {"", 4, 0}};
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

// The planned fermentation steps, in order, in the yeast's section of the sheet and on the report page.
TEST(BrewSheet, FermentationStepsAreListedInOrder)
{
    const RecipeReport report = hostile_report();
    const std::string page = brew_sheet_html(report);
    const size_t section = page.find("8. Levure et fermentation");
    const size_t first = page.find("Primaire &lt;chaude&gt; : 7 jours à 19 °C", section);
    const size_t second = page.find("Étape n° 2 : à 4 °C", section);
    ASSERT_NE(first, std::string::npos);
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_LT(second, page.find("9. Mise en bouteille"));
    const std::string report_text = report_page(report);
    EXPECT_NE(report_text.find("<h3>Fermentation :</h3>"), std::string::npos);
    EXPECT_NE(report_text.find("Primaire &lt;chaude&gt; : 7 jours à 19 °C<br>"), std::string::npos);
    RecipeReport none = report;
    none.recipe.plan.fermentation.clear();
    EXPECT_EQ(report_page(none).find("Fermentation :"), std::string::npos);
}

// Top-up water is poured at the cooling, into the fermenter, and not listed again with the yeast; a water
// line at FERMENTATION that the estimates do not count (no top-up) stays a plain line of the fermentation.
TEST(BrewSheet, TopUpWaterIsPouredAtTheCooling)
{
    RecipeReport report = hostile_report();
    RecipeLine water;
    water.category = "EAU";
    water.designation = "Eau d'appoint";
    water.quantity = "6 L";
    water.step = "FERMENTATION";
    report.recipe.lines.push_back(water);
    report.estimates.mash_water = 20;
    report.estimates.rinse_water = 8;
    report.estimates.top_up_water = 6;
    report.estimates.final_volume = 34;
    const std::string page = brew_sheet_html(report);
    const size_t cooling = page.find("7. Refroidissement"), yeast = page.find("8. Levure et fermentation");
    const size_t poured = page.find("Eau d'appoint versée au fermenteur : 6 L ; en fermenteur : prévu 34 L");
    EXPECT_GT(poured, cooling);
    EXPECT_LT(poured, yeast);
    EXPECT_EQ(page.find("6 L Eau d&#39;appoint", yeast), std::string::npos);
    report.estimates.top_up_water = 0;
    const std::string plain = brew_sheet_html(report);
    EXPECT_EQ(plain.find("versée au fermenteur"), std::string::npos);
    EXPECT_NE(plain.find("6 L Eau d&#39;appoint", plain.find("8. Levure et fermentation")),
              std::string::npos);
}

struct StepTextCase {
    FermentationStep step;
    size_t number;
    const char* text;
};

TEST(BrewSheet, FermentationStepText)
{
    const StepTextCase cases[] = {
        {{"Primaire", 19.5, 7}, 1, "Primaire : 7 jours à 19.5 °C"},
        {{"Garde", 2, 1}, 2, "Garde : 1 jour à 2 °C"},
        {{"Courte", 20, 0.5}, 3, "Courte : 0.5 jour à 20 °C"},
        {{"  ", -1, 0}, 4, "Étape n° 4 : à -1 °C"},
    };
    for (const StepTextCase& c : cases)
        EXPECT_EQ(fermentation_step_text(c.step, c.number), c.text);
}

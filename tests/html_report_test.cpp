// tests/html_report_test.cpp — the report page, line by line, and the HTML escaping of recipe texts.
#include "report/html_report.h"

#include "calc/evaluate.h"
#include "core/workspace.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include <sstream>
#include <vector>

static std::vector<std::string> lines_of(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// An empty recipe with the start values, as after start-up.
static void start_empty_recipe()
{
    reset_workspace();
    ws.style_count = 1;
    ws.styles[1] = {
        "Pas de Catégorie", "Pas de Style",      "0", "9999", "0", "9999", "0", "9999", "0", "9999",
        "style0",           "Pas de description"};
    set_recipe_start_values();
}

// The worked pale-ale recipe, saved as blonde.cvl, with the estimates of its evaluation.
static void load_blonde()
{
    start_empty_recipe();
    ws.title = "Blonde d'été";
    ws.file_name = "/home/u/recettes/blonde.cvl";
    ws.file_base_name = "blonde.cvl";
    ws.style = {"Ale Belge", "Blonde forte", "1062", "1075", "1008",   "1018",
                "8",         "14",           "15",   "30",   "style3", "Dorée, fruitée & épicée"};
    add_recipe_line("eau", "EAU", "Eau de source", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("eau", "EAU", "Eau de source", "10 L", "", "", "", "RINCAGE", "");
    add_recipe_line("malt", "MALT", "Malt Pilsen", "5 KG", "8", "80", "", "EMPATAGE", "2 KG");
    add_recipe_line("houblon", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "30 KG");
    add_recipe_line("levure", "LEVURE", "Levure S-04", "11 G", "", "75", "", "FERMENTATION", "0.4 G");
    // Heating: (60 + 15 + 30 + 15 + 0) minutes at 1.5 an hour = 3; lines 10 + 1.2 + 4.4; total 18.6.
    ws.settings.boil_minutes = 60;
    ws.settings.rest_minutes[1] = 15;
    ws.settings.rest_minutes[2] = 30;
    ws.settings.rest_minutes[3] = 15;
    ws.settings.heating_cost = 1.5;
    Estimates& e = ws.estimates;
    e.malt_kg = 5;
    e.hop_kg = 0.04;
    e.final_volume = 20.3;
    e.mash_water = 20;
    e.rinse_water = 10;
    e.initial_density = 1047.43;
    e.final_density = 1011.06;
    e.alcohol = (1047.43 - 1011.06) / 7.6;
    e.colour_ebc = 17.56;
    e.bitterness_ibu = 23.4849;
}

// The page's lines without its breakdown section (tested on its own below), which comes right before the
// last line.
static std::vector<std::string> without_breakdown(std::vector<std::string> lines)
{
    const auto section = std::find(lines.begin(), lines.end(), "<h3>Détail des estimations :</h3>");
    EXPECT_NE(section, lines.end());
    if (section != lines.end())
        lines.erase(section, lines.end() - 1);
    return lines;
}

static std::vector<std::string> report_lines()
{
    EXPECT_TRUE(write_html_report_file("page.html", recipe_report_on_screen()));
    return without_breakdown(lines_of(read_file("page.html")));
}

TEST(HtmlReport, SmallRecipeMatchesTheGoldenPage)
{
    ScratchDir dir;
    load_blonde();
    ASSERT_TRUE(write_html_report_file("page.html", recipe_report_on_screen()));
    std::vector<std::string> got = lines_of(read_file("page.html"));
    std::vector<std::string> expected = lines_of(read_file(CUVELO_TEST_DATA "/report/blonde.html"));
    ASSERT_EQ(without_breakdown(expected).size(), 34u);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); i++)
        EXPECT_EQ(got[i], expected[i]) << "line " << i + 1;
}

TEST(HtmlReport, LinesEndWithLfOnly)
{
    ScratchDir dir;
    load_blonde();
    ASSERT_TRUE(write_html_report_file("page.html", recipe_report_on_screen()));
    std::string bytes = read_file("page.html");
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.back(), '\n');
    EXPECT_NE(bytes.substr(bytes.size() - 2), "\n\n");
}

TEST(HtmlReport, EmptyRecipeGivesTwentyNineLines)
{
    ScratchDir dir;
    start_empty_recipe();
    std::vector<std::string> lines = report_lines();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[12], "<h3>Ingrédients :</h3>");
    EXPECT_EQ(lines[13], "<h3>Estimations :</h3>");
    EXPECT_EQ(lines[14], "Volume final : 0 L<br>");
    EXPECT_EQ(lines[28], "<br><br></body></html>");
}

TEST(HtmlReport, RecipeWithoutFileShowsEmptyParentheses)
{
    ScratchDir dir;
    start_empty_recipe();
    EXPECT_EQ(report_lines()[3], "(  )<br>");
}

TEST(HtmlReport, EmptyValueFieldsKeepTheirSpaces)
{
    ScratchDir dir;
    start_empty_recipe();
    add_recipe_line("sucre", "SUCRE", "Sucre candi", "", "", "", "", "", "");
    EXPECT_EQ(report_lines()[13], "<img src='./images/sucre.png'>  Sucre candi    <br>");
}

TEST(HtmlReport, EstimatesOfTheLastEvaluationAreRoundedNotRecomputed)
{
    ScratchDir dir;
    start_empty_recipe(); // no lines: a new evaluation would give 0 everywhere
    ws.estimates.final_volume = 19.9645;
    ws.estimates.hop_kg = 0.0125;       // printed in grams, multiplied before rounding
    ws.estimates.alcohol = 4.7855;      // half up
    ws.estimates.bitterness_ibu = 9999; // the cap, no decimals
    std::vector<std::string> lines = report_lines();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[14], "Volume final : 19.96 L<br>");
    EXPECT_EQ(lines[18], "Houblon : 12.5 G<br>");
    EXPECT_EQ(lines[21], "Alcool : 4.79 %VOL<br>");
    EXPECT_EQ(lines[23], "Amerture : 9999 IBU<br>");
}

TEST(HtmlReport, CostOfAnEmptyRecipeIsTheHeating)
{
    ScratchDir dir;
    start_empty_recipe();
    ws.settings.boil_minutes = 90;
    ws.settings.rest_minutes[4] = 30;
    ws.settings.heating_cost = 0.5; // two hours
    EXPECT_EQ(report_lines()[24], "<br>Prix de revient : 1 €<br>");
}

struct PrimingCase {
    const char* carbonation;
    const char* sugar_line;
    const char* extract_line;
};
static const PrimingCase kPriming[] = {
    {"2.5 VOL", "- Sucre : 6.26 G/L<br>", "- Extrait : 11.48 G/L<br>"}, // 3.82 × 2.5 − 3.29, 7 × 2.5 − 6.02
    {"0.87 VOL", "- Sucre : 0.03 G/L<br>", "- Extrait : 0.07 G/L<br>"},   // just above "Impossible !"
    {"0.8 VOL", "- Sucre : -0.23 G/L<br>", "- Extrait : -0.42 G/L<br>"},  // "Impossible !", still printed
    {"beaucoup", "- Sucre : -3.29 G/L<br>", "- Extrait : -6.02 G/L<br>"}, // no number reads as 0
};

TEST(HtmlReport, PrimingIsRecomputedFromTheCarbonation)
{
    for (const PrimingCase& c : kPriming) {
        ScratchDir dir;
        start_empty_recipe();
        ws.carbonation = c.carbonation;
        ws.estimates.sugar_per_litre = 99; // stale values of an earlier priming
        ws.estimates.extract_per_litre = 99;
        std::vector<std::string> lines = report_lines();
        ASSERT_EQ(lines.size(), 29u);
        EXPECT_EQ(lines[25], "<br>Carbonatation : " + std::string(c.carbonation) + "<br>");
        EXPECT_EQ(lines[26], c.sugar_line) << c.carbonation;
        EXPECT_EQ(lines[27], c.extract_line) << c.carbonation;
    }
}

TEST(HtmlReport, MarkupInTheTitleIsEscaped)
{
    ScratchDir dir;
    start_empty_recipe();
    ws.title = "<b>Triple</b> & \"Blanche\" d'hiver";
    EXPECT_EQ(report_lines()[2],
              "<h3>Recette : &lt;b&gt;Triple&lt;/b&gt; &amp; &quot;Blanche&quot; d&#39;hiver</h3>");
}

TEST(HtmlReport, PictureNamesCannotLeaveTheSourceAttribute)
{
    ScratchDir dir;
    start_empty_recipe();
    ws.style.picture = "x' onerror='alert(1)";
    add_recipe_line("y\" onload=\"alert(2)", "MALT", "Malt", "1 KG", "", "", "", "EMPATAGE", "");
    std::vector<std::string> lines = report_lines();
    EXPECT_EQ(lines[5], "<img src='./images/x&#39; onerror=&#39;alert(1).png'><br><br>");
    EXPECT_EQ(lines[13], "<img src='./images/y&quot; onload=&quot;alert(2).png'> 1 KG Malt    EMPATAGE<br>");
}

// Every text that comes from a recipe file or a database, one at a time.
static std::string& recipe_text(int n)
{
    StyleEntry& s = ws.style;
    RecipeLine& l = ws.lines[1];
    std::string* const texts[] = {
        &ws.title,  &ws.file_base_name, &ws.carbonation, &s.category, &s.name,     &s.og_min,
        &s.og_max,  &s.fg_min,          &s.fg_max,       &s.ebc_min,  &s.ebc_max,  &s.ibu_min,
        &s.ibu_max, &s.picture,         &s.description,  &l.picture,  &l.quantity, &l.designation,
        &l.value,   &l.yield,           &l.time,         &l.step,
    };
    return *texts[n];
}
static const int kRecipeTextCount = 22;

TEST(HtmlReport, NoRecipeOrDatabaseTextCanAddMarkup)
{
    for (int n = 0; n < kRecipeTextCount; n++) {
        ScratchDir dir;
        start_empty_recipe();
        add_recipe_line("p", "MALT", "Malt", "1 KG", "", "", "", "EMPATAGE", "");
        recipe_text(n) = "<script>alert('x')</script>";
        ASSERT_TRUE(write_html_report_file("page.html", recipe_report_on_screen()));
        std::string page = read_file("page.html");
        EXPECT_EQ(page.find("<script"), std::string::npos) << "text " << n;
        EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"), std::string::npos)
            << "text " << n;
    }
}

struct EscapeCase {
    const char* text;
    const char* escaped;
};
static const EscapeCase kEscape[] = {
    {"", ""},
    {"Bière ambrée", "Bière ambrée"}, // UTF-8 bytes pass through
    {"a<b>c", "a&lt;b&gt;c"},
    {"R&D", "R&amp;D"},
    {"&amp;", "&amp;amp;"}, // an entity in a recipe is text, not markup
    {"\"'", "&quot;&#39;"},
};

TEST(HtmlReport, EscapesTheFiveSpecialCharacters)
{
    for (const EscapeCase& c : kEscape)
        EXPECT_EQ(html_escape(c.text), c.escaped) << c.text;
}

TEST(HtmlReport, UnwritablePathGivesFalse)
{
    ScratchDir dir;
    start_empty_recipe();
    EXPECT_FALSE(write_html_report_file("no-such-folder/page.html", recipe_report_on_screen()));
    write_file("folder/keep", "");
    EXPECT_FALSE(
        write_html_report_file("folder", recipe_report_on_screen())); // a folder is no file, even for root
}

TEST(HtmlReport, BackslashesInTheGivenPathAreSlashes)
{
    ScratchDir dir;
    start_empty_recipe();
    write_file("out/keep", "");
    ASSERT_TRUE(write_html_report_file("out\\page.html", recipe_report_on_screen()));
    EXPECT_EQ(without_breakdown(lines_of(read_file("out/page.html"))).size(), 29u);
}

// What stands at the page's name before the report is written. A link is replaced, never followed: the file
// it led to keeps its content. Anything else that is not a regular file is left alone, and said why.
struct PagePlaceCase {
    const char* name;
    void (*prepare)();
    const char* reason; // "" when the page is written
};
static const PagePlaceCase kPagePlaces[] = {
    {"symbolic link", [] { symlink("document", "page.html"); }, ""},
    {"dangling link", [] { symlink("nowhere/page", "page.html"); }, ""},
    {"hard link", [] { link("document", "page.html"); }, ""},
    {"FIFO", [] { mkfifo("page.html", 0644); }, "ce n'est pas un fichier ordinaire"},
    {"folder", [] { write_file("page.html/inside", "kept"); }, "c'est un dossier"},
};

TEST(HtmlReport, LinksAtThePageNameAreReplacedAndOtherFilesLeftAlone)
{
    for (const PagePlaceCase& c : kPagePlaces) {
        ScratchDir dir;
        start_empty_recipe();
        write_file("document", "a brewer's letter");
        c.prepare();
        struct stat before;
        lstat("page.html", &before);
        std::string why;
        const bool written = write_html_report_file("page.html", recipe_report_on_screen(), &why);
        EXPECT_EQ(written, c.reason[0] == '\0') << c.name;
        EXPECT_EQ(why, written ? "" : c.reason) << c.name;
        EXPECT_EQ(read_file("document"), "a brewer's letter") << c.name;
        struct stat after;
        ASSERT_EQ(lstat("page.html", &after), 0) << c.name;
        if (written) {
            EXPECT_TRUE(S_ISREG(after.st_mode)) << c.name;
            EXPECT_EQ(without_breakdown(lines_of(read_file("page.html"))).size(), 29u) << c.name;
        } else {
            EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
        }
    }
}

TEST(HtmlReport, TextsOfAnOlderFileAreWrittenAsUtf8)
{
    ScratchDir dir;
    start_empty_recipe();
    ws.title = "Bi\xe8re d'\xe9t\xe9 \x96 1998"; // Windows-1252
    const std::string page = report_page(recipe_report_on_screen());
    EXPECT_EQ(lines_of(page)[2], "<h3>Recette : Bière d&#39;été – 1998</h3>");
    EXPECT_EQ(ws.title, "Bi\xe8re d'\xe9t\xe9 \x96 1998"); // the recipe keeps its bytes
}

// The recipe's notes have their own section, escaped, one page line per line; a recipe without notes has
// none.
TEST(HtmlReport, NotesAreShownEscapedLineByLine)
{
    ScratchDir dir;
    start_empty_recipe();
    const std::vector<std::string> without = report_lines();
    ws.plan.notes = "Dry hop <Citra> 4 jours\r\nMise en bouteille & garde";
    const std::vector<std::string> lines = report_lines();
    ASSERT_EQ(lines.size(), without.size() + 3);
    const auto notes = std::find(lines.begin(), lines.end(), "<h3>Notes :</h3>");
    ASSERT_NE(notes, lines.end());
    EXPECT_EQ(*(notes + 1), "Dry hop &lt;Citra&gt; 4 jours<br>");
    EXPECT_EQ(*(notes + 2), "Mise en bouteille &amp; garde<br>");
    for (const std::string& line : lines)
        EXPECT_EQ(line.find('\r'), std::string::npos);
}

// tests/beerxml_tree_test.cpp — what a BeerXML file can make is bounded (recipes, records, elements,
// nesting), what lies beyond is said, and one broken recipe never changes how the others read.
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "random_recipe.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/beerxml_read.h"
#include "recipe/formats/beerxml_tree.h"
#include "recipe/formats/beerxml_write.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

static std::string repeated(const std::string& text, size_t times)
{
    std::string out;
    out.reserve(text.size() * times);
    for (size_t i = 0; i < times; i++)
        out += text;
    return out;
}

static std::string hop(const std::string& name)
{
    return "<HOP><NAME>" + name +
           "</NAME><ALPHA>5</ALPHA><AMOUNT>0.01</AMOUNT><USE>Boil</USE><TIME>60</TIME></HOP>";
}

static std::string all_said(const ForeignRecipe& r)
{
    std::string said;
    for (const std::string& text : r.left_out)
        said += text + "\n";
    for (const std::string& text : r.corrections)
        said += text + "\n";
    return said;
}

// Each cap, met by a file made for it: the records kept, and what the reader says about the others.
TEST(BeerXmlTree, EachCapKeepsWhatItBoundsAndSaysWhatWasLeftOut)
{
    const struct {
        const char* what;
        std::string file;
        size_t recipes;
        size_t hops; // of the first recipe
        const char* said;
        size_t recipes_left_out;
    } cases[] = {
        {"5,001 recipes", repeated("<RECIPE><NAME>r</NAME></RECIPE>\n", kMostRecipes + 1), kMostRecipes, 0,
         nullptr, 1},
        {"5,000 recipes", "<RECIPES>" + repeated("<RECIPE/>", kMostRecipes) + "</RECIPES>", kMostRecipes, 0,
         nullptr, 0},
        {"300 hops", "<RECIPE><HOPS>" + repeated(hop("Saaz"), 300) + "</HOPS></RECIPE>", 1, 256,
         "44 houblons au-delà de 256", 0},
        {"300 loose hops", "<RECIPE>" + repeated(hop("Saaz"), 300) + "</RECIPE>", 1, 256,
         "44 houblons au-delà de 256", 0},
        {"empty hops",
         "<RECIPE><HOPS>" + hop("Saaz") + repeated("<HOP/>", 5) +
             "<HOP><AMOUNT>0.01</AMOUNT></HOP></HOPS></RECIPE>",
         1, 2, "5 houblons sans nom ni quantité", 0},
        {"200,000 empty hops", "<RECIPE>" + repeated("<HOP/>", 200000) + "</RECIPE>", 1, 0,
         "199744 houblons au-delà de 256", 0},
        {"300 waters",
         "<RECIPE><WATERS>" + repeated("<WATER><NAME>Eau</NAME></WATER>", 300) + "</WATERS></RECIPE>", 1, 0,
         "44 profils d'eau au-delà de 256", 0},
        {"40,000 elements", "<RECIPE>" + repeated("<X/>", 40000) + "<NAME>Tard</NAME></RECIPE>", 1, 0,
         "7234 éléments XML au-delà de 32768", 0},
        {"nested 300 deep",
         "<RECIPE><NAME>Une</NAME>" + repeated("<A>", 300) + "</RECIPE><RECIPE><NAME>Deux</NAME></RECIPE>", 2,
         0, "plus de 256 niveaux d'éléments", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ForeignFile content = read_beerxml(c.file);
        ASSERT_EQ(content.recipes.size(), c.recipes) << content.refusal;
        EXPECT_EQ(content.recipes[0].hops.size(), c.hops);
        if (c.said) {
            EXPECT_NE(all_said(content.recipes[0]).find(c.said), std::string::npos)
                << all_said(content.recipes[0]);
        }
        EXPECT_EQ(content.recipes_left_out, c.recipes_left_out);
        for (const ForeignRecipe& r : content.recipes) {
            EXPECT_LE(r.hops.size() + r.fermentables.size() + r.yeasts.size() + r.miscs.size(),
                      4 * kMostRecords);
            EXPECT_LE(r.corrections.size(), kMostCorrections);
        }
    }
}

// The corrections a recipe keeps are bounded; the message lists those and counts the others.
TEST(BeerXmlTree, CorrectionsBeyondTheBoundAreCountedAndTheMessageSaysHowMany)
{
    // Each hop lacks ALPHA, AMOUNT, USE and TIME (one correction) and says 10 t were kept of its 20 t
    // (another); the recipe lacks BATCH_SIZE.
    const ForeignFile content =
        read_beerxml("<RECIPE><NAME>N</NAME>" +
                     repeated("<HOP><NAME>h</NAME><AMOUNT>20000</AMOUNT></HOP>", 40) + "</RECIPE>");
    ASSERT_EQ(content.recipes.size(), 1u);
    const ForeignRecipe& r = content.recipes[0];
    EXPECT_EQ(r.corrections.size(), kMostCorrections);
    EXPECT_EQ(r.corrections.size() + r.more_corrections, 40 * 2 + 1u);
    EXPECT_EQ(r.corrections[1], "houblon « h » : AMOUNT 20000 ramené à 10000");
    reset_workspace();
    const ImportedRecipe imported = import_foreign_recipe(r, reference_data());
    const std::string message = import_message(imported, content, ws.estimates, 75);
    EXPECT_NE(message.find("\n  … et 51 autres\n"), std::string::npos) << message;
}

// A recipe of the file as its own BeerXML text, and what the reader makes of it, to compare.
static std::string recipe_element(std::mt19937& random)
{
    reset_workspace();
    use_worked_example_settings();
    for (const RecipeLine& line : random_recipe(random))
        add_recipe_line(line);
    ws.title = "Recette " + std::to_string(random() % 100000);
    evaluate_recipe();
    const std::string document = beerxml_document(recipe_report_on_screen(), nullptr);
    const size_t start = document.find("<RECIPE>");
    const size_t end = document.find("</RECIPE>") + 10;
    return document.substr(start, end - start);
}

static std::string summary(const ForeignRecipe& r)
{
    std::string out = r.name + " " + std::to_string(r.batch_size);
    for (const ForeignFermentable& f : r.fermentables)
        out += " F" + f.name + ":" + std::to_string(f.amount);
    for (const ForeignHop& h : r.hops)
        out += " H" + h.name + ":" + std::to_string(h.amount) + "/" + std::to_string(h.time);
    for (const ForeignYeast& y : r.yeasts)
        out += " Y" + y.name;
    return out + " corrections " + std::to_string(r.corrections.size());
}

// Whatever breaks one recipe of a file (a tag GMarkup refuses, a missing end, a stray end tag, a tag cut
// short, a broken start tag), every other recipe reads exactly as in the sound file.
TEST(BeerXmlTree, OneBrokenRecipeNeverChangesHowTheOthersRead)
{
    std::mt19937 random(3);
    const char* const faults[] = {"<BROKEN x=>", "", "</WRONG>", "<A\n", "<RECIPE version=1>"};
    for (int trial = 0; trial < 40; trial++) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::vector<std::string> recipes;
        for (int n = std::uniform_int_distribution<int>(2, 6)(random); n > 0; n--)
            recipes.push_back(recipe_element(random));
        std::string sound = "<?xml version=\"1.0\"?>\n<RECIPES>\n";
        for (const std::string& r : recipes)
            sound += r;
        const ForeignFile expected = read_beerxml(sound + "</RECIPES>\n");
        ASSERT_EQ(expected.recipes.size(), recipes.size());

        const size_t broken = std::uniform_int_distribution<size_t>(0, recipes.size() - 1)(random);
        const int fault = std::uniform_int_distribution<int>(0, 4)(random);
        std::string& r = recipes[broken];
        if (fault == 1) {
            r.erase(r.rfind("</RECIPE>"), 9); // the end tag missing
        } else if (fault == 4) {
            r.replace(0, 8, faults[fault]); // the start tag broken
        } else {
            // At a tag boundary after the recipe's name, so that it keeps its name.
            std::vector<size_t> tags;
            for (size_t at = r.find('<', r.find("</NAME>") + 1); at != std::string::npos;
                 at = r.find('<', at + 1))
                tags.push_back(at);
            r.insert(tags[std::uniform_int_distribution<size_t>(0, tags.size() - 1)(random)], faults[fault]);
        }
        std::string file = "<?xml version=\"1.0\"?>\n<RECIPES>\n";
        for (const std::string& recipe : recipes)
            file += recipe;
        const ForeignFile got = read_beerxml(file + "</RECIPES>\n");
        SCOPED_TRACE("fault " + std::to_string(fault) + " in recipe " + std::to_string(broken + 1));
        ASSERT_EQ(got.recipes.size() + got.unreadable.size(), recipes.size());
        size_t k = 0;
        for (size_t i = 0; i < recipes.size(); i++) {
            if (i == broken && fault == 4)
                continue; // unreadable: said, not read
            const ForeignRecipe& read = got.recipes.at(k++);
            if (i != broken) {
                EXPECT_EQ(summary(read), summary(expected.recipes[i]));
            } else {
                EXPECT_NE(all_said(read).find("XML abîmé"), std::string::npos) << all_said(read);
            }
        }
    }
}

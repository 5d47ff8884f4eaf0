// tests/json_layout_test.cpp — the pass before json-glib: which texts have their recipes cut out and what is
// left, and that a file read a recipe at a time reads as the same file parsed whole, faults on the same
// lines.
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "random_recipe.h"
#include "recipe/formats/beerjson_read.h"
#include "recipe/formats/beerjson_write.h"
#include "recipe/formats/json_layout.h"
#include "recipe/list_edit.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

struct LayoutCase {
    const char* what;
    std::string text;
    bool standard, split;
    size_t recipes;
    const char* rest; // when standard
};

static const LayoutCase kLayouts[] = {
    {"objects cut out, other items kept", "{\"beerjson\": {\"recipes\": [{\"a\": 1}, 2, {\"b\": [1, {}]}]}}",
     true, true, 2, "{\"beerjson\":{\"recipes\":[{},2,{}]}}"},
    {"line ends kept", "{\"beerjson\": {\n\"recipes\": [\n  {\"a\":\n 1\n}\n]\n}}", true, true, 1,
     "{\"beerjson\":{\n\"recipes\":[\n{}\n\n\n]\n}}"},
    {"two words kept apart", "{\"beerjson\": {\"recipes\": [], \"x\": [1 2, true  false, \"a b\"]}}", true,
     true, 0, "{\"beerjson\":{\"recipes\":[],\"x\":[1 2,true false,\"a b\"]}}"},
    {"blanks in strings kept", "{\"beerjson\": {\"recipes\": [], \"x\": \" \\\" \\t { // \"}}\r\n", true,
     true, 0, "{\"beerjson\":{\"recipes\":[],\"x\":\" \\\" \\t { // \"}}\n"},
    {"recipes of another member", "{\"other\": {\"recipes\": [{}]}, \"beerjson\": {\"recipes\": [{}]}}", true,
     true, 1, "{\"other\":{\"recipes\":[{}]},\"beerjson\":{\"recipes\":[{}]}}"},
    {"recipes deeper", "{\"beerjson\": {\"x\": {\"recipes\": [{}]}, \"recipes\": []}}", true, true, 0,
     "{\"beerjson\":{\"x\":{\"recipes\":[{}]},\"recipes\":[]}}"},
    {"recipes not an array", "{\"beerjson\": {\"recipes\": {\"a\": {}}}}", true, true, 0,
     "{\"beerjson\":{\"recipes\":{\"a\":{}}}}"},
    {"comments are blanks", "// en-tête {\n{\"beerjson\": /* [\n */ {\"recipes\": [{\"a\": 1 // }\n}]}}//",
     true, true, 1, "\n{\"beerjson\":\n{\"recipes\":[{}\n]}}"},
    {"a comment between two words", "{\"beerjson\": {\"recipes\": [], \"x\": [1/**/2, 3/*\n*/4]}}", true,
     true, 0, "{\"beerjson\":{\"recipes\":[],\"x\":[1 2,3\n4]}}"},
    {"an escaped key", "{\"beerjson\": {\"recip\\u0065s\": [{}], \"recipes\": [{}]}}", true, false, 0,
     "{\"beerjson\":{\"recip\\u0065s\":[{}],\"recipes\":[{}]}}"},
    {"two recipes members", "{\"beerjson\": {\"recipes\": [{}], \"recipes\": [{}]}}", true, false, 0,
     "{\"beerjson\":{\"recipes\":[{}],\"recipes\":[{}]}}"},
    {"two beerjson members", "{\"beerjson\": {\"recipes\": [{}]}, \"beerjson\": {}}", true, false, 0,
     "{\"beerjson\":{\"recipes\":[{}]},\"beerjson\":{}}"},
    {"unclosed", "{\"beerjson\": {\"recipes\": [{ }]}", true, false, 0, "{\"beerjson\":{\"recipes\":[{}]}"},
    {"unterminated string", "{\"beerjson\": {\"recipes\": [{}]}} \"a  b", true, false, 0,
     "{\"beerjson\":{\"recipes\":[{}]}}\"a  b"},
    {"no beerjson", "{\"recipes\": [{}]}", true, false, 0, "{\"recipes\":[{}]}"},
    {"single quotes", "{\"beerjson\": {\"recipes\": [{'a': 1}]}}", false, false, 0, nullptr},
    {"a lone slash", "{\"beerjson\": {\"recipes\": [{\"a\": 1 / 2}]}}", false, false, 0, nullptr},
    {"an unclosed comment", "{\"beerjson\": {\"recipes\": [{}]}} /* fin", false, false, 0, nullptr},
};

TEST(JsonLayout, RecipesAreCutOutOfStandardJsonOnly)
{
    for (const LayoutCase& c : kLayouts) {
        SCOPED_TRACE(c.what);
        const JsonLayout layout = json_layout(c.text, 0);
        EXPECT_EQ(layout.standard, c.standard);
        EXPECT_EQ(layout.split, c.split);
        EXPECT_EQ(layout.recipes.size(), c.recipes);
        if (c.standard) {
            EXPECT_EQ(layout.rest, c.rest);
        }
        for (const JsonPiece& piece : layout.recipes) {
            EXPECT_EQ(c.text[piece.begin], '{');
            EXPECT_EQ(c.text[piece.end - 1], '}');
        }
    }
}

TEST(JsonLayout, ShapeIsCountedWhetherOrNotTheTextIsSplit)
{
    for (const char* text : {"{\"beerjson\": {\"recipes\": [{\"a\": [1, 2]}]}}",
                             "{\"beerjson\": {\"recipes\": [{\"a\": [1, 2]}]}} ' ,:"}) {
        SCOPED_TRACE(text);
        const JsonLayout layout = json_layout(text, 0);
        EXPECT_EQ(layout.deepest, 5);
        EXPECT_EQ(layout.containers, 5u);
        EXPECT_EQ(layout.values, 4u + (layout.split ? 0 : 2));
    }
}

// A recipe's compact text keeps its line ends and its strings, and parses to the same members.
TEST(JsonLayout, PieceIsCompactedWithItsLinesAndStrings)
{
    const std::string text = "{\"beerjson\": {\"recipes\": [\n  {\n    \"name\": \"Bière  « ronde »\",\n"
                             "    \"x\": [ 1 ,\t2 ]\n  }\n]}}";
    const JsonLayout layout = json_layout(text, 0);
    ASSERT_EQ(layout.recipes.size(), 1u);
    EXPECT_EQ(layout.recipes[0].first_line, 2);
    EXPECT_EQ(compact_json_piece(text, layout.recipes[0]),
              "{\n\"name\":\"Bière  « ronde »\",\n\"x\":[1,2]\n}");
}

// What a read gives, in one text to compare.
static std::string summary(const ForeignFile& file)
{
    std::string out = file.refused ? "refusé : " + file.refusal + "\n" : "";
    for (const std::string& step : file.steps)
        out += step + "\n";
    for (const std::string& u : file.unreadable)
        out += u + "\n";
    out += std::to_string(file.recipes_left_out) + "\n";
    for (const ForeignRecipe& r : file.recipes) {
        out += r.name + " " + std::to_string(r.batch_size) + " " + std::to_string(r.fermentables.size()) +
               " " + std::to_string(r.hops.size()) + " " + std::to_string(r.yeasts.size()) + " " +
               std::to_string(r.miscs.size()) + " " + std::to_string(r.mash.size()) + " " + r.style.name +
               " " + std::to_string(r.style.og_max) + " " + r.notes_text + "\n";
        for (const ForeignHop& h : r.hops)
            out +=
                h.name + " " + h.use + " " + std::to_string(h.amount) + " " + std::to_string(h.time) + "\n";
        for (const std::string& c : r.corrections)
            out += c + "\n";
        for (const std::string& l : r.left_out)
            out += l + "\n";
    }
    return out;
}

// The same text read whole: a member of escaped name at the top keeps the recipes in it.
static std::string unsplit(const std::string& text)
{
    const size_t open = text.find('{');
    return text.substr(0, open + 1) + "\"\\u0078\": 0," + text.substr(open + 1);
}

// Over randomised recipes, several to a file with some non-objects among them and faulty values: reading a
// recipe at a time gives what reading the whole file gives.
TEST(JsonLayout, SplitReadEqualsWholeReadOverRandomisedRecipes)
{
    std::mt19937 random(2712);
    for (int trial = 0; trial < 25; trial++) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::string recipes;
        const int n = std::uniform_int_distribution<int>(1, 4)(random);
        for (int i = 0; i < n; i++) {
            reset_workspace();
            use_worked_example_settings();
            for (const RecipeLine& line : random_recipe(random))
                add_recipe_line(line);
            ws.plan.notes = "Notes « " + std::to_string(i) + " »\n\t{[,:]}";
            evaluate_recipe();
            const std::string document = beerjson_document(recipe_report_on_screen());
            // The recipe object of the exported document.
            const size_t r0 = document.find("\"recipes\": [") + 12;
            std::string recipe =
                document.substr(r0, document.rfind(']', document.find("\"styles\": [")) - r0);
            if (i == 1) // a faulty value, said the same way in both reads
                recipe.replace(recipe.find("\"batch_size\""), 12, "\"batch_size\": \"x\", \"old_batch\"");
            recipes += std::string(i ? ",\n" : "") + recipe + (i == 2 ? ", 7" : "");
        }
        const std::string text =
            "{\n  \"beerjson\": {\n    \"version\": 2.06,\n    \"recipes\": [" + recipes + "]\n  }\n}\n";
        ASSERT_TRUE(json_layout(text, 0).split);
        ASSERT_FALSE(json_layout(unsplit(text), 0).split);
        const ForeignFile split = read_beerjson(text);
        ASSERT_FALSE(split.refused) << split.refusal;
        EXPECT_EQ(split.recipes.size(), static_cast<size_t>(n));
        EXPECT_EQ(summary(split), summary(read_beerjson(unsplit(text))));
    }
}

struct FaultCase {
    const char* what;
    std::string text;
    int line;
};

// A fault inside a recipe, read on its own, is named on the file's line, as when the file is read whole.
TEST(JsonLayout, FaultsAreNamedOnTheFilesLine)
{
    const FaultCase cases[] = {
        {"in the second recipe",
         "{\"beerjson\": {\"recipes\": [\n{\"name\": \"a\"},\n{\"name\":\n \"b\",\n \"x\": [1 2]}\n]}}", 5},
        // json-glib names the line of the last value it read.
        {"a recipe closed by a bracket", "{\"beerjson\": {\"recipes\": [\n{\"name\": \"a\"\n]\n}]}}", 2},
        {"after the recipes", "{\"beerjson\": {\"recipes\": [\n{\"name\": \"a\"}\n],\n\"x\": tru\n}}", 4},
        {"two numbers in the rest", "{\"beerjson\": {\"recipes\": [{}],\n\"x\":\n[1  2]}}", 3},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string expected = "mal formé (ligne " + std::to_string(c.line) + ")";
        const ForeignFile split = read_beerjson(c.text);
        EXPECT_TRUE(split.refused);
        EXPECT_NE(split.refusal.find(expected), std::string::npos) << split.refusal;
        const ForeignFile whole = read_beerjson(unsplit(c.text));
        EXPECT_NE(whole.refusal.find(expected), std::string::npos) << whole.refusal;
    }
}

// fuzz/beerxml_fuzz.cpp — a BeerXML file of any bytes: read, each recipe imported, evaluated and exported;
// the export reads back as one recipe with the same ingredients, and nothing writes "nan" or "inf". What a
// file makes stays within the reader's caps and the import message within its bounds, whatever its size:
// inputs go up to 4 MB, and a short input can stand for a large file (see repeated_file).
#include "calc/evaluate.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "fuzz_support.h"
#include "recipe/list_edit.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/beerxml_read.h"
#include "recipe/formats/beerxml_tree.h"
#include "recipe/formats/beerxml_write.h"
#include "refdata/styles.h"

#include <glib.h>

#include <cstring>
#include <string>
#include <vector>

// The largest file the target reads: large enough to reach every cap of the reader.
constexpr size_t kLargestInput = 4 << 20;

// Unless told otherwise, inputs may grow to kLargestInput (libFuzzer reads its flags after this).
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    for (int i = 1; i < *argc; i++)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0)
            return 0;
    static std::vector<char*> arguments(*argv, *argv + *argc);
    static char max_len[] = "-max_len=4194304";
    arguments.insert(arguments.begin() + 1, max_len);
    arguments.push_back(nullptr);
    *argc += 1;
    *argv = arguments.data();
    return 0;
}

// An input "\x01" N1 N2 HEAD "\x01" UNIT "\x01" TAIL stands for HEAD, then UNIT N1 + 256 × N2 times, then
// TAIL (at most kLargestInput bytes): the fuzzer reaches large files (thousands of recipes or records, deep
// nesting) without growing its inputs to megabytes. Any other input is the file itself.
static std::string repeated_file(const std::string& input)
{
    const size_t unit = input.find('\x01', 3),
                 tail = unit == std::string::npos ? unit : input.find('\x01', unit + 1);
    if (input.size() < 3 || input[0] != '\x01' || tail == std::string::npos || tail == unit + 1)
        return input;
    const size_t times = static_cast<unsigned char>(input[1]) + 256 * static_cast<unsigned char>(input[2]);
    const std::string repeated = input.substr(unit + 1, tail - unit - 1);
    std::string file = input.substr(3, unit - 3);
    for (size_t i = 0; i < times && file.size() + repeated.size() <= kLargestInput; i++)
        file += repeated;
    return file + input.substr(tail + 1);
}

static void check_hidden(const std::string& text, const char* what)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        property_failed("a text is not UTF-8", text);
    for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p))
        if (is_hidden_character(g_utf8_get_char(p)))
            property_failed(what, text);
}

// The caps of the reader hold, and a recipe's name shows without hidden characters.
static void check_bounds(const ForeignFile& content)
{
    if (content.recipes.size() > kMostRecipes)
        property_failed("more recipes than the cap", std::to_string(content.recipes.size()));
    for (const ForeignRecipe& r : content.recipes) {
        if (r.hops.size() > kMostRecords || r.fermentables.size() > kMostRecords ||
            r.yeasts.size() > kMostRecords || r.miscs.size() > kMostRecords || r.waters.size() > kMostRecords)
            property_failed("more records of one kind than the cap", r.name);
        if (r.corrections.size() > kMostCorrections)
            property_failed("more corrections kept than the cap", r.name);
        check_hidden(r.name, "a recipe name keeps a hidden character");
    }
}

static void check_line_texts()
{
    for (int i = 1; i <= ws.line_count; i++) {
        const RecipeLine& l = ws.lines[i];
        for (const std::string* text : {&l.quantity, &l.value, &l.yield, &l.time})
            if (holds_non_number(*text))
                property_failed("an imported line holds no number", *text);
        for (const std::string* text : {&l.designation, &l.picture})
            if (text->find_first_of("\t\n,") != std::string::npos)
                property_failed("an imported text would break the recipe file", *text);
    }
}

// The document without the texts that names and notes hold ("Tettnang" holds "nan"): numbers only.
static std::string figures_of(std::string document)
{
    for (const char* tag : {"NAME", "CATEGORY", "NOTES"}) {
        const std::string open = std::string("<") + tag + ">", close = std::string("</") + tag + ">";
        for (size_t at = document.find(open); at != std::string::npos; at = document.find(open, at + 1)) {
            const size_t end = document.find(close, at);
            document.erase(at + open.size(), end - at - open.size());
        }
    }
    return document;
}

// The exported file of the recipe on screen reads back as one recipe with the same ingredient records.
static void check_export(const ForeignRecipe& imported)
{
    const std::string document = beerxml_document(recipe_report_on_screen(), nullptr);
    if (holds_non_number(figures_of(document)))
        property_failed("the export writes no number", document);
    const ForeignFile back = read_beerxml(document);
    if (back.refused || back.recipes.size() != 1 || !back.unreadable.empty())
        property_failed("the export does not read back as one recipe", document);
    const ForeignRecipe& r = back.recipes[0];
    if (r.hops.size() != imported.hops.size() || r.fermentables.size() != imported.fermentables.size() ||
        r.yeasts.size() != imported.yeasts.size())
        property_failed("the export lost ingredients", document);
    for (const std::string& correction : r.corrections)
        if (correction.find("illisible") != std::string::npos ||
            correction.find("manquant") != std::string::npos)
            property_failed("the export wrote a value its own reader corrects", correction + "\n" + document);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enter_private_folder();
    reset_workspace();
    load_styles();
    set_recipe_start_values();
    ws.settings.efficiency = 0.75;
    ws.settings.litres_per_kilo = 3;
    ws.settings.loss_boil = 10;
    // Inputs of odd length under the extract and Tinseth models, where a top-up water counts.
    if (size % 2) {
        ws.settings.gravity_model = GravityModel::extract;
        ws.settings.bitterness_model = BitternessModel::tinseth;
    }
    const std::string file = repeated_file(std::string(reinterpret_cast<const char*>(data), size));
    const ForeignFile content = read_beerxml(file);
    if (content.refused != content.recipes.empty())
        property_failed("a file with recipes is refused, or one without is not", content.refusal);
    check_bounds(content);
    for (size_t i = 0; i < content.recipes.size() && i < 4; i++) {
        const ImportedRecipe imported = import_foreign_recipe(content.recipes[i], reference_data());
        open_imported_recipe(imported);
        evaluate_recipe();
        check_line_texts();
        const std::string message = import_message(imported, content, ws.estimates, 75);
        if (holds_non_number(message) && !holds_non_number(file))
            property_failed("the import message shows no number", imported.recipe.title);
        // Names cut to 120 characters, at most 30 corrections, 8 losses and 10 unreadable recipes listed.
        if (message.size() > 64 * 1024)
            property_failed("the import message is not bounded", message.substr(0, 2000));
        check_hidden(message, "the import message keeps a hidden character");
        if (g_utf8_strlen(foreign_recipe_label(content, i).c_str(), -1) > 121)
            property_failed("a recipe label is not cut", foreign_recipe_label(content, i));
        if (ws.line_count <= 250)
            check_export(content.recipes[i]);
    }
    return 0;
}

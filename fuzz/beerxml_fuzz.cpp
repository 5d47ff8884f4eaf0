// fuzz/beerxml_fuzz.cpp — a BeerXML file of any bytes: read, each recipe imported, evaluated and exported;
// the export reads back as one recipe with the same ingredients, and nothing writes "nan" or "inf".
#include "calc/evaluate.h"
#include "core/workspace.h"
#include "fuzz_support.h"
#include "recipe/beerxml_import.h"
#include "recipe/beerxml_read.h"
#include "recipe/beerxml_write.h"
#include "refdata/styles.h"

#include <string>

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
static void check_export(const BxRecipe& imported)
{
    const std::string document = beerxml_document(ws, nullptr);
    if (holds_non_number(figures_of(document)))
        property_failed("the export writes no number", document);
    const BeerXmlContent back = read_beerxml(document);
    if (back.refused || back.recipes.size() != 1 || !back.unreadable.empty())
        property_failed("the export does not read back as one recipe", document);
    const BxRecipe& r = back.recipes[0];
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
    const BeerXmlContent content = read_beerxml(std::string(reinterpret_cast<const char*>(data), size));
    if (content.refused != content.recipes.empty())
        property_failed("a file with recipes is refused, or one without is not", content.refusal);
    for (size_t i = 0; i < content.recipes.size() && i < 4; i++) {
        const ImportedRecipe imported = import_beerxml_recipe(content.recipes[i], ws);
        apply_imported_recipe(imported);
        evaluate_recipe();
        check_line_texts();
        if (holds_non_number(import_message(imported, content, ws.estimates, 75)) &&
            !holds_non_number(std::string(reinterpret_cast<const char*>(data), size)))
            property_failed("the import message shows no number", imported.title);
        if (ws.line_count <= 250)
            check_export(content.recipes[i]);
    }
    return 0;
}

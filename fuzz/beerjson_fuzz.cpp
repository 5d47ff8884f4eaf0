// fuzz/beerjson_fuzz.cpp — a BeerJSON file of any bytes: read, each of its first recipes imported, evaluated
// and exported; the export reads back as one recipe with the same ingredients and no correction, and holds
// no "nan" or "inf". What a file makes stays within the reader's caps and the import message within its
// bounds.
#include "calc/evaluate.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "fuzz_support.h"
#include "recipe/formats/beerjson_read.h"
#include "recipe/formats/beerjson_write.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/list_edit.h"
#include "refdata/styles.h"

#include <glib.h>

#include <string>

static void check_hidden(const std::string& text, const char* what)
{
    if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr))
        property_failed("a text is not UTF-8", text);
    for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p))
        if (is_hidden_character(g_utf8_get_char(p)))
            property_failed(what, text);
}

// The caps of the reader hold.
static void check_bounds(const ForeignFile& content)
{
    constexpr size_t kMost = static_cast<size_t>(kLineCapacity);
    if (content.recipes.size() > kMostRecipes)
        property_failed("more recipes than the cap", std::to_string(content.recipes.size()));
    for (const ForeignRecipe& r : content.recipes) {
        if (r.hops.size() > kMost || r.fermentables.size() > kMost || r.yeasts.size() > kMost ||
            r.miscs.size() > kMost || r.waters.size() > kMost || r.mash.size() > kMost)
            property_failed("more records of one kind than the cap", r.name);
        if (r.corrections.size() > kMostCorrections)
            property_failed("more corrections kept than the cap", r.name);
    }
}

// The exported file of the recipe on screen reads back as one recipe with the same ingredient records.
static void check_export(const ForeignRecipe& imported)
{
    const std::string document = beerjson_document(recipe_report_on_screen());
    const ForeignFile back = read_beerjson(document);
    if (back.refused || back.recipes.size() != 1 || !back.unreadable.empty())
        property_failed("the export does not read back as one recipe", document);
    const ForeignRecipe& r = back.recipes[0];
    if (r.hops.size() != imported.hops.size() || r.fermentables.size() != imported.fermentables.size() ||
        r.yeasts.size() != imported.yeasts.size())
        property_failed("the export lost ingredients", document);
    if (!r.corrections.empty())
        property_failed("the export wrote a value its own reader corrects", r.corrections[0] + "\n" + document);
    // Numbers are never "nan" nor "inf": those would not be JSON, and the reader above refused them.
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
    const std::string file(reinterpret_cast<const char*>(data), size);
    const ForeignFile content = read_beerjson(file);
    if (content.refused != content.recipes.empty())
        property_failed("a file with recipes is refused, or one without is not", content.refusal);
    check_bounds(content);
    for (size_t i = 0; i < content.recipes.size() && i < 4; i++) {
        const ImportedRecipe imported = import_foreign_recipe(content.recipes[i], reference_data());
        open_imported_recipe(imported);
        evaluate_recipe();
        const std::string message = import_message(imported, content, ws.estimates, 75);
        if (message.size() > 64 * 1024)
            property_failed("the import message is not bounded", message.substr(0, 2000));
        check_hidden(message, "the import message keeps a hidden character");
        if (ws.line_count <= 250)
            check_export(content.recipes[i]);
    }
    return 0;
}

// tests/beerxml_test.cpp — BeerXML: one table row per quirk of real files, the mapping rules, the round trip
// Cuvelo → BeerXML → Cuvelo, and the exported file's well-formedness and required elements.
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "random_recipe.h"
#include "recipe/list_edit.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/beerxml_read.h"
#include "recipe/formats/beerxml_text.h"
#include "recipe/formats/recipe_format.h"
#include "recipe/formats/beerxml_write.h"
#include "recipe/formats/plain_decimal.h"
#include "test_support.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <sys/stat.h>

static const std::string kData = std::string(CUVELO_TEST_DATA) + "/beerxml/";

static ForeignFile read_fixture(const std::string& name)
{
    ForeignFile content;
    std::string why;
    EXPECT_TRUE(read_beerxml_file(kData + name, &content, &why)) << why;
    return content;
}

static bool any_holds(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

struct QuirkCase {
    const char* file;
    const char* refusal; // part of the refusal, or nullptr when the file is read
    size_t recipes;
    const char* first_name;
    const char* said;                 // part of a normalising step or a correction that must be reported
    const char* unreadable = nullptr; // part of the note of a recipe that could not be read at all
};

static const QuirkCase kQuirks[] = {
    {"standard.xml", nullptr, 1, "Blonde du jardin", nullptr},
    {"bom_crlf.xml", nullptr, 1, "Bière de garde", "BOM"},
    {"windows1252_bytes.xml", nullptr, 1, "Bière de Noël", "Windows-1252"},
    {"latin1_declared.xml", nullptr, 1, "Cervoise dété", "iso-8859-1"},
    {"html_entities.xml", nullptr, 1, "Bière\u00a0blanche & co &foo; R&D <3", "entité(s) HTML"},
    {"several_top_level.xml", nullptr, 2, "Première", nullptr},
    {"mixed_case_tags.xml", nullptr, 1, "Casse-tête", "minuscules"},
    {"bad_values.xml", nullptr, 1, "Valeurs tordues", "« 2.4> » lu 2.4"},
    {"control_characters.xml", nullptr, 1, "Ambrée", "caractère(s) de contrôle"},
    {"doctype_plain.xml", nullptr, 1, "Avec DOCTYPE", "DOCTYPE"},
    {"recipe_root_only.xml", nullptr, 1, "Sans racine", nullptr},
    {"broken_second_recipe.xml", nullptr, 3, "Une", "XML abîmé"},
    {"doctype_entities.xml", "entités", 0, nullptr, nullptr},
    {"ingredients_only.xml", "aucune recette : 12 houblons, 30 malts", 0, nullptr, nullptr},
    {"namespaced_draft.xml", "brouillon BeerXML", 0, nullptr, nullptr},
    {"beersmith_native.bsmx", "BeerSmith", 0, nullptr, nullptr},
    {"beerjson.json", "BeerJSON", 0, nullptr, nullptr},
    // One broken recipe loses nothing of the others, wherever GMarkup notices the fault.
    {"unclosed_recipe.xml", nullptr, 3, "Une", "XML abîmé ligne 5"},
    {"broken_start_tag.xml", nullptr, 2, "Une", nullptr, "recette n° 2 illisible (XML abîmé ligne 6)"},
    {"tag_cut_before_recipe.xml", nullptr, 3, "Une", nullptr},
    // Valid UTF-8 stays UTF-8 whatever the declaration names; only the bytes that are not UTF-8 are
    // converted.
    {"utf8_declared_utf16.xml", nullptr, 1, "Bière d’été – Noël", "malgré la déclaration « utf-16 »"},
    {"utf8_declared_utf7.xml", nullptr, 1, "Bière d’été – Noël", "malgré la déclaration « utf-7 »"},
    {"utf8_declared_unknown.xml", nullptr, 1, "Bière d’été – Noël", "malgré la déclaration « x-klingon-1 »"},
    {"utf8_declared_latin1.xml", nullptr, 1, "Bière d’été – Noël", "malgré la déclaration « iso-8859-1 »"},
    {"mixed_utf8_latin1.xml", nullptr, 1, "Bière de garde", "2 octet(s) converti(s) de iso-8859-1"},
    // Characters that hide or reverse text never reach a title.
    {"hidden_characters.xml", nullptr, 1, "Revolver Blonde", "7 caractère(s) invisible(s)"},
    {"web_page.html", "page web (HTML)", 0, nullptr, nullptr},
    {"beerxml2_draft.xml", "brouillon BeerXML 2", 0, nullptr, nullptr},
    // The 1.1 draft declares its namespace as the default one: no tag holds a prefix.
    {"beerxml11_draft.xml", "brouillon BeerXML 1.1", 0, nullptr, nullptr},
    {"picobrew_ppg.xml", nullptr, 1, "Zymatic Pale", "points par livre et par gallon (PicoBrew)"},
    {"beersmith_ebc_colour.xml", nullptr, 1, "Brune en EBC", "COLOR écrit en EBC"},
    {"stated_estimates.xml", nullptr, 1, "Estimations et mesures", nullptr},
    // Brewken's files boil their "Aroma" hops for their TIME: they are read as it computed them.
    {"brewtarget_aroma_boil.xml", nullptr, 1, "Ambrée du Vexin", "USE Aroma compté par Brewken"},
    {"brewtarget_aroma_boil.xml", nullptr, 1, "Ambrée du Vexin", "TRUB_CHILLER_LOSS 1.5 L laissés en cuve"},
    {"brewtarget_aroma_boil.xml", nullptr, 1, "Ambrée du Vexin",
     "humidité (MOISTURE) retirée de 1 rendement"},
    // BrewMate states its colour and bitterness as CALCCOLOUR and CALCIBU.
    {"brewmate_calc_estimates.xml", nullptr, 1, "Blanche de printemps", nullptr},
    // Cuvelo has cones and pellets only: a plug is read as cones, and said.
    {"plug_hops.xml", nullptr, 1, "Bitter aux plugs",
     "« Goldings » : FORM Plug (cônes pressés) lu comme houblon"},
    // BeerSmith boils a concentrated wort and pours the equipment's TOP_UP_WATER into the fermenter.
    {"beersmith_top_up.xml", nullptr, 1, "Brune allongée", "TOP_UP_WATER 8 L versés au fermenteur"},
};

// What each writer meant by its figures, read back: PicoBrew's points per pound per gallon, BeerSmith's EBC
// colours (only where its display says the same number in EBC), Lovibond taken as SRM, and the writer's
// estimates preferred to its measures.
TEST(BeerXml, WritersQuirksAreReadAsTheyMeantThem)
{
    const ForeignRecipe pico = read_fixture("picobrew_ppg.xml").recipes.at(0);
    ASSERT_EQ(pico.fermentables.size(), 3u);
    EXPECT_NEAR(pico.fermentables[0].yield, 37 / 46.21 * 100, 1e-9);
    EXPECT_NEAR(pico.fermentables[2].yield, 46 / 46.21 * 100, 1e-9);
    EXPECT_NEAR(pico.fermentables[1].colour_ebc, 40 * 1.97, 1e-9);

    const ForeignRecipe ebc = read_fixture("beersmith_ebc_colour.xml").recipes.at(0);
    ASSERT_EQ(ebc.fermentables.size(), 3u);
    EXPECT_DOUBLE_EQ(ebc.fermentables[0].colour_ebc, 7.9);
    EXPECT_DOUBLE_EQ(ebc.fermentables[1].colour_ebc, 886.5);  // a roast keeps its colour
    EXPECT_NEAR(ebc.fermentables[2].colour_ebc, 118.2, 1e-9); // 60 °L, shown converted: read as SRM

    // A real recipe's yields are percents: none is read as points per gallon.
    const ForeignFile standard = read_fixture("standard.xml");
    for (const ForeignFermentable& f : standard.recipes.at(0).fermentables)
        EXPECT_TRUE(f.yield == 0 || f.yield > 46.21) << f.name;
    EXPECT_NEAR(standard.recipes.at(0).fermentables.at(0).colour_ebc, 1.6 * 1.97, 1e-9);

    const StatedFigures stated = read_fixture("stated_estimates.xml").recipes.at(0).stated;
    EXPECT_DOUBLE_EQ(stated.og, 1.048);
    EXPECT_DOUBLE_EQ(stated.fg, 1.011);
    EXPECT_NEAR(stated.colour_ebc, 6.5 * 1.97, 1e-9);
    EXPECT_DOUBLE_EQ(stated.ibu, 32.1);
    EXPECT_DOUBLE_EQ(stated.abv, 4.9);
    // Without estimates, the measures are what the file states.
    const StatedFigures measured = read_fixture("standard.xml").recipes.at(0).stated;
    EXPECT_DOUBLE_EQ(measured.og, 1.066);

    // BrewMate's own elements are its estimates.
    const StatedFigures brewmate = read_fixture("brewmate_calc_estimates.xml").recipes.at(0).stated;
    EXPECT_NEAR(brewmate.colour_ebc, 3.4 * 1.97, 1e-9);
    EXPECT_DOUBLE_EQ(brewmate.ibu, 14.2);
    EXPECT_DOUBLE_EQ(brewmate.og, 1.046);

    // Brewken's "Aroma" hop of 60 minutes is a boil of 60 minutes; one of 0 minutes stays at flame-out.
    // Brewtarget counts an "Aroma" hop for nothing (3.0.6 shows it "Post-Boil", 0 IBU): its files, like
    // another writer's, keep the format's meaning.
    std::string bytes;
    {
        gchar* text = nullptr;
        gsize length = 0;
        ASSERT_TRUE(
            g_file_get_contents((kData + "brewtarget_aroma_boil.xml").c_str(), &text, &length, nullptr));
        bytes.assign(text, length);
        g_free(text);
    }
    // Brewtarget's yields are on dry grain: the moisture comes off. Every writer's kettle loss joins the
    // batch, the wort at the end of the boil; the format's efficiency, into the fermenter, rises with it,
    // Brewtarget's being into the kettle already.
    const struct {
        const char* comment;
        const char* first_use;
        double pale_yield, efficiency;
    } writers[] = {{"generated by Brewtarget 2.3.0", "Aroma", 80 * 0.96, 72},
                   {"BeerXML Format generated by Brewtarget 3.0.6 on 2026-12-08", "Aroma", 80 * 0.96, 72},
                   {"BeerXML Format generated by Brewken 0.1.0", "Boil", 80 * 0.96, 72},
                   {"BeerXML Format - Generated by BeerSmith", "Aroma", 80, 72 * 21.5 / 20}};
    for (const auto& w : writers) {
        SCOPED_TRACE(w.comment);
        std::string file = bytes;
        const size_t from = file.find("<!--") + 4, to = file.find("-->");
        file.replace(from, to - from, std::string(" ") + w.comment + " ");
        const ForeignRecipe r = read_beerxml(file).recipes.at(0);
        ASSERT_EQ(r.hops.size(), 3u);
        EXPECT_EQ(r.hops[0].use, w.first_use);
        EXPECT_DOUBLE_EQ(r.hops[0].time, 60);
        EXPECT_EQ(r.hops[1].use, "Boil");
        EXPECT_EQ(r.hops[2].use, "Aroma");
        ASSERT_EQ(r.fermentables.size(), 2u);
        EXPECT_NEAR(r.fermentables[0].yield, w.pale_yield, 1e-9);
        EXPECT_DOUBLE_EQ(r.fermentables[1].yield, 74); // no MOISTURE, nothing taken off
        EXPECT_NEAR(r.batch_size, 21.5, 1e-9);
        EXPECT_NEAR(r.stated.efficiency, w.efficiency, 1e-9);
    }
    // A recipe Brewtarget 3.0.6 wrote: moist grains and the batch with its trub loss, its plug hop a cone.
    const ForeignRecipe brewtarget = read_fixture("brewtarget_export.xml").recipes.at(0);
    ASSERT_EQ(brewtarget.fermentables.size(), 3u);
    EXPECT_NEAR(brewtarget.fermentables[0].yield, 81 * 0.96, 1e-9);
    EXPECT_NEAR(brewtarget.fermentables[2].yield, 72 * 0.95, 1e-9);
    EXPECT_DOUBLE_EQ(brewtarget.batch_size, 21);
    EXPECT_DOUBLE_EQ(brewtarget.stated.efficiency, 72);
    EXPECT_EQ(brewtarget.hops.at(1).form, "Plug");
}

// A recipe Brewtarget wrote brews, under the extract model, the density Brewtarget states for it (its OG,
// worked out by its rule: 72 % of the moist grains' extract in 21 L of wort), and its plug hop is a cone.
TEST(BeerXml, BrewtargetRecipeKeepsTheDensityBrewtargetStates)
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.gravity_model = GravityModel::extract;
    const ForeignFile content = read_fixture("brewtarget_export.xml");
    const ImportedRecipe imported = import_foreign_recipe(content.recipes.at(0), reference_data());
    open_imported_recipe(imported);
    evaluate_recipe();
    EXPECT_NEAR(ws.estimates.final_volume, 21, 0.1);
    EXPECT_NEAR(ws.estimates.initial_density, 1053.4, 1.0);
    size_t plugs = 0;
    for (const RecipeLine& line : imported.recipe.lines)
        if (line.designation == "Aramis") {
            EXPECT_EQ(line.category, "HOUBLONCONE");
            plugs++;
        }
    EXPECT_EQ(plugs, 1u);
}

// A BeerSmith recipe topped up after the boil (8 of its 23 L): under the extract and Tinseth models the
// kettle holds about its BOIL_SIZE, and the estimates come near the density and bitterness it states, which
// boiling all the water would overstate by a fifth.
TEST(BeerXml, TopUpWaterIsPouredAfterTheBoilAsTheWriterBrewedIt)
{
    reset_workspace();
    use_worked_example_settings();
    ws.settings.litres_per_kilo = 3;
    ws.settings.pellet_yield = 1.1;
    ws.settings.gravity_model = GravityModel::extract;
    ws.settings.bitterness_model = BitternessModel::tinseth;
    const ForeignRecipe file = read_fixture("beersmith_top_up.xml").recipes.at(0);
    open_imported_recipe(import_foreign_recipe(file, reference_data()));
    evaluate_recipe();
    const Estimates e = ws.estimates;
    EXPECT_EQ(e.top_up_water, 8);         // one line of "8 L"
    EXPECT_NEAR(e.final_volume, 25, 0.1); // the batch and the trub left in the kettle
    const double kettle = e.mash_water * 0.9 + e.rinse_water - e.malt_kg;
    EXPECT_NEAR(kettle, 19.68, 0.5); // BOIL_SIZE
    EXPECT_NEAR(e.initial_density, 1046, 1);
    EXPECT_NEAR(e.bitterness_ibu / 20.0, 1, 0.1);
    // All the water boiled, as when the top-up was not read: far more bitter than the writer's.
    ForeignRecipe all_boiled = file;
    all_boiled.top_up_water = 0;
    open_imported_recipe(import_foreign_recipe(all_boiled, reference_data()));
    evaluate_recipe();
    EXPECT_NEAR(ws.estimates.initial_density, e.initial_density, 0.01);
    EXPECT_GT(ws.estimates.bitterness_ibu / 20.0, 1.15);
}

TEST(BeerXml, EachQuirkOfRealFilesIsReadOrRefusedByName)
{
    for (const QuirkCase& q : kQuirks) {
        SCOPED_TRACE(q.file);
        const ForeignFile content = read_fixture(q.file);
        if (q.refusal) {
            EXPECT_TRUE(content.refused);
            EXPECT_NE(content.refusal.find(q.refusal), std::string::npos) << content.refusal;
            continue;
        }
        ASSERT_FALSE(content.refused) << content.refusal;
        ASSERT_EQ(content.recipes.size(), q.recipes);
        EXPECT_EQ(content.recipes[0].name, q.first_name);
        std::vector<std::string> said = content.steps;
        for (const ForeignRecipe& r : content.recipes)
            said.insert(said.end(), r.corrections.begin(), r.corrections.end());
        if (q.said) {
            EXPECT_TRUE(any_holds(said, q.said)) << q.said;
        }
        EXPECT_EQ(any_holds(content.unreadable, q.unreadable ? q.unreadable : "illisible"),
                  q.unreadable != nullptr);
        // Every recipe keeps what it has: no recipe is lost for another's fault.
        for (const ForeignRecipe& r : content.recipes)
            EXPECT_FALSE(r.fermentables.empty() && r.hops.empty() && q.recipes > 1) << r.name;
    }
}

TEST(BeerXml, BadValuesAreReadByTheirLeadingNumberAndUnit)
{
    const ForeignRecipe r = read_fixture("bad_values.xml").recipes.at(0);
    EXPECT_NEAR(r.batch_size, 18.927, 0.001);           // "5.00 gal"
    EXPECT_NEAR(r.stated.og, 259 / (259 - 11.6), 1e-9); // "11.6 Plato"
    EXPECT_NEAR(r.stated.fg, 1.012, 1e-9);              // "1.012 SG"
    EXPECT_DOUBLE_EQ(r.carbonation, 2.4);               // "2.4>"
    ASSERT_EQ(r.fermentables.size(), 3u);
    EXPECT_NEAR(r.fermentables[0].amount, 4.536, 0.001);  // "10 lb"
    EXPECT_DOUBLE_EQ(r.fermentables[0].yield, 75);        // "-": the usual yield of a grain
    EXPECT_DOUBLE_EQ(r.fermentables[0].colour_ebc, 17.7); // "17.7 EBC" kept in EBC
    EXPECT_DOUBLE_EQ(r.fermentables[1].amount, 0.5);      // "0,5"
    EXPECT_DOUBLE_EQ(r.fermentables[2].amount, 0);        // "-2" is no amount
    EXPECT_DOUBLE_EQ(r.fermentables[2].yield, 100);       // 150 % is at most 100
    EXPECT_NEAR(r.hops.at(0).amount, 0.02835, 1e-5);      // "1 oz"
    EXPECT_EQ(r.hops[0].use, "Boil");                     // "Hop Stand" is no use the standard knows
    EXPECT_NEAR(r.yeasts.at(0).amount, 0.0115, 1e-9);     // "11.5 g"
}

// Each mapping rule, on the lines that the standard fixture becomes.
TEST(BeerXml, MappingOfEachRecordToCuveloLines)
{
    reset_workspace();
    const ImportedRecipe imported =
        import_foreign_recipe(read_fixture("standard.xml").recipes.at(0), reference_data());
    struct Expected {
        const char* designation;
        const char* category;
        const char* step;
        const char* quantity;
        const char* value;
        const char* yield;
        const char* time;
    };
    const Expected kLines[] = {
        {"Eau d'empâtage", "EAU", "EMPATAGE", "0 L", "0", "0", "0"},
        {"Pilsner", "MALT", "EMPATAGE", "5.2 KG", "3.15", "81", "0"}, // 1.6 °L read as SRM, × 1.97 EBC
        {"Wheat Malt", "MALTFROMENT", "EMPATAGE", "800 G", "3.94", "83", "0"},
        {"Crystal 40", "MALTSPECIAL", "EMPATAGE", "300 G", "78.8", "74", "0"},
        {"Munich Dark", "MALTSPECIAL", "EMPATAGE", "200 G", "59.1", "78", "0"}, // above 50 EBC
        {"Oats - Flaked", "FLOCON", "EMPATAGE", "250 G", "1.97", "70", "0"},    // the comma as " -"
        {"Rice Hulls", "GRAIN", "EMPATAGE", "100 G", "0", "0", "0"},
        {"Eau de rinçage", "EAU", "RINCAGE", "0 L", "0", "0", "0"},
        {"Candi Sugar - Clear", "SUCRE", "EBULLITION", "500 G", "0.99", "100", "0"}, // SRM × 1.97
        {"Light LME", "EXTRAITLIQUIDE", "EBULLITION", "1.5 KG", "7.88", "78", "0"},
        {"Light DME", "EXTRAITPOUDRE", "EBULLITION", "400 G", "5.91", "95", "0"},
        {"Saaz", "HOUBLONCONE", "EBULLITION", "40 G", "3.5", "0", "60"},
        {"Strisselspalt", "HOUBLONPELLET", "RINCAGE", "20 G", "3", "0", "75"},                // first wort
        {"Hallertau - Mittelfrüh", "HOUBLONPELLET", "AROMATISATION", "30 G", "4", "0", "20"}, // 80 °C
        {"Tettnang", "HOUBLONCONE", "AROMATISATION", "20 G", "4.5", "0", "15"}, // 85 °C, its minutes kept
        {"Cascade", "HOUBLONCONE", "AROMATISATION", "25 G", "6", "0", "5"},
        {"Citra", "HOUBLONPELLET", "FERMENTATION", "50 G", "12", "0", "4"}, // dry hop: 4 days
        {"Magnum", "HOUBLONCONE", "EMPATAGE", "10 G", "13", "0", "60"},     // mash hop
        {"Irish Moss", "AUTRE", "EBULLITION", "5 G", "0", "0", "15"},
        {"Lactic acid", "AUTRE", "EMPATAGE", "2 ML", "LACTIQUE", "80", "60"}, // a water agent: its acid line
        {"Belgian Ale", "LEVURE", "FERMENTATION", "11.5 G", "0", "80", "0"},
        {"House culture", "LEVURE", "FERMENTATION", "0.125 L", "0", "75", "0"}, // attenuation missing
    };
    ASSERT_EQ(imported.recipe.lines.size(), std::size(kLines));
    for (size_t i = 0; i < std::size(kLines); i++) {
        const RecipeLine& l = imported.recipe.lines[i];
        const Expected& x = kLines[i];
        SCOPED_TRACE(x.designation);
        EXPECT_EQ(l.designation, x.designation);
        EXPECT_EQ(l.category, x.category);
        EXPECT_EQ(l.step, x.step);
        EXPECT_EQ(l.quantity, x.quantity);
        EXPECT_EQ(l.value, x.value);
        EXPECT_EQ(l.yield, x.yield);
        EXPECT_EQ(l.time, x.time);
    }
    EXPECT_EQ(imported.recipe.title, "Blonde du jardin");
    EXPECT_EQ(imported.recipe.carbonation, "2.8 VOL");
    EXPECT_DOUBLE_EQ(imported.recipe.forced.litres, 20);
    EXPECT_EQ(imported.recipe.style.name,
              "Belgian Blond Ale"); // unknown to the database: built from its ranges
    EXPECT_EQ(imported.recipe.style.og_min, "1062");
    EXPECT_EQ(imported.recipe.style.ebc_max, "13.79");
    // The file's efficiency, boil time, rests and notes are the recipe's own.
    EXPECT_DOUBLE_EQ(imported.recipe.plan.efficiency, 68);
    EXPECT_DOUBLE_EQ(imported.recipe.plan.boil_minutes, 75);
    ASSERT_EQ(imported.recipe.plan.mash.size(), 2u);
    EXPECT_EQ(imported.recipe.plan.mash[1].name, "Mash out");
    EXPECT_EQ(imported.recipe.plan.mash[1].kind, MashStepKind::direct_heat);
    EXPECT_DOUBLE_EQ(imported.recipe.plan.mash[1].temperature, 76);
    EXPECT_EQ(imported.recipe.plan.notes, "Brassée pour la fête des voisins.");
    EXPECT_TRUE(any_holds(imported.read, "2 paliers d'empâtage"));
    // Its ions match no bundled profile: the water is named with them.
    EXPECT_TRUE(
        any_holds(imported.lost, "« Eau de Bruxelles » (Ca 100, Mg 10, Na 20, SO4 50, Cl 40, HCO3 200"));
    EXPECT_FALSE(any_holds(imported.lost, "notes"));
}

// What a writer's file carried and Cuvelo holds survives import then export: every line with its step and
// time (first wort, hop stand minutes, dry hop days, mash hop), its form, value and yield, and the recipe's
// efficiency, boil time, mash rests, notes and batch. A Brewtarget file's figures, once read as Brewtarget
// means them, are not corrected a second time.
TEST(BeerXml, WhatAnImportHoldsSurvivesItsExport)
{
    for (const char* file : {"standard.xml", "brewtarget_export.xml"}) {
        SCOPED_TRACE(file);
        reset_workspace();
        use_worked_example_settings();
        const ImportedRecipe first =
            import_foreign_recipe(read_fixture(file).recipes.at(0), reference_data());
        open_imported_recipe(first);
        evaluate_recipe();
        const ForeignFile again = read_beerxml(beerxml_document(recipe_report_on_screen(), nullptr));
        ASSERT_EQ(again.recipes.size(), 1u) << again.refusal;
        EXPECT_FALSE(any_holds(again.recipes[0].corrections, "Brewtarget"));
        const ImportedRecipe second = import_foreign_recipe(again.recipes[0], reference_data());
        const Recipe &a = first.recipe, &b = second.recipe;
        ASSERT_EQ(a.lines.size(), b.lines.size());
        for (size_t i = 0; i < a.lines.size(); i++) {
            const RecipeLine &x = a.lines[i], &y = b.lines[i];
            SCOPED_TRACE(x.designation);
            EXPECT_EQ(y.designation, x.designation);
            EXPECT_EQ(y.category, x.category);
            EXPECT_EQ(y.step, x.step);
            EXPECT_EQ(y.time, x.time);
            EXPECT_EQ(y.value, x.value);
            EXPECT_EQ(y.yield, x.yield);
            if (x.category != "EAU") { // the water is the forced volume's
                EXPECT_EQ(y.quantity, x.quantity);
            }
        }
        EXPECT_DOUBLE_EQ(b.plan.efficiency, a.plan.efficiency);
        EXPECT_DOUBLE_EQ(b.plan.boil_minutes, a.plan.boil_minutes);
        EXPECT_EQ(b.plan.notes, a.plan.notes);
        ASSERT_EQ(b.plan.mash.size(), a.plan.mash.size());
        for (size_t i = 0; i < a.plan.mash.size(); i++) {
            EXPECT_EQ(b.plan.mash[i].name, a.plan.mash[i].name);
            EXPECT_DOUBLE_EQ(b.plan.mash[i].temperature, a.plan.mash[i].temperature);
            EXPECT_DOUBLE_EQ(b.plan.mash[i].minutes, a.plan.mash[i].minutes);
        }
        EXPECT_NEAR(b.forced.litres, a.forced.litres, 1e-4);
    }
}

// A line of each kind at a step where it counts for nothing in Cuvelo, or where its use is not a boil's, with
// random figures: the round trip must bring each back to a line of the same effect.
static std::vector<RecipeLine> unusual_lines(std::mt19937& random)
{
    auto pick = [&](int lo, int hi) {
        return std::to_string(std::uniform_int_distribution<int>(lo, hi)(random));
    };
    const struct {
        const char *category, *designation, *quantity, *step;
        bool hop;
    } kinds[] = {
        {"MALTSPECIAL", "Grain au rinçage", " G", "RINCAGE", false},
        {"GRAIN", "Grain en ébullition", " G", "EBULLITION", false},
        {"SUCRE", "Sucre de mise en bouteille", " G", "FERMENTATION", false},
        {"SUCRE", "Sucre à l'aromatisation", " G", "AROMATISATION", false},
        {"LEVURE", "Levure morte", " G", "EBULLITION", false},
        {"EAU", "Eau d'appoint", " L", "FERMENTATION", false},
        {"AUTRE", "Mousse d'Irlande", " G", "EBULLITION", false},
        {"MALT", "Malt à une étape inconnue", " G", "CUVE", false},
        {"HOUBLONPELLET", "Houblon à cru", " G", "FERMENTATION", true},
        {"HOUBLONCONE", "Houblon premier moût", " G", "RINCAGE", true},
        {"HOUBLONCONE", "Houblon à l'empâtage", " G", "EMPATAGE", true},
        {"HOUBLONPELLET", "Houblon à une étape inconnue", " G", "CUVE", true},
        {"HOUBLONCONE", "Houblon d'aromatisation", " G", "AROMATISATION", true},
    };
    std::vector<RecipeLine> lines;
    for (const auto& k : kinds) {
        if (random() % 2)
            continue;
        RecipeLine l;
        l.category = k.category;
        l.designation = k.designation;
        l.quantity = pick(1, 400) + k.quantity;
        l.value = k.hop ? pick(2, 15) : pick(2, 1400);
        l.yield = pick(60, 100);
        l.time = pick(0, 20);
        l.step = k.step;
        lines.push_back(l);
    }
    return lines;
}

// Cuvelo → BeerXML → Cuvelo gives the same estimates within display rounding, for every kind of line and
// step, forced or not, dark roasts included, under the recipe's own efficiency or the configuration's.
TEST(BeerXml, RoundTripKeepsTheEstimatesWithinRounding)
{
    std::mt19937 random(15);
    for (int trial = 0; trial < 120; trial++) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        reset_workspace();
        use_worked_example_settings();
        ws.settings.litres_per_kilo = 3;
        ws.settings.boil_minutes = 60;
        ws.settings.colour_model = trial % 2 ? ColourModel::morey : ColourModel::linear;
        ws.styles[1].name = "Pas de Style";
        ws.style_count = 1;
        // Every fifth recipe under the extract and Tinseth models, topped up in the fermenter with less water
        // than the batch (the import leaves out a top-up that is the whole batch).
        const bool topped_up = trial % 5 == 2;
        std::vector<RecipeLine> lines = random_recipe(random);
        for (const RecipeLine& line : unusual_lines(random))
            if (!(topped_up && line.category == "EAU"))
                lines.insert(lines.begin() + static_cast<long>(random() % (lines.size() + 1)), line);
        for (const RecipeLine& line : lines)
            add_recipe_line(line);
        if (topped_up) {
            ws.settings.gravity_model = GravityModel::extract;
            ws.settings.bitterness_model = BitternessModel::tinseth;
            const std::string litres = std::to_string(std::uniform_int_distribution<int>(2, 10)(random));
            add_recipe_line("", "EAU", "Eau d'appoint", litres + " L", "", "", "", "FERMENTATION", "");
        }
        if (trial % 3 == 0)
            ws.plan.efficiency = std::uniform_int_distribution<int>(550, 850)(random) / 10.0;
        if (trial % 4 != 1) {
            ws.forced_volume = std::uniform_int_distribution<int>(15, 30)(random); // the water follows
            ws.volume_forced = 1;
        }
        // The fermentation's stages: the format holds four, without their names.
        std::vector<FermentationStep> fermentation = random_fermentation(random);
        if (fermentation.size() > 4)
            fermentation.resize(4);
        ws.plan.fermentation = fermentation;
        evaluate_recipe();
        const Estimates before = ws.estimates;
        const ForeignFile content = read_beerxml(beerxml_document(recipe_report_on_screen(), nullptr));
        ASSERT_EQ(content.recipes.size(), 1u) << content.refusal;
        const std::vector<FermentationStep>& stages = content.recipes[0].fermentation;
        ASSERT_EQ(stages.size(), fermentation.size());
        for (size_t i = 0; i < stages.size(); i++) {
            static const char* const kStageNames[] = {"Primaire", "Secondaire", "Tertiaire", "Garde"};
            EXPECT_EQ(stages[i].name, kStageNames[i]);
            EXPECT_DOUBLE_EQ(stages[i].temperature, fermentation[i].temperature);
            EXPECT_DOUBLE_EQ(stages[i].days, fermentation[i].days);
        }
        ws.settings.efficiency = 0.6; // the file's efficiency is the recipe's own, whatever the brewery's
        open_imported_recipe(import_foreign_recipe(content.recipes[0], reference_data()));
        evaluate_recipe();
        const Estimates& after = ws.estimates;
        EXPECT_NEAR(after.final_volume, before.final_volume, 0.005);
        EXPECT_EQ(after.top_up_water, before.top_up_water);
        EXPECT_EQ(before.top_up_water > 0, topped_up);
        EXPECT_NEAR(after.initial_density, before.initial_density, 0.011);
        EXPECT_NEAR(after.final_density, before.final_density, 0.011);
        EXPECT_NEAR(after.alcohol, before.alcohol, 0.005);
        EXPECT_NEAR(after.bitterness_ibu, before.bitterness_ibu, 0.05);
        EXPECT_NEAR(after.colour_ebc, before.colour_ebc, 0.05);
        EXPECT_NEAR(after.malt_kg, before.malt_kg, 1e-9);
        EXPECT_NEAR(after.hop_kg, before.hop_kg, 1e-9);
    }
}

// The elements the standard requires, in its order, for each record the export writes.
struct RequiredElements {
    const char* record;
    std::vector<const char*> elements;
};
static const RequiredElements kRequired[] = {
    {"RECIPE",
     {"NAME", "VERSION", "TYPE", "STYLE", "EQUIPMENT", "BREWER", "BATCH_SIZE", "BOIL_SIZE", "BOIL_TIME",
      "EFFICIENCY", "HOPS", "FERMENTABLES", "MISCS", "YEASTS", "WATERS", "MASH"}},
    // Brewtarget's schema requires the equipment; the others are what it builds the batch from.
    {"EQUIPMENT",
     {"NAME", "VERSION", "BOIL_SIZE", "BATCH_SIZE", "TUN_VOLUME", "TUN_WEIGHT", "TUN_SPECIFIC_HEAT",
      "TOP_UP_WATER", "TRUB_CHILLER_LOSS", "EVAP_RATE", "BOIL_TIME", "CALC_BOIL_VOLUME", "LAUTER_DEADSPACE",
      "TOP_UP_KETTLE", "HOP_UTILIZATION", "REAL_EVAP_RATE", "ABSORPTION"}},
    {"STYLE",
     {"NAME", "CATEGORY", "VERSION", "CATEGORY_NUMBER", "STYLE_LETTER", "STYLE_GUIDE", "TYPE", "OG_MIN",
      "OG_MAX", "FG_MIN", "FG_MAX", "IBU_MIN", "IBU_MAX", "COLOR_MIN", "COLOR_MAX"}},
    {"HOP", {"NAME", "VERSION", "ALPHA", "AMOUNT", "USE", "TIME"}},
    {"FERMENTABLE", {"NAME", "VERSION", "TYPE", "AMOUNT", "YIELD", "COLOR", "IS_MASHED"}},
    {"YEAST", {"NAME", "VERSION", "TYPE", "FORM", "AMOUNT"}},
    {"MISC", {"NAME", "VERSION", "TYPE", "USE", "TIME", "AMOUNT"}},
    {"WATER",
     {"NAME", "VERSION", "AMOUNT", "CALCIUM", "BICARBONATE", "SULFATE", "CHLORIDE", "SODIUM", "MAGNESIUM"}},
    {"MASH", {"NAME", "VERSION", "GRAIN_TEMP", "MASH_STEPS"}},
    {"MASH_STEP", {"NAME", "VERSION", "TYPE", "STEP_TEMP", "STEP_TIME"}},
};

// Checks each occurrence of each record: its required children in order, among its direct children.
static void expect_required_elements(const std::string& document)
{
    for (const RequiredElements& r : kRequired) {
        const std::string open = std::string("<") + r.record + ">",
                          close = std::string("</") + r.record + ">";
        size_t count = 0;
        for (size_t at = document.find(open); at != std::string::npos; at = document.find(open, at + 1)) {
            count++;
            const std::string body = document.substr(at, document.find(close, at) - at);
            // Direct children sit one indentation step (two spaces) deeper than the record's tag.
            const size_t line_start = document.rfind('\n', at) + 1;
            const std::string indent = std::string(at - line_start + 2, ' ');
            size_t position = 0;
            for (const char* element : r.elements) {
                const size_t found = body.find("\n" + indent + "<" + element + ">", position);
                EXPECT_NE(found, std::string::npos) << r.record << " lacks " << element << " in order";
                position = found == std::string::npos ? position : found;
            }
        }
        EXPECT_GT(count, 0u) << r.record;
    }
}

static bool xmllint_accepts(const std::string& path, std::string* complaint)
{
    gchar* err = nullptr;
    gint status = 1;
    const std::string command = "xmllint --noout " + path;
    if (!g_spawn_command_line_sync(command.c_str(), nullptr, &err, &status, nullptr))
        return false;
    *complaint = err ? err : "";
    g_free(err);
    return status == 0;
}

TEST(BeerXml, ExportIsWellFormedWithEveryRequiredElementAndClampsOutOfRangeValues)
{
    gchar* xmllint = g_find_program_in_path("xmllint");
    g_free(xmllint);
    if (!xmllint)
        GTEST_SKIP() << "xmllint is not installed (libxml2-utils)";
    ScratchDir scratch;
    load_worked_example();
    ws.settings.rest_first[2] = 66;
    ws.settings.rest_minutes[2] = 60;
    ws.style = StyleEntry{
        "Pas de Catégorie", "Pas de Style",      "0", "9999", "0", "9999", "0", "9999", "0", "9999",
        "style0",           "Pas de description"};
    ws.title = "Bière <spéciale> & \"amis\"";
    add_recipe_line("", "AUTRE", "Coriandre", "10 G", "0", "0", "-5", "EBULLITION", "");
    add_recipe_line("", "LEVURE", " ", "11 G", "0", "70", "0", "FERMENTATION",
                    ""); // named: schemas want a name
    add_recipe_line("", "GRAIN", "Orge torréfiée", "150 G", "1200", "70", "0", "EMPATAGE", "");
    std::vector<std::string> clamped;
    std::string why;
    evaluate_recipe(); // the export writes the estimates its caller hands it
    ASSERT_TRUE(export_beerxml("export.xml", recipe_report_on_screen(), &clamped, &why)) << why;
    std::string complaint;
    EXPECT_TRUE(xmllint_accepts("export.xml", &complaint)) << complaint;
    const std::string document = read_file("export.xml");
    expect_required_elements(document);
    EXPECT_NE(document.find("<NAME>Bière &lt;spéciale&gt; &amp; &quot;amis&quot;</NAME>"), std::string::npos);
    EXPECT_EQ(document.find("e+"), std::string::npos) << "no exponent: schemas read xs:decimal";
    EXPECT_NE(document.find("<NAME>Sans nom</NAME>"), std::string::npos);
    // The strike and rinse water's temperatures, as the brew day pours them, for programs that show them.
    const BrewDay day = brew_day_on_screen();
    ASSERT_GT(day.mash.strike_temperature, 66);
    EXPECT_NE(document.find("<STEP_TIME>60</STEP_TIME>\n          <INFUSE_TEMP>" +
                            plain_decimal(day.mash.strike_temperature, 1) + "</INFUSE_TEMP>"),
              std::string::npos);
    EXPECT_NE(
        document.find("<SPARGE_TEMP>" + plain_decimal(day.mash.sparge_temperature, 1) + "</SPARGE_TEMP>"),
        std::string::npos);
    EXPECT_TRUE(any_holds(clamped, "TIME -5 ramené à 0"));
    // A roast grain keeps its colour: the 300 SRM bound is the estimated colour's and the styles' only.
    EXPECT_FALSE(any_holds(clamped, "COLOR"));
    EXPECT_NE(document.find("<COLOR>609.1371</COLOR>"), std::string::npos);
    // "Pas de Style" has open ranges, 0 to 9999: they are no value the brewer typed.
    EXPECT_FALSE(any_holds(clamped, "style")) << clamped.front();
}

// A style's ranges: the open bounds of the style database ("0" and "9999") leave as the format's own bounds
// without a word; a bound the brewer typed is said when it had to be brought within the format's.
TEST(BeerXml, OpenStyleBoundsLeaveSilentlyAndTypedOnesAreSaidWhenClamped)
{
    const auto style = [](const char* og_min, const char* og_max, const char* ibu_max, const char* ebc_max) {
        StyleEntry s{"Cat", "Typé", og_min, og_max, "0", "9999", "0", "9999", "0", "9999", "style0", ""};
        s.ibu_max = ibu_max;
        s.ebc_max = ebc_max;
        return s;
    };
    const struct {
        StyleEntry style;
        std::vector<std::string> said;
        std::vector<std::string> written;
    } cases[] = {
        {style("0", "9999", "9999", "9999"),
         {},
         {"<OG_MIN>0.99</OG_MIN>", "<OG_MAX>1.2</OG_MAX>", "<FG_MIN>0.99</FG_MIN>", "<FG_MAX>1.2</FG_MAX>",
          "<IBU_MIN>0</IBU_MIN>", "<IBU_MAX>5000</IBU_MAX>", "<COLOR_MIN>0</COLOR_MIN>",
          "<COLOR_MAX>300</COLOR_MAX>"}},
        {style("1040", "1060", "40", "30"),
         {},
         {"<OG_MIN>1.04</OG_MIN>", "<OG_MAX>1.06</OG_MAX>", "<IBU_MAX>40</IBU_MAX>"}},
        {style("950", "1300", "6000", "700"),
         {"OG_MIN 0.95 ramené à 0.99", "OG_MAX 1.3 ramené à 1.2", "IBU_MAX 6000 ramené à 5000",
          "COLOR_MAX 355.33 ramené à 300"},
         {"<OG_MIN>0.99</OG_MIN>", "<COLOR_MAX>300</COLOR_MAX>"}},
        {style("0", "1300", "9999", "10000"),
         {"OG_MAX 1.3 ramené à 1.2", "COLOR_MAX 5076.142 ramené à 300"},
         {"<OG_MIN>0.99</OG_MIN>"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style.og_min + " " + c.style.og_max + " " + c.style.ibu_max + " " + c.style.ebc_max);
        load_worked_example();
        ws.style = c.style;
        evaluate_recipe();
        std::vector<std::string> clamped;
        const std::string document = beerxml_document(recipe_report_on_screen(), &clamped);
        std::vector<std::string> about_style;
        for (const std::string& line : clamped)
            if (line.find("style « Typé »") == 0)
                about_style.push_back(line.substr(std::string("style « Typé » : ").size()));
        EXPECT_EQ(about_style, c.said);
        for (const std::string& element : c.written)
            EXPECT_NE(document.find(element), std::string::npos) << element;
    }
}

// The content decides between the two readers; looking at it never blocks on a FIFO nor reads a device.
TEST(BeerXml, ContentSniffingReadsOnlyRegularFilesWithoutBlocking)
{
    ScratchDir scratch;
    write_file("recette.xml", "TITRE\tUne recette Cuvelo malgré son nom\n");
    write_file("recette.cvl", "\xEF\xBB\xBF  <RECIPES/>");
    write_file("export.json", "{\"recipes\": []}");
    EXPECT_EQ(format_of_file("recette.xml"), RecipeFormat::cvl);
    EXPECT_EQ(format_of_file("recette.cvl"), RecipeFormat::beerxml);
    EXPECT_EQ(format_of_file("export.json"), RecipeFormat::json);
    ASSERT_EQ(mkfifo("tube.xml", 0644), 0); // with no writer, a blocking open would never return
    EXPECT_EQ(format_of_file("tube.xml"), RecipeFormat::cvl);
    ForeignFile content;
    std::string why;
    EXPECT_FALSE(read_beerxml_file("tube.xml", &content, &why));
    EXPECT_EQ(why, "ce n'est pas un fichier ordinaire");
}

// The import message stays short whatever the file: names cut to 120 characters with "…", at most 30
// corrections and 10 unreadable recipes listed, then how many more.
TEST(BeerXml, ImportMessageIsBoundedWhateverTheFile)
{
    const std::string huge(1 << 20, 'x'), long_name(10000, 'h');
    std::string twenty_hops, waters, unreadable;
    for (int i = 0; i < 20; i++)
        twenty_hops += "<HOP><NAME>" + long_name + "</NAME><AMOUNT>1 " + long_name + "</AMOUNT></HOP>";
    for (int i = 0; i < 300; i++)
        waters += "<WATER><NAME>" + long_name + "</NAME></WATER>";
    for (int i = 0; i < 5000; i++)
        unreadable += "<RECIPE x=1>";
    const struct {
        const char* what;
        std::string file;
        const char* said;
    } cases[] = {
        {"a 1 MB name", "<RECIPE><NAME>" + huge + "</NAME></RECIPE>", "Recette « xxxxxxxxxx"},
        {"twenty hops of 10 kB names", "<RECIPE><HOPS>" + twenty_hops + "</HOPS></RECIPE>", "… et 11 autres"},
        {"a 1 MB value", "<RECIPE><BATCH_SIZE>" + huge + "</BATCH_SIZE></RECIPE>", "BATCH_SIZE « xxxxx"},
        {"300 waters of 10 kB names", "<RECIPE><WATERS>" + waters + "</WATERS></RECIPE>", "… et 249 autres"},
        {"5,000 unreadable recipes", "<RECIPE><NAME>Lue</NAME></RECIPE>" + unreadable, "… et 4989 autres"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ForeignFile content = read_beerxml(c.file);
        ASSERT_FALSE(content.recipes.empty()) << content.refusal;
        reset_workspace();
        const ImportedRecipe imported = import_foreign_recipe(content.recipes[0], reference_data());
        const std::string message = import_message(imported, content, ws.estimates, 75);
        EXPECT_LT(message.size(), 24000u);
        EXPECT_NE(message.find(c.said), std::string::npos) << message;
        EXPECT_LE(g_utf8_strlen(foreign_recipe_label(content, 0).c_str(), -1), 121);
        // Every quoted text is cut on a character boundary with "…".
        for (size_t at = message.find("« "); at != std::string::npos; at = message.find("« ", at + 1)) {
            const size_t end = message.find(" »", at);
            ASSERT_NE(end, std::string::npos);
            EXPECT_LE(g_utf8_strlen(message.substr(at + 3, end - at - 3).c_str(), -1), 121);
        }
    }
}

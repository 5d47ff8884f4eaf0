// tests/beerjson_test.cpp — BeerJSON: one table row per fixture shape, the unit conversions, the reading of
// each record and timing, the refusals of hostile files, the round trip Cuvelo → BeerJSON → Cuvelo and the
// exported document's required members.
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "random_recipe.h"
#include "recipe/formats/beerjson_read.h"
#include "recipe/formats/beerjson_units.h"
#include "recipe/formats/beerjson_write.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/recipe_format.h"
#include "recipe/list_edit.h"
#include "refdata/water_profiles.h"
#include "test_support.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <json-glib/json-glib.h>

#include <cmath>
#include <random>
#include <string>

static const std::string kData = std::string(CUVELO_TEST_DATA) + "/beerjson/";

static ForeignFile read_fixture(const std::string& name)
{
    ForeignFile content;
    std::string why;
    EXPECT_TRUE(read_beerjson_file(kData + name, &content, &why)) << why;
    return content;
}

static bool any_holds(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

struct FixtureCase {
    const char* file;
    const char* refusal; // part of the refusal, or nullptr when the file is read
    size_t recipes;
    const char* first_name;
    const char* said = nullptr;       // part of a step or a correction that must be reported
    const char* unreadable = nullptr; // part of the note of a recipe that could not be read
};

static const FixtureCase kFixtures[] = {
    {"two_recipes.json", nullptr, 2, "Blonde d'automne"},
    {"us_units.json", nullptr, 1, "American Pale Ale", "sachet"},
    {"timings.json", nullptr, 1, "Every timing", "timing add_to_boil"},
    {"faulty_values.json", nullptr, 1, "Valeurs fautives", "unité « furlong » inconnue",
     "ce n'est pas un objet JSON"},
    {"bom_version3.json", nullptr, 1, "Bom", "version BeerJSON 3.5 inconnue"},
    {"comments_and_ranges.json", nullptr, 1, "Bitter d'hiver", "1 sachet(s) lu(s) comme 11 g"},
    {"ingredients_only.json", "aucune recette : 2 malts, 1 houblon", 0, nullptr},
    {"other_program.json", "JSON d'un autre programme", 0, nullptr},
    {"truncated.json", "mal formé (ligne", 0, nullptr},
    {"plug_hops.json", nullptr, 1, "Bitter aux plugs",
     "« Goldings » : form plug (cônes pressés) lu comme houblon"},
};

TEST(BeerJson, EachFixtureIsReadOrRefusedByName)
{
    for (const FixtureCase& q : kFixtures) {
        SCOPED_TRACE(q.file);
        const ForeignFile content = read_fixture(q.file);
        EXPECT_EQ(content.format, "BeerJSON");
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
        } else {
            EXPECT_TRUE(said.empty()) << said.front();
        }
        EXPECT_EQ(any_holds(content.unreadable, q.unreadable ? q.unreadable : "illisible"),
                  q.unreadable != nullptr);
    }
}

struct UnitCase {
    JsonMeasure kind;
    const char* unit;
    double value;
    double expected; // in the kind's unit
};

static const UnitCase kUnits[] = {
    {JsonMeasure::mass, "kg", 2, 2},
    {JsonMeasure::mass, "g", 250, 0.25},
    {JsonMeasure::mass, "mg", 500, 0.0005},
    {JsonMeasure::mass, "lb", 1, 0.45359237},
    {JsonMeasure::mass, "oz", 16, 0.45359237},
    {JsonMeasure::mass, "KG", 1, 1},
    {JsonMeasure::volume, "l", 3, 3},
    {JsonMeasure::volume, "L", 3, 3},
    {JsonMeasure::volume, "ml", 500, 0.5},
    {JsonMeasure::volume, "tsp", 6, 0.0295735295625},
    {JsonMeasure::volume, "tbsp", 2, 0.0295735295625},
    {JsonMeasure::volume, "floz", 1, 0.0295735295625},
    {JsonMeasure::volume, "cup", 2, 0.473176473},
    {JsonMeasure::volume, "pt", 2, 0.946352946},
    {JsonMeasure::volume, "qt", 4, 3.785411784},
    {JsonMeasure::volume, "gal", 1, 3.785411784},
    {JsonMeasure::volume, "bbl", 1, 117.347765304},
    {JsonMeasure::volume, "ifloz", 1, 0.0284130625},
    {JsonMeasure::volume, "ipt", 1, 0.56826125},
    {JsonMeasure::volume, "iqt", 1, 1.1365225},
    {JsonMeasure::volume, "igal", 1, 4.54609},
    {JsonMeasure::volume, "ibbl", 1, 163.65924},
    {JsonMeasure::temperature, "C", 65, 65},
    {JsonMeasure::temperature, "F", 212, 100},
    {JsonMeasure::temperature,
     "\xC2\xB0"
     "F",
     32, 0},
    {JsonMeasure::time, "min", 60, 60},
    {JsonMeasure::time, "sec", 90, 1.5},
    {JsonMeasure::time, "hr", 1.5, 90},
    {JsonMeasure::time, "day", 2, 2880},
    {JsonMeasure::time, "week", 1, 10080},
    {JsonMeasure::colour, "EBC", 20, 20},
    {JsonMeasure::colour, "SRM", 10, 19.7},
    {JsonMeasure::colour, "Lovi", 10, 1.97 * (13.546 - 0.76)},
    {JsonMeasure::colour, "Lovi", 0.2, 0}, // the pale end of the Lovibond line
    {JsonMeasure::gravity, "sg", 1.05, 1.05},
    {JsonMeasure::gravity, "sg", 1050, 1.05},
    {JsonMeasure::gravity, "plato", 12, 259.0 / 247},
    {JsonMeasure::gravity, "brix", 12, 259.0 / 247},
    {JsonMeasure::percent, "%", 75, 75},
    {JsonMeasure::carbonation, "vols", 2.5, 2.5},
    {JsonMeasure::carbonation, "g/l", 5, 5 / 1.977},
    {JsonMeasure::bitterness, "IBUs", 30, 30},
    {JsonMeasure::acidity, "pH", 5.4, 5.4},
};

TEST(BeerJson, EveryUnitOfTheStandardConvertsToCuvelosUnit)
{
    for (const UnitCase& u : kUnits) {
        SCOPED_TRACE(u.unit);
        double x = -1;
        ASSERT_TRUE(beerjson_convert(u.kind, u.unit, u.value, &x));
        EXPECT_NEAR(x, u.expected, 1e-9 * std::max(1.0, u.expected));
    }
    double x = 0;
    EXPECT_FALSE(beerjson_convert(JsonMeasure::mass, "l", 1, &x));
    EXPECT_FALSE(beerjson_convert(JsonMeasure::volume, "kg", 1, &x));
    EXPECT_FALSE(beerjson_convert(JsonMeasure::colour, "", 1, &x));
    EXPECT_FALSE(beerjson_convert(JsonMeasure::time, "fortnight", 1, &x));
}

TEST(BeerJson, RecordsOfMetricFileAreReadWithTheirPlan)
{
    const ForeignFile content = read_fixture("two_recipes.json");
    ASSERT_EQ(content.recipes.size(), 2u);
    const ForeignRecipe& r = content.recipes[0];
    EXPECT_DOUBLE_EQ(r.batch_size, 23);
    EXPECT_DOUBLE_EQ(r.stated.efficiency, 72);
    EXPECT_DOUBLE_EQ(r.boil_time, 75);
    EXPECT_DOUBLE_EQ(r.carbonation, 2.6);
    EXPECT_DOUBLE_EQ(r.stated.og, 1.062);
    EXPECT_DOUBLE_EQ(r.stated.ibu, 22);
    EXPECT_EQ(r.notes_text, "Brassée pour la fête du village.");
    ASSERT_EQ(r.fermentables.size(), 3u);
    EXPECT_EQ(r.fermentables[1].type, "Adjunct");
    EXPECT_DOUBLE_EQ(r.fermentables[1].amount, 0.3);
    EXPECT_EQ(r.fermentables[2].type, "Sugar");
    EXPECT_NEAR(r.fermentables[2].yield, 100, 1e-9);
    ASSERT_EQ(r.hops.size(), 1u);
    EXPECT_EQ(r.hops[0].use, "Boil");
    EXPECT_EQ(r.hops[0].form, "Pellet");
    EXPECT_DOUBLE_EQ(r.hops[0].time, 60);
    ASSERT_EQ(r.yeasts.size(), 1u);
    EXPECT_TRUE(r.yeasts[0].is_weight);
    EXPECT_DOUBLE_EQ(r.yeasts[0].attenuation, 82);
    ASSERT_EQ(r.miscs.size(), 1u);
    EXPECT_EQ(r.miscs[0].use, "Boil");
    // The water gives its ions: it is read as a water, not only named.
    EXPECT_TRUE(r.waters.empty());
    ASSERT_EQ(r.water_ions.size(), 1u);
    EXPECT_EQ(r.water_ions[0].name, "Eau de Pilsen");
    EXPECT_DOUBLE_EQ(r.water_ions[0].ions.hco3, 15);
    // The sparge is Cuvelo's rinse water, not a rest.
    ASSERT_EQ(r.mash.size(), 2u);
    EXPECT_EQ(r.mash_steps, 2);
    EXPECT_EQ(r.mash[1].kind, MashStepKind::direct_heat);
    EXPECT_DOUBLE_EQ(r.mash[1].temperature, 78);
    ASSERT_EQ(r.fermentation.size(), 2u);
    EXPECT_EQ(r.fermentation[1].name, "Garde");
    EXPECT_DOUBLE_EQ(r.fermentation[1].temperature, 4);
    EXPECT_DOUBLE_EQ(r.fermentation[1].days, 0); // no step time: none set
    // The recipe names its style; the ranges come from the file's style record.
    EXPECT_TRUE(r.style.present);
    EXPECT_EQ(r.style.category, "Belges");
    EXPECT_DOUBLE_EQ(r.style.og_max, 1.075);
    EXPECT_NEAR(r.style.ebc_max, 7 * 1.97, 1e-9);
    EXPECT_EQ(r.style.notes, "Blonde forte et sèche.");
    // A recipe without a style or its own plan keeps the open defaults.
    EXPECT_FALSE(content.recipes[1].style.present);
    EXPECT_LT(content.recipes[1].boil_time, 0);
    EXPECT_TRUE(content.recipes[1].mash.empty());
}

TEST(BeerJson, RecordsOfUsFileAreConvertedFromTheirOwnUnits)
{
    const ForeignRecipe r = read_fixture("us_units.json").recipes.at(0);
    EXPECT_NEAR(r.batch_size, 5.5 * 3.785411784, 1e-9);
    ASSERT_EQ(r.fermentables.size(), 4u);
    EXPECT_NEAR(r.fermentables[0].amount, 4.5359237, 1e-9);
    EXPECT_NEAR(r.fermentables[0].colour_ebc, 1.97 * (1.3546 * 1.8 - 0.76), 1e-9);
    EXPECT_NEAR(r.fermentables[0].yield, 37 / 46.21 * 100, 1e-9);
    EXPECT_NEAR(r.fermentables[1].amount, 0.3401942775, 1e-12);
    EXPECT_NEAR(r.fermentables[1].yield, 72, 1e-9);
    EXPECT_NEAR(r.fermentables[1].colour_ebc, 78.8, 1e-9);
    EXPECT_EQ(r.fermentables[2].type, "Dry Extract");
    EXPECT_NEAR(r.fermentables[2].amount, 0.25, 1e-12);
    EXPECT_NEAR(r.fermentables[2].yield, (259 / (259 - 10.35) - 1) * 1000 / 46.21 * 100, 1e-9);
    EXPECT_NEAR(r.fermentables[3].amount, 0.7, 1e-12); // half a litre of honey
    EXPECT_NEAR(r.hops[0].time, 60, 1e-12);
    EXPECT_NEAR(r.hops[1].time, 15, 1e-12);
    EXPECT_NEAR(r.hops[1].alpha, 10, 1e-12); // a quoted number
    EXPECT_EQ(r.hops[0].form, "Leaf");
    EXPECT_NEAR(r.yeasts[0].amount, 0.022, 1e-12); // two packets
    EXPECT_TRUE(r.yeasts[0].is_weight);
    EXPECT_EQ(r.miscs[0].use, "Mash");
    EXPECT_FALSE(r.miscs[0].is_weight);
    EXPECT_NEAR(r.miscs[0].amount, 0.0295735295625 / 6, 1e-12);
    EXPECT_TRUE(r.miscs[1].is_weight);
    ASSERT_EQ(r.mash.size(), 2u);
    EXPECT_NEAR(r.mash[0].temperature, (152 - 32) / 1.8, 1e-9);
    EXPECT_NEAR(r.mash[0].minutes, 60, 1e-12);
    EXPECT_EQ(r.mash[1].kind, MashStepKind::decoction);
    EXPECT_NEAR(r.mash[1].temperature, 76, 1e-9);
    EXPECT_NEAR(r.stated.og, 259.0 / 246, 1e-9);
    EXPECT_NEAR(r.stated.fg, 259 / 256.5, 1e-9);
    EXPECT_NEAR(r.stated.colour_ebc, 15.76, 1e-9);
    EXPECT_TRUE(r.notes); // the taste notes, which have no place in Cuvelo
    EXPECT_TRUE(r.notes_text.empty());
}

struct TimingCase {
    const char* use;
    double minutes;
    double temperature;
};

// In the order of timings.json: mash, first wort (boils the whole boil), boil, hop stand at 80 °C, dry hop
// for 4 days, keg hop for a week, and a hop with no timing, said and boiled.
static const TimingCase kTimings[] = {
    {"Mash", 60, -1},      {"First Wort", 90, -1}, {"Boil", 60, -1}, {"Aroma", 20, 80},
    {"Dry Hop", 5760, -1}, {"Dry Hop", 10080, -1}, {"Boil", 0, -1},
};

TEST(BeerJson, EveryTimingKindGivesItsUse)
{
    const ForeignRecipe r = read_fixture("timings.json").recipes.at(0);
    ASSERT_EQ(r.hops.size(), std::size(kTimings));
    for (size_t i = 0; i < r.hops.size(); i++) {
        SCOPED_TRACE(r.hops[i].name);
        EXPECT_EQ(r.hops[i].use, kTimings[i].use);
        EXPECT_NEAR(r.hops[i].time, kTimings[i].minutes, 1e-9);
        EXPECT_NEAR(r.hops[i].temperature, kTimings[i].temperature, 1e-9);
    }
}

// A file as an exporting program writes it: comments before the JSON, numbers with exponents, the culture's
// range of attenuation in the addition, a hop's duration beside its time into the step.
TEST(BeerJson, ExportingProgramsQuirksAreRead)
{
    const ForeignRecipe r = read_fixture("comments_and_ranges.json").recipes.at(0);
    EXPECT_NEAR(r.batch_size, 20.8198, 1e-12);
    ASSERT_EQ(r.hops.size(), 1u);
    EXPECT_NEAR(r.hops[0].amount, 0.028, 1e-12);
    EXPECT_DOUBLE_EQ(r.hops[0].time, 60);
    EXPECT_EQ(r.hops[0].use, "Boil");
    ASSERT_EQ(r.miscs.size(), 1u);
    EXPECT_NEAR(r.miscs[0].amount, 1e-5, 1e-15);
    ASSERT_EQ(r.yeasts.size(), 1u);
    EXPECT_DOUBLE_EQ(r.yeasts[0].attenuation, 68);
    EXPECT_NEAR(r.fermentables.at(0).colour_ebc, 3 * 1.97, 1e-9);
    // The fermentation's steps, in minutes and in Fahrenheit, a member name's trailing blanks aside.
    ASSERT_EQ(r.fermentation.size(), 2u);
    EXPECT_EQ(r.fermentation[0].name, "Primary");
    EXPECT_DOUBLE_EQ(r.fermentation[0].days, 7);
    EXPECT_DOUBLE_EQ(r.fermentation[0].temperature, 19);
    EXPECT_DOUBLE_EQ(r.fermentation[1].days, 14);
    EXPECT_NEAR(r.fermentation[1].temperature, 10, 1e-9);
}

TEST(BeerJson, FaultyValuesAreDefaultedAndSaid)
{
    const ForeignFile content = read_fixture("faulty_values.json");
    const ForeignRecipe& r = content.recipes.at(0);
    EXPECT_DOUBLE_EQ(r.batch_size, 20);
    EXPECT_DOUBLE_EQ(r.fermentables.at(0).colour_ebc, 8); // a bare number, in EBC
    EXPECT_DOUBLE_EQ(r.fermentables.at(0).amount, 0);     // "4,5" is no JSON number
    EXPECT_EQ(r.fermentables.at(1).type, "Grain");
    EXPECT_DOUBLE_EQ(r.fermentables.at(1).colour_ebc, 0);
    EXPECT_DOUBLE_EQ(r.hops.at(0).alpha, 100);
    EXPECT_EQ(r.hops.at(0).use, "Boil");            // a step the boil does not have
    EXPECT_NEAR(r.hops.at(1).amount, 0.005, 1e-12); // 5 ml of extract weigh about 5 g
    EXPECT_LT(r.yeasts.at(0).attenuation, 0);
    EXPECT_LT(r.carbonation, 0);
    for (const char* said : {"color sans unité", "amount illisible", "type « mud » inconnu",
                             "color -3 ramené à 0", "alpha_acid 250 ramené à 100", "carbonation illisible",
                             "amount 0", "quantité de 0.005 L lue comme 0.005 kg"})
        EXPECT_TRUE(any_holds(r.corrections, said)) << said;
}

struct HostileCase {
    const char* what;
    std::string bytes;
    const char* refusal;
};

TEST(BeerJson, HostileFilesAreRefusedByNameWithinTheirBounds)
{
    const std::string deep = "{\"beerjson\":" + std::string(200, '[') + std::string(200, ']') + "}";
    std::string wide = "{\"beerjson\": {\"recipes\": [";
    for (size_t i = 0; i <= kMostJsonValues; i++)
        wide += "0,";
    wide += "0]}}";
    std::string boxes = "{\"beerjson\": {\"recipes\": [";
    for (size_t i = 0; i <= kMostJsonContainers; i++)
        boxes += "[]";
    boxes += "]}}";
    const HostileCase cases[] = {
        {"boxes", boxes, "objets et listes"},
        {"deep", deep, "plus de 64 niveaux"},
        {"wide", wide, "valeurs"},
        {"large", std::string(kBeerJsonLargest + 1, ' '), "dépasse 16 Mo"},
        {"latin1", "{\"beerjson\": {\"recipes\": [{\"name\": \"Bi\xe8re\"}]}}", "UTF-8"},
        {"empty", "", "vide"},
        {"blank", " \n\t", "vide"},
        {"array", "[1, 2]", "autre programme"},
        {"beerjson not object", "{\"beerjson\": 3}", "autre programme"},
        {"no recipes", "{\"beerjson\": {\"version\": 1.0}}", "aucune recette"},
        {"recipes not objects", "{\"beerjson\": {\"recipes\": [1, \"x\", null]}}", "aucune recette lisible"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ForeignFile content = read_beerjson(c.bytes);
        EXPECT_TRUE(content.refused);
        EXPECT_NE(content.refusal.find(c.refusal), std::string::npos) << content.refusal;
    }
}

// More recipes than the reader keeps: the first are read, the others counted.
TEST(BeerJson, RecipesBeyondTheCapAreCounted)
{
    std::string bytes = "{\"beerjson\": {\"version\": 1.0, \"recipes\": [";
    for (size_t i = 0; i < kMostRecipes + 3; i++)
        bytes += std::string(i ? "," : "") + "{\"name\": \"R" + std::to_string(i) + "\"}";
    bytes += "]}}";
    const ForeignFile content = read_beerjson(bytes);
    EXPECT_EQ(content.recipes.size(), kMostRecipes);
    EXPECT_EQ(content.recipes_left_out, 3u);
}

TEST(BeerJson, OpenerSendsJsonToTheBeerJsonReader)
{
    ScratchDir scratch;
    write_file("recette.json", read_file(kData + "two_recipes.json"));
    // The member may come after others: the first bytes do not decide it.
    write_file("schema_first.json",
               "{\"$schema\": \"" + std::string(600, 'x') +
                   "\", \"beerjson\": {\"version\": 1.0, \"recipes\": [{\"name\": \"Tard\"}]}}");
    write_file("autre.json", "{\"recipes\": []}");
    // A header of "//" comments, as some programs write: short, or longer than the first bytes.
    write_file("court.json", "// en-tête\n/* et bloc */" + read_file(kData + "two_recipes.json"));
    write_file("long.json", "//" + std::string(600, '=') + "\n" + read_file(kData + "two_recipes.json"));
    EXPECT_EQ(format_of_file("recette.json"), RecipeFormat::beerjson);
    EXPECT_EQ(format_of_file("schema_first.json"), RecipeFormat::json);
    EXPECT_EQ(format_of_file("autre.json"), RecipeFormat::json);
    EXPECT_EQ(format_of_file("court.json"), RecipeFormat::beerjson);
    EXPECT_EQ(format_of_file("long.json"), RecipeFormat::json);
    const Recipe base;
    for (const char* commented : {"court.json", "long.json"}) {
        const OpenedFile read = open_any_recipe_file(commented, base);
        ASSERT_TRUE(read.read) << read.why;
        EXPECT_EQ(read.foreign.recipes.size(), 2u) << commented << " " << read.foreign.refusal;
    }
    const OpenedFile opened = open_any_recipe_file("recette.json", base);
    ASSERT_TRUE(opened.read) << opened.why;
    EXPECT_EQ(opened.foreign.recipes.size(), 2u);
    const OpenedFile late = open_any_recipe_file("schema_first.json", base);
    ASSERT_TRUE(late.read);
    ASSERT_EQ(late.foreign.recipes.size(), 1u);
    EXPECT_EQ(late.foreign.recipes[0].name, "Tard");
    const OpenedFile other = open_any_recipe_file("autre.json", base);
    EXPECT_TRUE(other.foreign.refused);
    EXPECT_NE(other.foreign.refusal.find("autre programme"), std::string::npos);
}

TEST(BeerJson, ImportMessageNamesTheFormat)
{
    reset_workspace();
    const ForeignFile content = read_fixture("two_recipes.json");
    const ImportedRecipe imported = import_foreign_recipe(content.recipes.at(0), reference_data());
    const std::string message = import_message(imported, content, Estimates{}, 70);
    EXPECT_NE(message.find("lue dans un fichier BeerJSON"), std::string::npos) << message;
    // A recipe without a name is said to have none, not shown as empty quotes.
    ForeignRecipe nameless = content.recipes.at(0);
    nameless.name.clear();
    const std::string unnamed =
        import_message(import_foreign_recipe(nameless, reference_data()), content, Estimates{}, 70);
    EXPECT_EQ(unnamed.rfind("Recette sans nom lue dans un fichier BeerJSON", 0), 0u) << unnamed;
}

// Cuvelo → BeerJSON → Cuvelo gives the same estimates, and the recipe's plan comes back as it left.
TEST(BeerJson, RoundTripKeepsTheEstimatesAndThePlan)
{
    std::mt19937 random(27);
    for (int trial = 0; trial < 60; trial++) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        reset_workspace();
        use_worked_example_settings();
        ws.settings.litres_per_kilo = 3;
        ws.styles[1].name = "Pas de Style";
        ws.style_count = 1;
        for (const RecipeLine& line : random_recipe(random))
            add_recipe_line(line);
        ws.forced_volume = std::uniform_int_distribution<int>(15, 30)(random);
        ws.volume_forced = 1;
        BrewingPlan& wanted = ws.plan;
        wanted.efficiency = std::uniform_int_distribution<int>(55, 85)(random);
        wanted.boil_minutes = std::uniform_int_distribution<int>(30, 120)(random);
        wanted.notes = "Notes \"entre guillemets\"\net\ttabulées n° " + std::to_string(trial);
        wanted.mash = {MashStep{"Empâtage", 66.5, 60, MashStepKind::infusion},
                       MashStep{"Décoction", 72, 15, MashStepKind::decoction}};
        wanted.fermentation = random_fermentation(random);
        evaluate_recipe();
        const Estimates before = ws.estimates;
        const RecipeReport report = recipe_report_on_screen();
        const ForeignFile content = read_beerjson(beerjson_document(report));
        ASSERT_EQ(content.recipes.size(), 1u) << content.refusal;
        const ForeignRecipe& r = content.recipes[0];
        EXPECT_TRUE(r.corrections.empty()) << r.corrections.front();
        const BrewingPlan& plan = report.recipe.plan;
        EXPECT_DOUBLE_EQ(r.stated.efficiency, plan.efficiency);
        EXPECT_DOUBLE_EQ(r.boil_time, plan.boil_minutes);
        EXPECT_EQ(r.notes_text, plan.notes);
        ASSERT_EQ(r.mash.size(), 2u);
        EXPECT_EQ(r.mash[1].name, "Décoction");
        EXPECT_EQ(r.mash[1].kind, MashStepKind::decoction);
        EXPECT_DOUBLE_EQ(r.mash[0].temperature, 66.5);
        EXPECT_DOUBLE_EQ(r.mash[1].minutes, 15);
        ASSERT_EQ(r.fermentation.size(), plan.fermentation.size());
        for (size_t i = 0; i < r.fermentation.size(); i++) {
            EXPECT_EQ(r.fermentation[i].name,
                      plan.fermentation[i].name.empty() ? "Sans nom" : plan.fermentation[i].name);
            EXPECT_DOUBLE_EQ(r.fermentation[i].temperature, plan.fermentation[i].temperature);
            EXPECT_DOUBLE_EQ(r.fermentation[i].days, plan.fermentation[i].days);
        }

        const ImportedRecipe imported = import_foreign_recipe(r, reference_data());
        EXPECT_DOUBLE_EQ(imported.recipe.plan.efficiency, report.recipe.plan.efficiency);
        EXPECT_DOUBLE_EQ(imported.recipe.plan.boil_minutes, report.recipe.plan.boil_minutes);
        EXPECT_EQ(imported.recipe.plan.mash.size(), 2u);
        EXPECT_EQ(imported.recipe.plan.fermentation.size(), plan.fermentation.size());
        open_imported_recipe(imported);
        evaluate_recipe();
        const Estimates& after = ws.estimates;
        // The forced water brews the batch size less the boil loss's share of the hop absorption (the forced
        // volume's own rule); every estimate follows the volume, written to the millilitre.
        const Settings& s = ws.settings;
        const double gap = s.loss_boil / 100 * s.loss_hops * before.hop_kg + 0.002;
        const double share = gap / before.final_volume;
        EXPECT_NEAR(after.final_volume, before.final_volume, gap);
        EXPECT_NEAR(after.initial_density, before.initial_density,
                    (before.initial_density - 1000) * share + 0.02);
        EXPECT_NEAR(after.final_density, before.final_density,
                    (before.initial_density - 1000) * share + 0.02);
        EXPECT_NEAR(after.alcohol, before.alcohol, before.alcohol * share + 0.01);
        EXPECT_NEAR(after.bitterness_ibu, before.bitterness_ibu, before.bitterness_ibu * share + 0.01);
        // No colour is clamped: BeerJSON holds EBC as they are.
        EXPECT_NEAR(after.colour_ebc, before.colour_ebc, before.colour_ebc * share + 0.02);
    }
}

// The members the published schema requires, for each record the export writes ("a/b" is a member of a
// member).
struct RequiredMembers {
    const char* record; // where the records are, from the root
    std::vector<const char*> members;
};

static const RequiredMembers kRequired[] = {
    {"beerjson", {"version", "recipes"}},
    {"beerjson/recipes", {"name", "type", "author", "efficiency/brewhouse", "batch_size", "ingredients"}},
    {"beerjson/recipes/ingredients", {"fermentable_additions"}},
    {"beerjson/recipes/ingredients/fermentable_additions", {"name", "type", "yield", "color", "amount"}},
    {"beerjson/recipes/ingredients/hop_additions", {"name", "alpha_acid", "amount", "timing"}},
    {"beerjson/recipes/ingredients/culture_additions", {"name", "type", "form"}},
    {"beerjson/recipes/ingredients/miscellaneous_additions", {"name", "type", "amount"}},
    {"beerjson/recipes/ingredients/water_additions",
     {"name", "calcium", "bicarbonate", "sulfate", "chloride", "sodium", "magnesium"}},
    {"beerjson/recipes/style", {"name", "category", "style_guide", "type"}},
    {"beerjson/recipes/mash", {"name", "grain_temperature", "mash_steps"}},
    {"beerjson/recipes/mash/mash_steps", {"name", "type", "step_temperature", "step_time"}},
    {"beerjson/recipes/boil", {"boil_time"}},
    {"beerjson/recipes/boil/boil_steps", {"name"}},
    {"beerjson/styles", {"name", "category", "style_guide", "type"}},
};

// The objects at a path: arrays are walked through, each of their objects in turn.
static void objects_at(JsonNode* node, const std::string& path, std::vector<JsonObject*>* found)
{
    if (JSON_NODE_HOLDS_ARRAY(node)) {
        JsonArray* array = json_node_get_array(node);
        for (guint i = 0; i < json_array_get_length(array); i++)
            objects_at(json_array_get_element(array, i), path, found);
        return;
    }
    if (!JSON_NODE_HOLDS_OBJECT(node))
        return;
    JsonObject* o = json_node_get_object(node);
    if (path.empty()) {
        found->push_back(o);
        return;
    }
    const size_t slash = path.find('/');
    JsonNode* member = json_object_get_member(o, path.substr(0, slash).c_str());
    if (member)
        objects_at(member, slash == std::string::npos ? "" : path.substr(slash + 1), found);
}

// Every measured value holds a unit and a value, and a time's value is whole.
static void expect_measures_whole(JsonNode* node, const std::string& name)
{
    if (JSON_NODE_HOLDS_ARRAY(node)) {
        JsonArray* array = json_node_get_array(node);
        for (guint i = 0; i < json_array_get_length(array); i++)
            expect_measures_whole(json_array_get_element(array, i), name);
    }
    if (!JSON_NODE_HOLDS_OBJECT(node))
        return;
    JsonObject* o = json_node_get_object(node);
    if (json_object_has_member(o, "unit")) {
        EXPECT_TRUE(json_object_has_member(o, "unit") && json_object_has_member(o, "value")) << name;
        const bool time = name.find("time") != std::string::npos || name == "duration";
        if (time) {
            JsonNode* value = json_object_get_member(o, "value");
            EXPECT_EQ(json_node_get_value_type(value), G_TYPE_INT64) << name << " is not whole";
        }
        return;
    }
    GList* members = json_object_get_members(o);
    for (GList* m = members; m; m = m->next)
        expect_measures_whole(json_object_get_member(o, static_cast<const char*>(m->data)),
                              static_cast<const char*>(m->data));
    g_list_free(members);
}

TEST(BeerJson, ExportHoldsEveryRequiredMemberAndWholeTimes)
{
    std::mt19937 random(4);
    reset_workspace();
    use_worked_example_settings();
    for (RecipeLine line : random_recipe(random))
        add_recipe_line(line);
    RecipeLine pinch;
    pinch.category = "AUTRE";
    pinch.designation = "Sel de \"table\" \\ \x01";
    pinch.quantity = "2.5 G";
    pinch.time = "7.5"; // a time of seconds
    pinch.step = "EBULLITION";
    add_recipe_line(pinch);
    evaluate_recipe();
    RecipeReport report = recipe_report_on_screen();
    report.recipe.plan.mash = {MashStep{"", 67, 45.5, MashStepKind::infusion}};
    report.strike_celsius = 73.2;
    report.sparge_celsius = 76.5;
    // A water of known profile, a rinse salt and an acid: the water records, the sparge step and millilitres.
    WaterProfile volvic;
    ASSERT_TRUE(parse_water_profile("Volvic\t12\t8\t12\t9\t15\t74\t7.0", volvic));
    for (RecipeLine& l : report.recipe.lines)
        if (l.category == "EAU")
            l.value = "VOLVIC";
    RecipeLine salt = pinch;
    salt.value = "NACL";
    salt.step = "RINCAGE";
    RecipeLine acid = pinch;
    acid.designation = "Acide lactique";
    acid.quantity = "2.5 ML";
    acid.value = "LACTIQUE";
    acid.yield = "80";
    acid.step = "EMPATAGE";
    report.recipe.lines.push_back(salt);
    report.recipe.lines.push_back(acid);
    const std::string document = beerjson_document(report, {volvic});
    JsonParser* parser = json_parser_new();
    GError* error = nullptr;
    ASSERT_TRUE(json_parser_load_from_data(parser, document.c_str(), -1, &error))
        << (error ? error->message : "") << document;
    JsonNode* root = json_parser_get_root(parser);
    for (const RequiredMembers& r : kRequired) {
        SCOPED_TRACE(r.record);
        std::vector<JsonObject*> records;
        objects_at(root, r.record, &records);
        EXPECT_FALSE(records.empty());
        for (JsonObject* o : records)
            for (const char* member : r.members) {
                const std::string path = member;
                JsonObject* at = o;
                const size_t slash = path.find('/');
                if (slash != std::string::npos) {
                    JsonNode* outer = json_object_get_member(o, path.substr(0, slash).c_str());
                    ASSERT_TRUE(outer && JSON_NODE_HOLDS_OBJECT(outer)) << member;
                    at = json_node_get_object(outer);
                }
                EXPECT_TRUE(json_object_has_member(
                    at, path.substr(slash == std::string::npos ? 0 : slash + 1).c_str()))
                    << member;
            }
    }
    expect_measures_whole(root, "");
    EXPECT_NE(document.find("\"Sel de \\\"table\\\" \\\\ \\u0001\""), std::string::npos);
    EXPECT_NE(document.find("\"unit\": \"sec\""), std::string::npos);
    EXPECT_NE(document.find("\"value\": 450\n"), std::string::npos);
    EXPECT_NE(document.find("\"value\": 2730\n"), std::string::npos); // the rest of 45.5 minutes
    // An acid leaves in millilitres (it once left as 0 kg), as a water agent; the rinse salt at the sparge.
    EXPECT_NE(document.find("\"unit\": \"ml\",\n                \"value\": 2.5\n"), std::string::npos)
        << document;
    EXPECT_NE(document.find("\"type\": \"sparge\""), std::string::npos);
    // The strike water's temperature at the first rest, the rinse water's at the sparge.
    const size_t infuse = document.find("\"infuse_temperature\"");
    ASSERT_NE(infuse, std::string::npos);
    EXPECT_NE(document.find("\"value\": 73.2\n", infuse), std::string::npos);
    EXPECT_NE(document.find("\"value\": 76.5\n", document.find("\"type\": \"sparge\"")), std::string::npos);
    EXPECT_NE(document.find("\"name\": \"Acide lactique 80 %\",\n              \"type\": \"water agent\""),
              std::string::npos);
    EXPECT_NE(document.find("\"name\": \"Sans nom\",\n              \"type\": \"infusion\""),
              std::string::npos);
    g_object_unref(parser);
}

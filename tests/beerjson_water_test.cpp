// tests/beerjson_water_test.cpp — the water side of other programs' recipes: salts and acids by name and
// unit, waters by their ions, grains' DI pH, and the BeerJSON round trip that keeps the mash pH.
#include "calc/water_chemistry.h"
#include "core/stated_acidity.h"
#include "core/text.h"
#include "recipe/formats/beerjson_read.h"
#include "recipe/formats/beerjson_write.h"
#include "recipe/formats/foreign_recipe.h"
#include "recipe/formats/foreign_water.h"
#include "refdata/water_profiles.h"
#include "line_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

static const std::string kData = std::string(CUVELO_TEST_DATA) + "/beerjson/";

static std::vector<WaterProfile> test_profiles()
{
    std::vector<WaterProfile> profiles;
    for (const char* line : {"Osmosée\t0\t0\t0\t0\t0\t0\t7.0", "Volvic\t12\t8\t12\t9\t15\t74\t7.0",
                             "Pilsen\t7\t2\t2\t5\t5\t15\t7.0", "Dure\t120\t20\t20\t80\t60\t350\t7.6"}) {
        WaterProfile p;
        EXPECT_TRUE(parse_water_profile(line, p));
        profiles.push_back(p);
    }
    return profiles;
}

static bool any_holds(const std::vector<std::string>& texts, const std::string& part)
{
    for (const std::string& text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

TEST(ForeignWater, SaltsAndAcidsAreKnownByTheirEnglishAndFrenchNames)
{
    const struct {
        const char* name;
        Additive additive;
    } kNames[] = {
        {"Gypsum (Calcium Sulfate)", Additive::gypsum},
        {"Sulfate de calcium", Additive::gypsum},
        {"CaSO4", Additive::gypsum},
        {"Calcium Chloride", Additive::calcium_chloride},
        {"Chlorure de calcium (CaCl2)", Additive::calcium_chloride},
        {"Epsom Salt", Additive::epsom},
        {"Sulfate de magnésium", Additive::epsom}, // the accent read as its letter
        {"Magnesium Chloride", Additive::magnesium_chloride},
        {"Table Salt", Additive::table_salt},
        {"Salt", Additive::table_salt},
        {"Sodium Chloride", Additive::table_salt},
        {"Baking Soda", Additive::baking_soda},
        {"Bicarbonate de sodium", Additive::baking_soda}, // not chalk for its "carbonate"
        {"Sodium Bicarbonate", Additive::baking_soda},    // not table salt for its "sodium"
        {"Chalk", Additive::chalk},
        {"Carbonate de calcium", Additive::chalk},
        {"Pickling Lime", Additive::lime},
        {"Chaux éteinte", Additive::lime},
        {"Lactic Acid 88%", Additive::lactic},
        {"Acide lactique", Additive::lactic},
        {"Phosphoric Acid 10%", Additive::phosphoric},
        {"Lime zest", Additive::none}, // the fruit
        {"Irish Moss", Additive::none},
        {"Sea salt flakes", Additive::none},
        {"", Additive::none},
    };
    for (const auto& c : kNames)
        EXPECT_EQ(additive_of_name(c.name), c.additive) << c.name;
}

TEST(ForeignWater, AnAcidsStrengthComesFromItsName)
{
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Lactic Acid 88%", Additive::lactic), 88);
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Acide lactique 80 %", Additive::lactic), 80);
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Acide phosphorique 75,5 %", Additive::phosphoric), 75.5);
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Lactic Acid", Additive::lactic), 80);
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Phosphoric", Additive::phosphoric), 10);
    EXPECT_DOUBLE_EQ(acid_percent_of_name("Lactic 250%", Additive::lactic), 80); // no such strength
}

TEST(ForeignWater, QuantitiesAreConvertedOrRefusedBySaltOrAcid)
{
    const struct {
        Additive additive;
        double amount; // kg or litres as the readers give them
        bool is_weight;
        const char* unit;
        const char* quantity; // nullptr: refused
        const char* yield;
    } kCases[] = {
        {Additive::gypsum, 0.004, true, "g", "4 G", "0"},
        {Additive::calcium_chloride, 0.0025, true, "mg", "2.5 G", "0"},
        {Additive::lactic, 0.003, false, "ml", "3 ML", "80"},
        {Additive::phosphoric, 0.00492892, false, "tsp", "4.93 ML", "10"}, // a teaspoon of liquid is safe
        {Additive::epsom, 0.00492892, false, "tsp", nullptr, ""},          // a teaspoon of powder is not
        {Additive::lactic, 0.003, true, "g", nullptr, ""},
        {Additive::baking_soda, 0.001, true, "each", nullptr, ""},
        {Additive::table_salt, 0.001, true, "", "1 G", "0"}, // BeerXML: no unit, a weight
    };
    for (const auto& c : kCases) {
        const AdditiveTexts t = additive_texts(c.additive, "x", c.amount, c.is_weight, c.unit);
        EXPECT_EQ(t.refused, c.quantity == nullptr) << c.unit << " " << c.amount;
        if (c.quantity) {
            EXPECT_EQ(t.quantity, c.quantity);
            EXPECT_EQ(t.yield, c.yield);
            EXPECT_EQ(additive_of_key(t.value), c.additive);
        } else {
            EXPECT_FALSE(t.why.empty());
        }
    }
    // A fuzzed file's unit held a byte-order mark: the message quotes it without, and bounded.
    const AdditiveTexts hidden = additive_texts(Additive::lactic, "x", 0, true, "ts\xEF\xBB\xBFp");
    EXPECT_NE(hidden.why.find("« tsp »"), std::string::npos) << hidden.why;
    const AdditiveTexts long_unit = additive_texts(Additive::gypsum, "x", 1, false, std::string(5000, 'u'));
    EXPECT_LT(long_unit.why.size(), 200u);
}

TEST(ForeignWater, AWaterMatchesTheProfileOfItsIons)
{
    const std::vector<WaterProfile> profiles = test_profiles();
    EXPECT_EQ(matching_profile(Ions{12, 8, 12, 9, 15, 74}, profiles), &profiles[1]);
    EXPECT_EQ(matching_profile(Ions{12.5, 7, 13, 9, 16, 76}, profiles), &profiles[1]); // a label's rounding
    EXPECT_EQ(matching_profile(Ions{12, 8, 12, 9, 15, 90}, profiles), nullptr);        // HCO3 22 % away
    EXPECT_EQ(matching_profile(Ions{1, 0, 1, 1, 1, 1}, profiles), &profiles[0]);
    EXPECT_EQ(matching_profile(Ions{125, 20, 20, 80, 60, 340}, profiles), &profiles[3]);
}

TEST(BeerJsonWater, WatersSaltsAcidsAndDiPhAreReadOntoCuvelosLines)
{
    ForeignFile content;
    std::string why;
    ASSERT_TRUE(read_beerjson_file(kData + "water.json", &content, &why)) << why;
    ASSERT_EQ(content.recipes.size(), 1u);
    const ForeignRecipe& r = content.recipes[0];
    ASSERT_EQ(r.water_ions.size(), 2u);
    EXPECT_DOUBLE_EQ(r.water_ions[0].ions.mg, 8); // 8000 ppb
    EXPECT_EQ(r.waters, std::vector<std::string>{"Eau sans analyse"});
    ASSERT_EQ(r.fermentables.size(), 3u);
    EXPECT_DOUBLE_EQ(r.fermentables[0].di_ph, 5.81);
    EXPECT_TRUE(std::isnan(r.fermentables[2].di_ph)); // "mEq" is not a pH
    ASSERT_EQ(r.miscs.size(), 8u);
    EXPECT_EQ(r.miscs[6].use, "Sparge"); // step 2 of the mash is its sparge
    EXPECT_EQ(r.miscs[0].use, "Mash");

    std::vector<IngredientEntry> none(1);
    std::vector<StyleEntry> styles(2);
    const ReferenceData reference{none, 0, styles, 1};
    const std::vector<WaterProfile> profiles = test_profiles();
    const ImportedRecipe imported = import_foreign_recipe(r, reference, &profiles);
    const std::vector<RecipeLine>& lines = imported.recipe.lines;
    const auto line_named = [&](const std::string& name) -> const RecipeLine* {
        for (const RecipeLine& l : lines)
            if (l.designation == name)
                return &l;
        return nullptr;
    };
    // The first water is Volvic by its ions, at the mash; the well water matches nothing and is said.
    EXPECT_EQ(lines.front().category, "EAU");
    EXPECT_EQ(lines.front().value, "VOLVIC");
    EXPECT_TRUE(any_holds(imported.read, "au profil Volvic"));
    EXPECT_TRUE(any_holds(imported.lost, "« Eau du puits » (Ca 140"));
    EXPECT_TRUE(any_holds(imported.lost, "« Eau sans analyse »"));
    // Grains: the file's DI pH when the database gives none; one out of range is said.
    ASSERT_NE(line_named("Malt Pilsen"), nullptr);
    EXPECT_EQ(line_named("Malt Pilsen")->value, "3.5 PH 5.81");
    EXPECT_EQ(line_named("Carahell")->value, "25");
    EXPECT_TRUE(any_holds(imported.lost, "« Carahell » (12 : hors de 3 à 8)"));
    // Salts and acids on their keyed lines, in grams and millilitres; the unsafe ones refused and said.
    const struct {
        const char* name;
        const char* quantity;
        const char* value;
        const char* yield;
        const char* step;
    } kLines[] = {
        {"Gypsum (Calcium Sulfate)", "4 G", "CASO4", "0", "EMPATAGE"},
        {"Chlorure de calcium", "2.5 G", "CACL2", "0", "EMPATAGE"},
        {"Lactic Acid 88%", "3 ML", "LACTIQUE", "88", "EMPATAGE"},
        {"Acide phosphorique", "4.93 ML", "PHOSPHORIQUE", "10", "EMPATAGE"},
        {"Table Salt", "1 G", "NACL", "0", "RINCAGE"},
        {"Irish Moss", "5 G", "0", "0", "EBULLITION"},
    };
    for (const auto& c : kLines) {
        const RecipeLine* l = line_named(c.name);
        ASSERT_NE(l, nullptr) << c.name;
        EXPECT_EQ(l->quantity, c.quantity) << c.name;
        EXPECT_EQ(l->value, c.value) << c.name;
        EXPECT_EQ(l->yield, c.yield) << c.name;
        EXPECT_EQ(l->step, c.step) << c.name;
    }
    EXPECT_EQ(line_named("Epsom Salt"), nullptr);
    EXPECT_EQ(line_named("Baking Soda"), nullptr);
    EXPECT_TRUE(any_holds(imported.lost, "« Epsom Salt » (4.93 mL (en « tsp » dans le fichier)"));
    EXPECT_TRUE(any_holds(imported.lost, "« Baking Soda » (en « each »"));
}

// Cuvelo → BeerJSON → Cuvelo keeps the water's chemistry: the same profiles, salts, acids and DI pH give
// the same mash pH and ions, whatever the quantities.
TEST(BeerJsonWater, RoundTripKeepsTheMashPh)
{
    const std::vector<WaterProfile> profiles = test_profiles();
    std::vector<IngredientEntry> none(1);
    std::vector<StyleEntry> styles(2);
    const ReferenceData reference{none, 0, styles, 1};
    std::mt19937 random(25);
    const auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(random);
    };
    const auto text = [](double x) { return format_decimals(x, 2); };
    const char* const kWaters[] = {"VOLVIC", "Pilsen", "DURE", "osmosée"};
    for (int trial = 0; trial < 40; trial++) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        RecipeReport report;
        std::vector<RecipeLine>& lines = report.recipe.lines;
        lines.push_back(mash_line("EAU", "Eau d'empâtage", text(uniform(10, 25)) + " L", kWaters[trial % 4],
                                  "0", "EMPATAGE"));
        lines.push_back(mash_line("MALT", "Malt Pilsen", text(uniform(2, 6)) + " KG",
                                  trial % 2 ? "3.5 PH " + text(uniform(5.5, 5.9)) : "3.5", "81", "EMPATAGE"));
        lines.push_back(mash_line("MALTSPECIAL", "Malt Crystal", text(uniform(0.1, 1)) + " KG",
                                  text(uniform(20, 300)), "75", "EMPATAGE"));
        lines.push_back(mash_line("EAU", "Eau de rinçage", text(uniform(5, 15)) + " L",
                                  kWaters[(trial + 1) % 4], "0", "RINCAGE"));
        lines.push_back(mash_line("AUTRE", "Gypse", text(uniform(0, 8)) + " G", "CASO4", "0", "EMPATAGE"));
        lines.push_back(
            mash_line("AUTRE", "Chlorure de calcium", text(uniform(0, 5)) + " G", "CACL2", "0", "EMPATAGE"));
        lines.push_back(mash_line("AUTRE", "Acide lactique", text(uniform(0, 6)) + " ML", "LACTIQUE",
                                  trial % 3 ? "80" : "88", "EMPATAGE"));
        lines.push_back(
            mash_line("AUTRE", "Bicarbonate", text(uniform(0, 3)) + " G", "NAHCO3", "0", "EMPATAGE"));
        lines.push_back(mash_line("AUTRE", "Sel fin", text(uniform(0, 2)) + " G", "NACL", "0", "RINCAGE"));
        report.settings.efficiency = 0.75;
        const ForeignFile content = read_beerjson(beerjson_document(report, profiles));
        ASSERT_EQ(content.recipes.size(), 1u) << content.refusal;
        const ImportedRecipe imported = import_foreign_recipe(content.recipes[0], reference, &profiles);
        std::vector<RecipeLine> back = imported.recipe.lines;
        // The import's waters are measured by the batch it forces; here they take the sent litres back.
        int waters = 0;
        for (RecipeLine& l : back)
            if (l.category == "EAU")
                l.quantity = lines[waters++ == 0 ? 0 : 3].quantity;
        EXPECT_TRUE(imported.lost.empty()) << imported.lost.front();
        const WaterChemistry sent = water_chemistry(lines.data(), lines.size(), profiles);
        const WaterChemistry got = water_chemistry(back.data(), back.size(), profiles);
        ASSERT_TRUE(sent.computed);
        ASSERT_TRUE(got.computed);
        EXPECT_NEAR(got.model_ph, sent.model_ph, 0.002);
        EXPECT_NEAR(got.mash_ions.so4, sent.mash_ions.so4, 0.5);
        EXPECT_NEAR(got.all_ions.na, sent.all_ions.na, 0.5);
        EXPECT_NEAR(got.all_ions.cl, sent.all_ions.cl, 0.5);
    }
}

// tests/colour_model_test.cpp — the two colour models: Morey's curve over malt colour units, and the linear
// rule that a configuration without MODELE_COULEUR keeps.
#include "calc/estimate.h"
#include "calc_recipes.h"
#include "core/workspace.h"
#include "refdata/configuration.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

// Water of the worked example (20 L + 10 L); the final volume is 25.2 − 0.9 × grain kg − 10 × hop kg.
static std::vector<RecipeLine> grist_with(const std::vector<RecipeLine>& fermentables)
{
    reset_workspace();
    use_worked_example_settings();
    add_recipe_line("", "EAU", "Eau", "20 L", "", "", "", "EMPATAGE", "");
    add_recipe_line("", "EAU", "Eau", "10 L", "", "", "", "RINCAGE", "");
    add_recipe_line("", "HOUBLONCONE", "Saaz", "40 G", "5", "", "60", "EBULLITION", "");
    std::vector<RecipeLine> lines(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
    lines.insert(lines.end(), fermentables.begin(), fermentables.end());
    return lines;
}

static RecipeLine line(const char* category, const char* quantity, const char* ebc, const char* step)
{
    RecipeLine l;
    l.category = category;
    l.quantity = quantity;
    l.value = ebc;
    l.yield = "80";
    l.step = step;
    return l;
}

struct GristCase {
    const char* name;
    std::vector<RecipeLine> fermentables;
    double volume;
    double morey_ebc; // 2.939 × (4.23 × Σ EBC × kg / V)^0.6859, worked out by hand
};

// (Each line's share of the colour is the breakdown's concern: Breakdown.SharesAddUpForAnyRecipe, both
// models.)
TEST(ColourModel, MoreyColourOfTypicalGrists)
{
    const GristCase cases[] = {
        {"worked pale ale", {line("MALT", "5 KG", "8", "EMPATAGE")}, 20.3, 12.5848},
        {"dark grist",
         {line("MALT", "4 KG", "6.5", "EMPATAGE"), line("GRAIN", "400 G", "1300", "EMPATAGE")},
         20.84,
         74.2361},
        // An extract counts by its weight alone, without the brewhouse yield; a hop in the mash does not.
        {"extract in the boil",
         {line("MALT", "4 KG", "8", "EMPATAGE"), line("EXTRAITLIQUIDE", "1 KG", "10", "EBULLITION"),
          line("EXTRAITLIQUIDE", "1 KG", "10", "EMPATAGE")},
         21.2,
         12.6316},
    };
    for (const GristCase& c : cases) {
        const std::vector<RecipeLine> lines = grist_with(c.fermentables);
        ws.settings.colour_model = ColourModel::morey;
        const Estimates e = estimate(lines, ws.settings, ForcedVolume{});
        EXPECT_NEAR(e.final_volume, c.volume, 1e-9) << c.name;
        EXPECT_NEAR(e.colour_ebc, c.morey_ebc, 5e-5) << c.name;
        // The densities and bitterness do not depend on the colour model.
        ws.settings.colour_model = ColourModel::linear;
        const Estimates linear = estimate(lines, ws.settings, ForcedVolume{});
        EXPECT_EQ(linear.initial_density, e.initial_density) << c.name;
        EXPECT_EQ(linear.bitterness_ibu, e.bitterness_ibu) << c.name;
        EXPECT_GT(linear.colour_ebc, e.colour_ebc) << c.name;
    }
}

TEST(ColourModel, MoreyKeepsTheZeroRules)
{
    const RecipeLine malt = line("MALT", "5 KG", "8", "EMPATAGE");
    struct Case {
        const char* name;
        std::vector<RecipeLine> lines;
    } cases[] = {
        {"no water", {malt}},
        {"no counting line",
         {line("HOUBLONCONE", "40 G", "5", "EBULLITION"), line("EAU", "20 L", "", "EMPATAGE")}},
        {"no volume left", {line("EAU", "1 L", "", "EMPATAGE"), malt}},
        {"colourless grain", {line("EAU", "20 L", "", "EMPATAGE"), line("MALT", "5 KG", "0", "EMPATAGE")}},
    };
    reset_workspace();
    use_worked_example_settings();
    ws.settings.colour_model = ColourModel::morey;
    for (const Case& c : cases)
        EXPECT_EQ(estimate(c.lines, ws.settings, ForcedVolume{}).colour_ebc, 0) << c.name;
}

TEST(ColourModel, KeySpellingsAndAbsence)
{
    const struct {
        const char* file;
        ColourModel model;
    } cases[] = {
        {"MODELE_COULEUR\tMOREY\n", ColourModel::morey},
        {"MODELE_COULEUR\tmorey \n", ColourModel::morey},
        {"MODELE_COULEUR\t Morey\r\n", ColourModel::morey},
        {"MODELE_COULEUR\tLINEAIRE\n", ColourModel::linear},
        {"MODELE_COULEUR\tMOREY\nMODELE_COULEUR\tLINEAIRE\n", ColourModel::linear}, // the later line wins
        {"MODELE_COULEUR\t\n", ColourModel::linear},
        {"MODELE_COULEUR\tMOREYS\n", ColourModel::linear},
        {"modele_couleur\tMOREY\n", ColourModel::linear}, // keys keep their exact spelling
        {"# MODELE_COULEUR\tMOREY\n", ColourModel::linear},
        {"RENDEMENT\t75\n", ColourModel::linear},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        write_file("bases/configuration.txt", c.file);
        reset_workspace();
        load_configuration();
        EXPECT_EQ(ws.settings.colour_model, c.model) << c.file;
    }
}

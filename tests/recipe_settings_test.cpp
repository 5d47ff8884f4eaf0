// tests/recipe_settings_test.cpp — the recipe's own efficiency and boil time over the brewery's settings, and
// the estimates, cost and export that follow them.
#include "calc/evaluate.h"
#include "calc/recipe_settings.h"
#include "calc_recipes.h"
#include "core/workspace.h"
#include "recipe/formats/beerxml_write.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

struct PlanSettingsCase {
    double plan_efficiency, plan_boil;
    double efficiency, boil; // the settings that apply
};
static const PlanSettingsCase kPlanSettings[] = {
    {-1, -1, 0.75, 60},   // no plan: the configuration's
    {68, -1, 0.68, 60},   // percent in the plan, a fraction in the settings
    {-1, 90, 0.75, 90},   //
    {0, 0, 0, 0},         // 0 is the recipe's own setting
    {NAN, NAN, 0.75, 60}, // not a number: the configuration's
    {82.5, 45, 0.825, 45},
};

TEST(RecipeSettings, ThePlanReplacesOnlyWhatItSets)
{
    Settings configured;
    configured.efficiency = 0.75;
    configured.boil_minutes = 60;
    configured.loss_boil = 10;
    for (const PlanSettingsCase& c : kPlanSettings) {
        BrewingPlan plan;
        plan.efficiency = c.plan_efficiency;
        plan.boil_minutes = c.plan_boil;
        const Settings s = settings_for_recipe(configured, plan);
        EXPECT_DOUBLE_EQ(s.efficiency, c.efficiency) << c.plan_efficiency;
        EXPECT_DOUBLE_EQ(s.boil_minutes, c.boil) << c.plan_boil;
        EXPECT_DOUBLE_EQ(s.loss_boil, 10);
    }
}

// The estimates, the cost and the export of the recipe on screen follow its own efficiency and boil time.
TEST(RecipeSettings, EstimatesCostAndExportFollowTheRecipesPlan)
{
    load_worked_example();
    ws.settings.boil_minutes = 60;
    ws.settings.heating_cost = 1;
    evaluate_recipe();
    const Estimates brewery = ws.estimates;
    const double brewery_cost = recipe_cost_on_screen();
    ws.plan.efficiency = 100 * ws.settings.efficiency + 10;
    ws.plan.boil_minutes = 120;
    evaluate_recipe();
    EXPECT_GT(ws.estimates.initial_density, brewery.initial_density + 1);
    EXPECT_NEAR(recipe_cost_on_screen() - brewery_cost, 1, 1e-9); // one more hour of heating
    const std::string document = beerxml_document(recipe_report_on_screen(), nullptr);
    EXPECT_NE(document.find("<BOIL_TIME>120</BOIL_TIME>"), std::string::npos);
    EXPECT_NE(document.find("<EFFICIENCY>" + format_decimals(ws.plan.efficiency, 0) + "</EFFICIENCY>"),
              std::string::npos);
}

struct FigureCase {
    const char* text;
    bool read;
    double value;
};
static const FigureCase kFigures[] = {
    {"", true, -1},       {"   ", true, -1},      {"72,5", true, 72.5}, {"72.5 %", true, 72.5},
    {"60 min", true, 60}, {"0", true, 0},         {"100", true, 100},   {"100.5", false, 0},
    {"-3", false, 0},     {"beaucoup", false, 0}, {"75 L", false, 0},   {"nan", false, 0},
};

TEST(RecipeSettings, PlanFiguresAreReadAsTypedOrRefused)
{
    for (const FigureCase& c : kFigures) {
        double value = 12345;
        EXPECT_EQ(plan_figure_of(c.text, 100, &value), c.read) << c.text;
        if (c.read) {
            EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        }
    }
    EXPECT_EQ(plan_figure_text(-1), "");
    EXPECT_EQ(plan_figure_text(72.5), "72.5");
}

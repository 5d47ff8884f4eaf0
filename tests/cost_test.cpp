// tests/cost_test.cpp — the cost of a line from its quantity and price, and of the whole recipe.
#include "calc/cost.h"
#include "calc/evaluate.h"
#include "calc_recipes.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

struct LineCostCase {
    const char* quantity;
    const char* price;
    double cost;
};
static const LineCostCase kLineCosts[] = {
    {"500 G", "4 KG", 2},       // grams at a price per kilogram
    {"2 KG", "0.01 G", 20},     // kilograms at a price per gram
    {"20 L", "3 KG", 0},        // litres priced by weight: no cost
    {"5KG", "2 KG", 10},        // only the last two characters count
    {"500G", "4 KG", 0},        // no blank before G: no unit
    {"20 L", "0.5 L", 10},      // litres at a price per litre
    {"3 KG", "2.5 KG", 7.5},    // the same unit
    {"250 G", "0.02 G", 5},     // the same unit
    {"5 KG", "", 0},            // no price
    {"", "2 KG", 0},            // no quantity
    {"1 G", "3 L", 0},          // weight priced by volume
    {"5 PCS", "2 PCS", 0},      // unknown units
    {"2.5 ML", "0.1 ML", 0.25}, // millilitres at a price per millilitre
    {"500 ML", "4 L", 2},       // millilitres at a price per litre
    {"2 L", "0.01 ML", 20},     // litres at a price per millilitre
    {"5 ML", "2 KG", 0},        // volume priced by weight
};

TEST(Cost, LineCostByUnits)
{
    for (const LineCostCase& c : kLineCosts) {
        RecipeLine line;
        line.quantity = c.quantity;
        line.price = c.price;
        EXPECT_NEAR(line_cost(figures_of(line)), c.cost, 1e-12) << c.quantity << " at " << c.price;
    }
}

TEST(Cost, EmptyRecipeCostsTheHeatingAlone)
{
    reset_workspace();
    ws.settings.boil_minutes = 60;
    ws.settings.rest_minutes[1] = 15;
    ws.settings.rest_minutes[2] = 45;
    ws.settings.rest_minutes[3] = 20;
    ws.settings.rest_minutes[4] = 10;
    ws.settings.rest_first[1] = 999; // the first number of a rest is not a duration
    ws.settings.heating_cost = 1.2;
    EXPECT_NEAR(recipe_cost_on_screen(), (60 + 15 + 45 + 20 + 10) / 60.0 * 1.2, 1e-12);
}

TEST(Cost, RecipeCostSumsEveryLine)
{
    load_worked_example(); // prices: water 0.01 L, malt 2 KG, hops 30 KG, yeast 3 G
    ws.settings.boil_minutes = 60;
    ws.settings.heating_cost = 0.5;
    add_recipe_line("", "AUTRE", "Mousse", "10 G", "", "", "", "EBULLITION",
                    "0.1 G"); // counts, as every line
    // 0.2 + 0.1 + 10 + 1.2 + 33 + 1 + heating 0.5
    EXPECT_NEAR(recipe_cost_on_screen(), 46.0, 1e-9);
}

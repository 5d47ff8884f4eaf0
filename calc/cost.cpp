// calc/cost.cpp — what a line and the whole recipe cost, from the prices and the heating time.
#include "calc/cost.h"

#include "core/quantity.h"
#include "core/text.h"
#include "core/workspace.h"

double line_cost(const std::string& quantity, const std::string& price)
{
    // The price is per unit of its own unit (3.5 KG is 3.5 per kilogram).
    const Unit quantity_unit = unit_of(quantity);
    const Unit price_unit = unit_of(price);
    const double q = text_to_number(quantity);
    const double p = text_to_number(price);
    if (quantity_unit == Unit::none || price_unit == Unit::none)
        return 0;
    if (quantity_unit == price_unit)
        return q * p;
    if (quantity_unit == Unit::gram && price_unit == Unit::kilogram)
        return q / 1000 * p;
    if (quantity_unit == Unit::kilogram && price_unit == Unit::gram)
        return q * p * 1000;
    return 0;
}

double recipe_cost()
{
    const Settings& s = ws.settings;
    double cost = 0;
    for (int k = 1; k <= ws.line_count; k++)
        cost += line_cost(ws.lines[k].quantity, ws.lines[k].price);
    // Heating: the boil and the four rests, each at the cost of one hour.
    cost += s.boil_minutes / 60 * s.heating_cost;
    for (int rest = 1; rest <= 4; rest++)
        cost += s.rest_minutes[rest] / 60 * s.heating_cost;
    return cost;
}

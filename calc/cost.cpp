// calc/cost.cpp — what a line and the whole recipe cost, from the prices and the heating time.
#include "calc/cost.h"

#include "core/text.h"
#include "core/workspace.h"

static std::string unit_of(const std::string& text)
{
    return text.size() >= 2 ? text.substr(text.size() - 2) : std::string();
}

double line_cost(const std::string& quantity, const std::string& price)
{
    // The price is per unit of its own unit (3.5 KG is 3.5 per kilogram).
    std::string quantity_unit = unit_of(quantity);
    std::string price_unit = unit_of(price);
    double q = text_to_number(quantity);
    double p = text_to_number(price);
    if (quantity_unit == " L" && price_unit == " L")
        return q * p;
    if (quantity_unit == "KG" && price_unit == "KG")
        return q * p;
    if (quantity_unit == " G" && price_unit == " G")
        return q * p;
    if (quantity_unit == " G" && price_unit == "KG")
        return q / 1000 * p;
    if (quantity_unit == "KG" && price_unit == " G")
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

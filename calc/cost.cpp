// calc/cost.cpp — what a line and a whole recipe cost, from the prices and the heating time.
#include "calc/cost.h"

#include "core/brewing_units.h"

double line_cost(const LineFigures& line)
{
    const double q = line.amount;
    const double p = line.price;
    if (line.unit == Unit::none || line.price_unit == Unit::none)
        return 0;
    if (line.unit == line.price_unit)
        return q * p;
    if (line.unit == Unit::gram && line.price_unit == Unit::kilogram)
        return kg_of_grams(q) * p;
    if (line.unit == Unit::kilogram && line.price_unit == Unit::gram)
        return q * p * kGramsPerKilogram; // grams of the quantity at the price per gram, in this order
    if (line.unit == Unit::millilitre && line.price_unit == Unit::litre)
        return litres_of_ml(q) * p;
    if (line.unit == Unit::litre && line.price_unit == Unit::millilitre)
        return q * p * kMillilitresPerLitre;
    return 0;
}

double recipe_cost(const RecipeLine* lines, size_t count, const Settings& s)
{
    double cost = 0;
    for (size_t k = 0; k < count; k++)
        cost += line_cost(figures_of(lines[k]));
    // Heating: the boil and the four rests, each at the cost of one hour.
    cost += s.boil_minutes / 60 * s.heating_cost;
    for (int rest = 1; rest <= 4; rest++)
        cost += s.rest_minutes[rest] / 60 * s.heating_cost;
    return cost;
}

// core/quantity.h — the unit of a quantity text, the weight and litres it stands for, and quantities written
// back as text.
#pragma once

#include "core/brewing_units.h"
#include "core/text.h"

#include <string>

// The unit named by the text's last two bytes: " L", "KG" (with or without a blank before it), " G", "ML"
// (with or without a blank before it).
// Inline with the weight rule below: the evaluation applies them to every line.
inline Unit unit_of(const std::string& quantity)
{
    const size_t n = quantity.size();
    if (n < 2)
        return Unit::none;
    const char a = quantity[n - 2];
    const char b = quantity[n - 1];
    if (a == ' ' && b == 'L')
        return Unit::litre;
    if (a == 'K' && b == 'G')
        return Unit::kilogram;
    if (a == ' ' && b == 'G')
        return Unit::gram;
    if (a == 'M' && b == 'L')
        return Unit::millilitre;
    return Unit::none;
}

// A quantity as a weight, both figures read from the same number so that neither is rounded from the other.
struct Weight {
    double kg = 0;
    double grams = 0;
};

// The weight of a quantity text: "KG" as is, " G" / 1000 (grams as written), anything else 0.
inline Weight weight_of(const std::string& quantity)
{
    Weight w;
    switch (unit_of(quantity)) {
    case Unit::kilogram:
        w.kg = text_to_number(quantity);
        w.grams = grams_of_kg(w.kg);
        break;
    case Unit::gram:
        w.grams = text_to_number(quantity);
        w.kg = kg_of_grams(w.grams);
        break;
    default:
        break;
    }
    return w;
}

// Weight in kilograms of a quantity text (the weight rule above).
double quantity_in_kg(const std::string& quantity);

// Litres of a water quantity: its leading number, whatever unit follows.
double quantity_in_litres(const std::string& quantity);

// The amount in capitals (1e+38 as 1E+38) and its unit: " L", " KG", " G", " ML", nothing for none.
std::string quantity_text(double amount, Unit unit);

// The same with the amount rounded half up to `decimals` (0 to 3) as format_decimals writes it.
std::string quantity_text(double amount, Unit unit, int decimals);

// core/quantity.cpp — the unit of a quantity text, the weight and litres it stands for, and quantities
// written back as text.
#include "core/quantity.h"

#include "core/text.h"

double quantity_in_kg(const std::string& quantity)
{
    return weight_of(quantity).kg;
}

double quantity_in_litres(const std::string& quantity)
{
    return text_to_number(quantity);
}

static const char* unit_text(Unit unit)
{
    switch (unit) {
    case Unit::litre:
        return " L";
    case Unit::kilogram:
        return " KG";
    case Unit::gram:
        return " G";
    case Unit::millilitre:
        return " ML";
    default:
        return "";
    }
}

// In capitals like every quantity of a line, so that the text reads back the same.
std::string quantity_text(double amount, Unit unit)
{
    return upper_ascii(number_to_text(amount)) + unit_text(unit);
}

std::string quantity_text(double amount, Unit unit, int decimals)
{
    return upper_ascii(format_decimals(amount, decimals)) + unit_text(unit);
}

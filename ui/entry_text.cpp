// ui/entry_text.cpp — how the text typed into a dialog entry is cleaned before it is stored (no GTK here).
#include "ui/entry_text.h"

#include "core/keywords.h"
#include "core/stated_acidity.h"
#include "core/text.h"

#include <glib.h>

#include <cmath>

std::string clean_entry_text(const std::string& typed, int mode)
{
    std::string text = typed;
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    const std::string::size_type first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        text.clear();
    else
        text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (mode == ENTRY_NUMBER)
        text = upper_ascii(commas_to_points(text));
    return text;
}

namespace
{

enum class UnitRule { any, litres, weight, none_or_litres, none_or_vol, none_or_celsius };

UnitRule quantity_rule(const std::string& category)
{
    const Category c = category_of(category);
    if (c == Category::water)
        return UnitRule::litres;
    if (is_grain(c) || is_hop(c) || c == Category::sugar || c == Category::powder_extract ||
        c == Category::liquid_extract)
        return UnitRule::weight;
    return UnitRule::any;
}

std::string quantity_hint(const std::string& category)
{
    const Category c = category_of(category);
    if (c == Category::water)
        return "Quantité : un nombre de litres suivi de L, par exemple « 15 L ».";
    if (is_hop(c))
        return "Quantité : un nombre suivi de G (ou KG), par exemple « 40 G ».";
    if (quantity_rule(category) == UnitRule::weight)
        return "Quantité : un nombre suivi de KG (ou G), par exemple « 5 KG ».";
    return "Quantité : un nombre suivi de son unité, par exemple « 11.5 G ».";
}

// The length of the plain decimal that starts the text (digits with at most one point), 0 when it does not
// start with one. A sign, an exponent, "INF", "NAN" and hexadecimal are not numbers a brewer types.
size_t number_length(const std::string& text)
{
    size_t i = 0, digits = 0;
    while (i < text.size() && g_ascii_isdigit(text[i]))
        i++, digits++;
    if (i < text.size() && text[i] == '.') {
        i++;
        while (i < text.size() && g_ascii_isdigit(text[i]))
            i++, digits++;
    }
    return digits == 0 ? 0 : i;
}

// What may follow the number as its unit: no digit and no second decimal point, so that "1E3", "1.5.3" or
// "2 - 3" are not taken for a number followed by a unit.
bool is_unit(const std::string& unit)
{
    for (char c : unit)
        if (g_ascii_isdigit(c))
            return false;
    return unit.empty() || unit[0] != '.';
}

} // namespace

CheckedNumber check_number_entry(const std::string& typed, NumberField field, const std::string& category)
{
    CheckedNumber checked;
    UnitRule rule = UnitRule::any;
    switch (field) {
    case NumberField::quantity:
        rule = quantity_rule(category);
        checked.hint = quantity_hint(category);
        break;
    case NumberField::value:
        checked.hint = "Valeur : un nombre, par exemple « 3.5 » (virgule ou point).";
        break;
    case NumberField::yield:
        checked.hint = "Rendement : un nombre de pour cent, par exemple « 80 ».";
        break;
    case NumberField::time:
        checked.hint = "Temps : un nombre de minutes, par exemple « 60 ».";
        break;
    case NumberField::forced_volume:
        rule = UnitRule::none_or_litres;
        checked.hint = "Volume : un nombre de litres, par exemple « 20 » (0 pour annuler).";
        break;
    case NumberField::carbonation:
        rule = UnitRule::none_or_vol;
        checked.hint = "Carbonatation : un nombre de volumes de CO2, par exemple « 2.5 ».";
        break;
    case NumberField::temperature:
        rule = UnitRule::none_or_celsius;
        checked.hint = "Température : un nombre de degrés Celsius, par exemple « 67 ».";
        break;
    }
    const std::string text = clean_entry_text(typed, ENTRY_NUMBER);
    const size_t length = number_length(text);
    if (length == 0 || !std::isfinite(g_ascii_strtod(text.substr(0, length).c_str(), nullptr)))
        return checked;
    const std::string number = text.substr(0, length);
    std::string unit = text.substr(length);
    unit.erase(0, unit.find_first_not_of(' '));
    // A grain's colour may be followed by its distilled-water pH and buffering ("3.5 PH 5.72 TAMPON 38").
    const bool acidity = field == NumberField::value && is_acidity_text(unit);
    if (!is_unit(unit) && !acidity)
        return checked;
    switch (rule) {
    case UnitRule::any:
        checked.text = text;
        break;
    case UnitRule::litres:
        if (unit != "L")
            return checked;
        checked.text = number + " L";
        break;
    case UnitRule::weight:
        if (unit != "KG" && unit != "G")
            return checked;
        checked.text = number + " " + unit;
        break;
    case UnitRule::none_or_litres:
    case UnitRule::none_or_vol:
        if (!unit.empty() && unit != (rule == UnitRule::none_or_litres ? "L" : "VOL"))
            return checked;
        checked.text = text;
        break;
    case UnitRule::none_or_celsius:
        if (!unit.empty() && unit != "C" && unit != "°C")
            return checked;
        checked.text = number;
        break;
    }
    checked.accepted = true;
    return checked;
}

CheckedNumber check_bounded_entry(const std::string& typed, NumberField field, double most, double* number)
{
    CheckedNumber checked = check_number_entry(typed, field);
    // "…, par exemple « 67 »." becomes "…, de 0 à 100, par exemple « 67 »."
    const std::string bound = ", de 0 à " + format_decimals(most, 0);
    const std::string::size_type example = checked.hint.find(", par exemple");
    checked.hint.insert(example == std::string::npos ? checked.hint.size() : example, bound);
    if (!checked.accepted)
        return checked;
    const double value = g_ascii_strtod(checked.text.c_str(), nullptr);
    if (!(value <= most)) {
        checked.accepted = false;
        return checked;
    }
    *number = value;
    return checked;
}

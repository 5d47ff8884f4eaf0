// recipe/formats/beerjson_units.cpp — one table of factors per kind of measured value; colours and gravities
// follow the same rules as the BeerXML reader, so both formats give the same recipe.
#include "recipe/formats/beerjson_units.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

namespace
{

struct Factor {
    const char* unit;
    double factor;
};

// The unit's factor, whatever the case; nullptr when the table does not hold it.
const Factor* find(const std::string& unit, std::initializer_list<Factor> table)
{
    for (const Factor& f : table)
        if (g_ascii_strcasecmp(unit.c_str(), f.unit) == 0)
            return &f;
    return nullptr;
}

bool scaled(const std::string& unit, double value, std::initializer_list<Factor> table, double* out)
{
    const Factor* f = find(unit, table);
    if (!f)
        return false;
    *out = value * f->factor;
    return true;
}

constexpr double kUsFluidOunce = 0.0295735295625; // litres
constexpr double kImperialFluidOunce = 0.0284130625;

// The degree sign is dropped: "°C" is "C", "°P" is "P".
std::string without_degree(const std::string& unit)
{
    return unit.compare(0, 2, "\xC2\xB0") == 0 ? unit.substr(2) : unit;
}

} // namespace

bool beerjson_convert(JsonMeasure kind, const std::string& raw_unit, double value, double* out)
{
    const std::string unit = without_degree(raw_unit);
    switch (kind) {
    case JsonMeasure::mass:
        return scaled(unit, value,
                      {{"kg", 1},
                       {"g", 0.001},
                       {"mg", 1e-6},
                       {"lb", 0.45359237},
                       {"lbs", 0.45359237},
                       {"oz", 0.028349523125}},
                      out);
    case JsonMeasure::volume:
        return scaled(unit, value,
                      {{"l", 1},
                       {"ml", 0.001},
                       {"cl", 0.01},
                       {"hl", 100},
                       {"tsp", kUsFluidOunce / 6},
                       {"tbsp", kUsFluidOunce / 2},
                       {"floz", kUsFluidOunce},
                       {"cup", kUsFluidOunce * 8},
                       {"pt", kUsFluidOunce * 16},
                       {"qt", kUsFluidOunce * 32},
                       {"gal", kUsFluidOunce * 128},
                       {"bbl", kUsFluidOunce * 128 * 31}, // the US beer barrel
                       {"ifloz", kImperialFluidOunce},
                       {"ipt", kImperialFluidOunce * 20},
                       {"iqt", kImperialFluidOunce * 40},
                       {"igal", kImperialFluidOunce * 160},
                       {"ibbl", kImperialFluidOunce * 160 * 36}},
                      out);
    case JsonMeasure::temperature:
        if (g_ascii_strcasecmp(unit.c_str(), "F") == 0) {
            *out = (value - 32) / 1.8;
            return true;
        }
        if (g_ascii_strcasecmp(unit.c_str(), "K") == 0) {
            *out = value - 273.15;
            return true;
        }
        return scaled(unit, value, {{"C", 1}}, out);
    case JsonMeasure::time:
        return scaled(unit, value,
                      {{"min", 1},
                       {"sec", 1.0 / 60},
                       {"s", 1.0 / 60},
                       {"hr", 60},
                       {"h", 60},
                       {"hour", 60},
                       {"hours", 60},
                       {"day", 1440},
                       {"days", 1440},
                       {"d", 1440},
                       {"week", 10080},
                       {"weeks", 10080}},
                      out);
    case JsonMeasure::colour: {
        double srm = 0;
        if (g_ascii_strcasecmp(unit.c_str(), "EBC") == 0) {
            *out = value;
            return true;
        }
        if (g_ascii_strcasecmp(unit.c_str(), "SRM") == 0)
            srm = value;
        else if (g_ascii_strcasecmp(unit.c_str(), "Lovi") == 0 ||
                 g_ascii_strcasecmp(unit.c_str(), "L") == 0 ||
                 g_ascii_strcasecmp(unit.c_str(), "Lovibond") == 0)
            srm = 1.3546 * value - 0.76;
        else
            return false;
        *out = std::max(0.0, 1.97 * srm); // the pale end of the Lovibond line stays at 0
        return true;
    }
    case JsonMeasure::gravity:
        if (g_ascii_strcasecmp(unit.c_str(), "sg") == 0) {
            *out = value >= 900 && value < 1300 ? value / 1000 : value; // density × 1000
            return true;
        }
        if (g_ascii_strcasecmp(unit.c_str(), "plato") == 0 || g_ascii_strcasecmp(unit.c_str(), "P") == 0 ||
            g_ascii_strcasecmp(unit.c_str(), "brix") == 0) {
            *out = 259 / (259 - value); // the estimates' own rule
            return true;
        }
        return false;
    case JsonMeasure::percent:
        return scaled(unit, value, {{"%", 1}, {"percent", 1}}, out);
    case JsonMeasure::carbonation:
        // A litre of CO2 weighs 1.977 g at 0 °C, the conditions a volume of CO2 is counted in.
        return scaled(unit, value, {{"vols", 1}, {"vol", 1}, {"volumes", 1}, {"g/l", 1 / 1.977}}, out);
    case JsonMeasure::bitterness:
        return scaled(unit, value, {{"IBUs", 1}, {"IBU", 1}}, out);
    case JsonMeasure::acidity:
        return scaled(unit, value, {{"pH", 1}}, out);
    }
    return false;
}

const char* beerjson_base_unit(JsonMeasure kind)
{
    static const char* const kBase[] = {"kg", "l", "C", "min", "EBC", "sg", "%", "vols", "IBUs", "pH"};
    return kBase[static_cast<int>(kind)];
}

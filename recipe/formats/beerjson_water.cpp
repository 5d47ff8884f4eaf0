// recipe/formats/beerjson_water.cpp — reads the ions, DI pH and sparge timing of a BeerJSON recipe with
// json-glib; every value of the file is checked before it is used.
#include "recipe/formats/beerjson_water.h"

#include <glib.h>
#include <json-glib/json-glib.h>

#include <cmath>

namespace
{

JsonObject* object_in(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    return node && JSON_NODE_HOLDS_OBJECT(node) ? json_node_get_object(node) : nullptr;
}

std::string text_in(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    if (!node || !JSON_NODE_HOLDS_VALUE(node) || json_node_get_value_type(node) != G_TYPE_STRING)
        return std::string();
    const char* text = json_node_get_string(node);
    return text ? text : "";
}

// A JSON number, or a text holding one number alone (some programs quote them); NaN otherwise.
double number_in(JsonObject* o, const char* name)
{
    JsonNode* node = o ? json_object_get_member(o, name) : nullptr;
    if (!node || !JSON_NODE_HOLDS_VALUE(node))
        return NAN;
    const GType type = json_node_get_value_type(node);
    if (type == G_TYPE_DOUBLE)
        return json_node_get_double(node);
    if (type == G_TYPE_INT64)
        return static_cast<double>(json_node_get_int(node));
    if (type != G_TYPE_STRING)
        return NAN;
    const char* text = json_node_get_string(node);
    char* end = nullptr;
    const double x = g_ascii_strtod(text, &end);
    return end != text && end && *end == '\0' && std::isfinite(x) ? x : NAN;
}

// mg/L of a concentration; NaN when it is missing, negative, absurd or in a unit that is not one.
double milligrams_per_litre(JsonObject* water, const char* ion)
{
    JsonObject* measured = object_in(water, ion);
    const double value = number_in(measured, "value");
    if (!(value >= 0) || value > 1e5)
        return NAN;
    gchar* unit = g_ascii_strdown(text_in(measured, "unit").c_str(), -1);
    const std::string u = unit;
    g_free(unit);
    if (u == "ppm" || u == "mg/l")
        return value;
    if (u == "ppb")
        return value / 1000;
    return NAN;
}

} // namespace

bool read_beerjson_water(JsonObject* water, ForeignWater* out)
{
    ForeignWater w;
    w.name = text_in(water, "name");
    const struct {
        const char* member;
        double Ions::*ion;
    } kIons[] = {{"calcium", &Ions::ca},  {"magnesium", &Ions::mg}, {"sodium", &Ions::na},
                 {"sulfate", &Ions::so4}, {"chloride", &Ions::cl},  {"bicarbonate", &Ions::hco3}};
    for (const auto& ion : kIons) {
        const double mg = milligrams_per_litre(water, ion.member);
        if (std::isnan(mg))
            return false;
        w.ions.*ion.ion = mg;
    }
    const double ph = number_in(water, "pH");
    w.ph = ph >= 2 && ph <= 12 ? ph : NAN;
    *out = w;
    return true;
}

double read_beerjson_di_ph(JsonObject* fermentable)
{
    JsonObject* measured = object_in(fermentable, "di_ph");
    if (!measured || g_ascii_strcasecmp(text_in(measured, "unit").c_str(), "ph") != 0)
        return NAN;
    return number_in(measured, "value");
}

std::string beerjson_amount_unit(JsonObject* addition)
{
    gchar* unit = g_ascii_strdown(text_in(object_in(addition, "amount"), "unit").c_str(), -1);
    const std::string u = unit;
    g_free(unit);
    return u;
}

bool is_sparge_addition(JsonObject* addition, JsonObject* mash)
{
    JsonObject* timing = object_in(addition, "timing");
    if (!mash || g_ascii_strcasecmp(text_in(timing, "use").c_str(), "add_to_mash") != 0)
        return false;
    const double step = number_in(timing, "step");
    JsonNode* steps = json_object_get_member(mash, "mash_steps");
    if (!(step >= 1) || !steps || !JSON_NODE_HOLDS_ARRAY(steps))
        return false;
    JsonArray* array = json_node_get_array(steps);
    if (step > json_array_get_length(array))
        return false;
    JsonNode* node = json_array_get_element(array, static_cast<guint>(step) - 1);
    if (!JSON_NODE_HOLDS_OBJECT(node))
        return false;
    return g_ascii_strcasecmp(text_in(json_node_get_object(node), "type").c_str(), "sparge") == 0;
}

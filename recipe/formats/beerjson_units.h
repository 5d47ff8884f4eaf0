// recipe/formats/beerjson_units.h — BeerJSON's measured values ({"unit": …, "value": …}) in the units the
// foreign recipe records use, whatever unit each value states.
#pragma once

#include <string>

// The kinds of measured value BeerJSON has, each read into one unit of Cuvelo's.
enum class JsonMeasure {
    mass,        // kg
    volume,      // litres
    temperature, // °C
    time,        // minutes
    colour,      // EBC
    gravity,     // specific gravity
    percent,     // percent
    carbonation, // volumes of CO2
    bitterness,  // IBU
    acidity,     // pH
};

// `value` stated in `unit` converted into the kind's unit; false when the kind has no such unit. Units are
// matched whatever their case, with the spellings programs write beside the standard's ("L", "°C", "days").
bool beerjson_convert(JsonMeasure kind, const std::string& unit, double value, double* converted);

// The standard's spelling of the unit each kind is converted into, as a message names it ("kg", "l", "C").
const char* beerjson_base_unit(JsonMeasure kind);

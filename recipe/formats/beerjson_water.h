// recipe/formats/beerjson_water.h — the water side of a BeerJSON recipe as its reader needs it: the ions of
// a water addition, the DI pH of a fermentable, the unit of an addition and whether it goes to the sparge.
#pragma once

#include "recipe/formats/foreign_recipe.h"

#include <string>

typedef struct _JsonObject JsonObject;

// The water of a water addition (or profile) with its six ions, each converted from ppm, mg/l or ppb; false
// when one of them is missing or unreadable.
bool read_beerjson_water(JsonObject* water, ForeignWater* out);

// A fermentable's DI pH ({"unit": "pH", "value": 5.7}); NaN when it gives none.
double read_beerjson_di_ph(JsonObject* fermentable);

// The unit of an addition's amount, in lower case ("" when it has none).
std::string beerjson_amount_unit(JsonObject* addition);

// True when an addition is timed into the mash at a step of `mash` whose type is "sparge" (the rinse).
bool is_sparge_addition(JsonObject* addition, JsonObject* mash);

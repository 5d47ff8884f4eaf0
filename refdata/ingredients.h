// refdata/ingredients.h — reads "ingredients.txt" of the bases folder into the ingredient database.
#pragma once

#include "core/records.h"

#include <cstdint>
#include <string>

// Entries per category group: identifiers run from base + 1 to base + 99, so no two groups' ranges meet.
constexpr int32_t kGroupCapacity = 99;

// The category group of a keyword: 1 water, 2 grains, 3 hops, 4 sugars, extracts and others, 5 yeast;
// 0 for any other text (case counts). It is also the number of the ingredient menu that lists the group.
int ingredient_group(const std::string& category);

// Reads the database and numbers each entry by its category group (101, 201, 301, 401, 501 ...); a group's
// 100th and later entries are left out.
void load_ingredients();

// Appends one entry; quantity, value, yield and time are upper-cased. Ignored when the database is full.
void add_ingredient(const IngredientEntry& entry);

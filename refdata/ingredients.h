// refdata/ingredients.h — reads "./bases/ingredients.txt" into the ingredient database.
#pragma once

#include <cstdint>
#include <string>

// Reads the database and numbers each entry by its category group (101, 201, 301, 401, 501 ...).
void load_ingredients();

// Appends one entry; quantity, value, yield and time are upper-cased. Ignored when the database is full.
void add_ingredient(int32_t id, const std::string& category, const std::string& picture,
                    const std::string& designation, const std::string& quantity, const std::string& value,
                    const std::string& yield, const std::string& time, const std::string& step,
                    const std::string& price, const std::string& group);

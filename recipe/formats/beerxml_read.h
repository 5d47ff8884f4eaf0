// recipe/formats/beerxml_read.h — reads a BeerXML 1.0 file into the foreign recipe records, whatever its
// quirks; what had to be corrected is said in French beside each recipe.
#pragma once

#include "recipe/formats/foreign_recipe.h"

#include <string>

// Reads the bytes of a file. One bad field never loses its recipe, and one recipe GMarkup cannot read
// never loses the others; a file holding no recipe is refused with a message naming what it holds. Time and
// memory stay proportional to the file's size: what lies beyond the caps is counted, not read.
ForeignFile read_beerxml(const std::string& bytes);

// Reads a whole file with read_beerxml; false, with a French reason in `why`, when it cannot be read.
bool read_beerxml_file(const std::string& path, ForeignFile* content, std::string* why);

// The number and unit that start a text, in the unit `unit` names ("kg", "l", "min", "sg", "srm" or "ebc"
// (both read into EBC, Lovibond taken as SRM), "c", "%", ""); false when it starts with no number. `plain` is
// set when the text held nothing but the number.
bool beerxml_number(const std::string& text, const char* unit, double* value, bool* plain);

// recipe/formats/beerxml_brewtarget.h — what the BeerXML files Brewtarget writes mean by their figures, where
// Brewtarget counts otherwise than the standard's words suggest.
#pragma once

#include "recipe/formats/beerxml_tree.h"
#include "recipe/formats/foreign_recipe.h"

// True for a recipe that Brewtarget wrote: it signs ASST_BREWER "Brewtarget: free beer software".
bool written_by_brewtarget(const XmlNode& recipe_node);

// Brings a recipe read from a Brewtarget file to the figures Brewtarget brews it with, each change said among
// its corrections: every fermentable's yield less its MOISTURE, and the forced volume at the end of the boil
// (BATCH_SIZE plus the equipment's TRUB_CHILLER_LOSS), over which Brewtarget counts its estimates.
void read_brewtarget_figures(const XmlNode& recipe_node, ForeignRecipe& recipe);

// core/line_figures.h — what the texts of a recipe line mean as numbers, read in one place by one table.
#pragma once

#include "core/brewing_units.h"
#include "core/keywords.h"
#include "core/records.h"

// The figures of one recipe line. A line keeps its texts (a file's bytes are saved back as read); every rule
// that computes with a line reads these instead. What `value`, `yield` and `time` mean depends on the
// category:
//
//   category                                   value            yield                time
//   MALT MALTFROMENT MALTSPECIAL GRAIN FLOCON   colour_ebc       extract_percent      minutes in a boil step
//   SUCRE EXTRAITPOUDRE EXTRAITLIQUIDE         colour_ebc       extract_percent      minutes in a boil step
//   HOUBLONCONE HOUBLONPELLET                  alpha_percent    (not read)           minutes
//   LEVURE                                     (not read)       attenuation_percent  minutes in a boil step
//   EAU                                        (not read)       (not read)           minutes in a boil step
//   AUTRE, any other text                      (not read)       (not read)           minutes
//
// The boil steps are EBULLITION, AMERISATION and AROMATISATION: the brewing order sorts their lines by time.
// A field that is not read is 0. Every number is the text's leading number (core/text.h), so "12 %" reads 12
// and a word reads 0. No member has a default: an array of them costs no clearing; LineFigures{} is all 0.
struct LineFigures {
    Category category;
    Step step;
    Unit unit;     // the unit the quantity ends with
    double amount; // the quantity's number in its own unit (a water's litres, whatever it ends with)
    double kg;     // the weight: "KG" as written, " G" / 1000, 0 for any other unit
    double grams;  // the same weight in grams: " G" as written, "KG" × 1000
    double litres; // the volume: " L" as written, " ML" / 1000, 0 for any other unit
    double colour_ebc;
    double alpha_percent;
    double extract_percent; // percent of the weight that becomes extract
    double attenuation_percent;
    double minutes;
    Unit price_unit; // the price is per unit of its own unit
    double price;
};

// True for the categories whose extract counts: the five grains, SUCRE, EXTRAITPOUDRE, EXTRAITLIQUIDE.
inline bool is_fermentable(Category c)
{
    return is_grain(c) || c == Category::sugar || c == Category::powder_extract ||
           c == Category::liquid_extract;
}

// The figures of a line by the table above.
LineFigures figures_of(const RecipeLine& line);

// The same without the price (unit none, 0), for the rules that never read it: the estimates run at every
// change and trial, the cost only when it is asked for.
LineFigures brewing_figures_of(const RecipeLine& line);

// The figures with the quantity text replaced by `quantity`: its unit and amount read as figures_of reads
// them.
LineFigures with_quantity(LineFigures figures, const std::string& quantity);

// The figures with the quantity changed to `amount` of the same unit, the weight following it as a quantity
// text holding that exact number would give.
LineFigures with_amount(LineFigures figures, double amount);

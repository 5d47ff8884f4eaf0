// core/keywords.h — the category and brewing-step keywords, each text recognised once, byte for byte.
#pragma once

#include <string_view>

// The thirteen category keywords of the ingredient database, or none of them.
enum class Category {
    other,
    water,          // EAU
    malt,           // MALT
    wheat_malt,     // MALTFROMENT
    special_malt,   // MALTSPECIAL
    grain,          // GRAIN
    flakes,         // FLOCON
    hop_cone,       // HOUBLONCONE
    hop_pellet,     // HOUBLONPELLET
    other_addition, // AUTRE
    sugar,          // SUCRE
    powder_extract, // EXTRAITPOUDRE
    liquid_extract, // EXTRAITLIQUIDE
    yeast,          // LEVURE
};

// The six brewing-step keywords, or none of them.
enum class Step {
    other,
    mash,         // EMPATAGE
    rinse,        // RINCAGE
    boil,         // EBULLITION
    bittering,    // AMERISATION
    aroma,        // AROMATISATION
    fermentation, // FERMENTATION
};

// The category a text names; case, spaces and every other byte count.
Category category_of(std::string_view text);

// The brewing step a text names; case, spaces and every other byte count.
Step step_of(std::string_view text);

// True for the five categories that are mashed: MALT, MALTFROMENT, MALTSPECIAL, GRAIN, FLOCON.
inline bool is_grain(Category c)
{
    return c == Category::malt || c == Category::wheat_malt || c == Category::special_malt ||
           c == Category::grain || c == Category::flakes;
}

// True for HOUBLONCONE and HOUBLONPELLET.
inline bool is_hop(Category c)
{
    return c == Category::hop_cone || c == Category::hop_pellet;
}

// True for the three boil steps of a hop: EBULLITION, AMERISATION, AROMATISATION.
inline bool is_boil_step(Step s)
{
    return s == Step::boil || s == Step::bittering || s == Step::aroma;
}

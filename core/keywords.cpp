// core/keywords.cpp — recognises the category and step keywords; the length picks the few candidates.
#include "core/keywords.h"

using namespace std::string_view_literals;

Category category_of(std::string_view text)
{
    // Dispatching on the length first leaves at most two byte comparisons per text, where a chain of
    // comparisons with C strings measured every keyword's length again on each line.
    switch (text.size()) {
    case 3:
        return text == "EAU"sv ? Category::water : Category::other;
    case 4:
        return text == "MALT"sv ? Category::malt : Category::other;
    case 5:
        if (text == "GRAIN"sv)
            return Category::grain;
        if (text == "AUTRE"sv)
            return Category::other_addition;
        if (text == "SUCRE"sv)
            return Category::sugar;
        return Category::other;
    case 6:
        if (text == "FLOCON"sv)
            return Category::flakes;
        if (text == "LEVURE"sv)
            return Category::yeast;
        return Category::other;
    case 11:
        if (text == "MALTFROMENT"sv)
            return Category::wheat_malt;
        if (text == "MALTSPECIAL"sv)
            return Category::special_malt;
        if (text == "HOUBLONCONE"sv)
            return Category::hop_cone;
        return Category::other;
    case 13:
        if (text == "HOUBLONPELLET"sv)
            return Category::hop_pellet;
        if (text == "EXTRAITPOUDRE"sv)
            return Category::powder_extract;
        return Category::other;
    case 14:
        return text == "EXTRAITLIQUIDE"sv ? Category::liquid_extract : Category::other;
    default:
        return Category::other;
    }
}

Step step_of(std::string_view text)
{
    switch (text.size()) {
    case 7:
        return text == "RINCAGE"sv ? Step::rinse : Step::other;
    case 8:
        return text == "EMPATAGE"sv ? Step::mash : Step::other;
    case 10:
        return text == "EBULLITION"sv ? Step::boil : Step::other;
    case 11:
        return text == "AMERISATION"sv ? Step::bittering : Step::other;
    case 12:
        return text == "FERMENTATION"sv ? Step::fermentation : Step::other;
    case 13:
        return text == "AROMATISATION"sv ? Step::aroma : Step::other;
    default:
        return Step::other;
    }
}

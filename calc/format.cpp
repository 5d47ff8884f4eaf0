// calc/format.cpp — the beer colour scale and the style range colours of the displayed figures.
#include "calc/format.h"

#include "core/text.h"

#include <cmath>

// Index = colour in SRM; from white through straw, gold, amber and brown to near black.
static const char* const kBeerColours[41] = {
    "#FFFFFF", "#FFE699", "#FFD878", "#FFCA5A", "#FFBF42", "#FBB123", "#F8A600", "#F39C00", "#EA8F00",
    "#E58500", "#DE7C00", "#D77200", "#CF6900", "#CB6200", "#C35900", "#BB5100", "#B54C00", "#B04500",
    "#A63E00", "#A13700", "#9B3200", "#952D00", "#8E2900", "#882300", "#821E00", "#7B1A00", "#771900",
    "#701400", "#6A0E00", "#660D00", "#5E0B00", "#5A0A02", "#600903", "#520907", "#4C0505", "#470606",
    "#440607", "#3F0708", "#3B0607", "#3A070B", "#36080A",
};

std::string ebc_to_colour(int ebc)
{
    long srm = std::lround(ebc * 0.508);
    if (srm < 0)
        return "";
    if (srm > 40)
        return "#000000";
    return kBeerColours[srm];
}

// Pango accepts "#" with 3 or 6 hex digits; anything else would break the label's markup.
static std::string markup_colour(const std::string& digits, const char* fallback)
{
    bool valid = (digits.size() == 3 || digits.size() == 6) &&
                 digits.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    return "#" + (valid ? digits : std::string(fallback));
}

std::string range_colour(double x, double min, double max, const Settings& settings)
{
    if (!(x >= min))
        return markup_colour(settings.colour_min, "FF8C00");
    if (x > max)
        return markup_colour(settings.colour_max, "FF0000");
    return "#000";
}

// calc/grain_kind.cpp — what kind of grain a mashed line is, and the share of the grist brewers give that
// kind.
#include "calc/grain_kind.h"

#include <glib.h>

namespace
{

// The darkest caramel malts stop near 400 EBC (CaraAroma); chocolate and black malts start near 600.
constexpr double kRoastedFromEbc = 500;
// Munich and dark wheat malts stay under 30 EBC; amber, biscuit and caramel malts start near 40.
constexpr double kCrystalFromEbc = 40;

bool names_any(const std::string& lower, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (lower.find(word) != std::string::npos)
            return true;
    return false;
}

} // namespace

GrainKind grain_kind(const std::string& designation, double colour_ebc)
{
    gchar* folded = g_ascii_strdown(designation.c_str(), -1);
    const std::string lower = folded;
    g_free(folded);
    // Carafa is a roasted malt whose name starts like the caramel ones: the roasted words come first.
    if (colour_ebc >= kRoastedFromEbc ||
        names_any(lower, {"chocolat", "noir", "torréfi", "torrefi", "carafa", "black", "roast"}))
        return GrainKind::roasted;
    if (colour_ebc >= kCrystalFromEbc ||
        names_any(lower, {"cara", "crystal", "cristal", "caramel", "special b"}))
        return GrainKind::crystal;
    return GrainKind::base;
}

double usual_share(GrainKind kind)
{
    switch (kind) {
    case GrainKind::crystal:
        return 0.20;
    case GrainKind::roasted:
        return 0.10;
    default:
        return 1;
    }
}

std::string kind_name(GrainKind kind)
{
    switch (kind) {
    case GrainKind::crystal:
        return "malts caramel";
    case GrainKind::roasted:
        return "malts torréfiés";
    default:
        return "malts de base";
    }
}

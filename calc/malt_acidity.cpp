// calc/malt_acidity.cpp — the distilled-water pH and buffering of a grain from its kind and colour, by the
// figures deLange and Troester measured.
#include "calc/malt_acidity.h"

#include "calc/grain_kind.h"
#include "core/brewing_units.h"

#include <glib.h>

namespace
{

bool names_any(const std::string& lower, std::initializer_list<const char*> words)
{
    for (const char* word : words)
        if (lower.find(word) != std::string::npos)
            return true;
    return false;
}

MaltAcidity acidity(double di_ph, const char* kind)
{
    MaltAcidity a;
    a.di_ph = di_ph;
    a.kind = kind;
    return a;
}

} // namespace

MaltAcidity malt_acidity(Category category, const std::string& designation, double colour_ebc)
{
    gchar* folded = g_ascii_strdown(designation.c_str(), -1);
    const std::string lower = folded;
    g_free(folded);
    if (names_any(lower, {"acide", "acidul", "sauer"})) {
        MaltAcidity a = acidity(5.75, "malt acide");
        a.lactic_fraction = kAcidMaltLacticFraction;
        return a;
    }
    switch (grain_kind(designation, colour_ebc)) {
    case GrainKind::roasted:
        return acidity(4.71, "malt torréfié");
    case GrainKind::crystal:
        return acidity(5.22 - 0.00504 * lovibond_of_srm(srm_of_ebc(colour_ebc)), "malt caramel");
    case GrainKind::base:
        break;
    }
    if (category == Category::wheat_malt || names_any(lower, {"blé", "froment", "wheat"}))
        return acidity(6.04, "malt de blé");
    if (names_any(lower, {"munich"}))
        return acidity(5.43, "malt de Munich");
    if (names_any(lower, {"vienne", "vienna"}))
        return acidity(5.56, "malt de Vienne");
    if (names_any(lower, {"maris otter"}))
        return acidity(5.77, "malt Maris Otter");
    if (names_any(lower, {"6 rangs", "six rangs", "6-row", "6 row"}))
        return acidity(5.79, "malt 6 rangs");
    if (names_any(lower, {"pils"}))
        return acidity(5.75, "malt Pilsen");
    return acidity(5.70, "malt de base");
}

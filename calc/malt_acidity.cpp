// calc/malt_acidity.cpp — the distilled-water pH and buffering of a grain from its kind and colour, by the
// figures deLange and Troester measured.
#include "calc/malt_acidity.h"

#include "calc/grain_kind.h"
#include "core/brewing_units.h"
#include "core/stated_acidity.h"
#include "core/text.h"

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

MaltAcidity grain_acidity(Category category, const std::string& designation, const std::string& value)
{
    MaltAcidity a = malt_acidity(category, designation, text_to_number(value));
    if (a.lactic_fraction > 0)
        return a;
    const StatedAcidity stated = stated_acidity(value);
    if (stated.di_ph > 0) {
        a.di_ph = stated.di_ph;
        a.di_ph_stated = true;
    }
    if (stated.buffering < 0) {
        a.buffering = stated.buffering;
        a.buffering_stated = true;
    }
    return a;
}

std::string acidity_text(const MaltAcidity& a)
{
    std::string text = std::string(a.kind) + ", pH en eau distillée " +
                       (a.di_ph_stated ? "donné " : "estimé ") + format_decimals(a.di_ph, 2);
    if (a.buffering_stated)
        text += ", pouvoir tampon donné " + format_decimals(-a.buffering, 1) + " mEq/(kg·pH)";
    return text;
}

// calc/priming.cpp — grams of sugar or malt extract per litre, and for the batch, for the wanted carbonation.
#include "calc/priming.h"

#include "core/text.h"

#include <cmath>

Priming priming_for(double volumes)
{
    Priming p;
    p.sugar_per_litre = volumes * 3.82 + (-3.29);
    p.extract_per_litre = volumes * 7.0 + (-6.02);
    return p;
}

std::string priming_text(const Priming& p, double volumes, double final_volume)
{
    // An infinite carbonation ("INF VOL" in a file) has no sensible answer either.
    if (!(p.sugar_per_litre > 0 && p.extract_per_litre > 0) || !std::isfinite(volumes))
        return "Impossible !";
    const double v = final_volume;
    return "Il faut par Litre :\r" + format_decimals(p.sugar_per_litre, 2) + " G de sucre en poudre ou " +
           format_decimals(p.extract_per_litre, 2) + " G d'extrait de malt." + "\r" + "\r" +
           "Soit au total pour cette recette :" + "\r" + format_decimals(v * p.sugar_per_litre, 2) +
           " G de sucre en poudre ou " + format_decimals(v * p.extract_per_litre, 2) +
           " G d'extrait de malt.";
}

std::string carbonation_message(const std::string& carbonation, const std::string& priming)
{
    return "Pour une carbonatation de " + carbonation + " :" + "\r" + "\r" + priming;
}

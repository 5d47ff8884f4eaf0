// calc/priming.cpp — grams of sugar or malt extract per litre, and for the batch, for the wanted carbonation.
#include "calc/priming.h"

#include "calc/format.h"
#include "core/text.h"
#include "core/workspace.h"

#include <cmath>

std::string priming_text()
{
    Estimates& e = ws.estimates;
    double volumes = text_to_number(ws.carbonation);
    // Grams per litre as a straight line of the carbonation in volumes of CO2.
    e.sugar_per_litre = volumes * 3.82 + (-3.29);
    e.extract_per_litre = volumes * 7.0 + (-6.02);
    // An infinite carbonation ("INF VOL" in a file) has no sensible answer either.
    if (!(e.sugar_per_litre > 0 && e.extract_per_litre > 0) || !std::isfinite(volumes))
        return "Impossible !";
    const double v = e.final_volume;
    return "Il faut par Litre :\r" + format_decimals(e.sugar_per_litre, 2) + " G de sucre en poudre ou " +
           format_decimals(e.extract_per_litre, 2) + " G d'extrait de malt." + "\r" + "\r" +
           "Soit au total pour cette recette :" + "\r" + format_decimals(v * e.sugar_per_litre, 2) +
           " G de sucre en poudre ou " + format_decimals(v * e.extract_per_litre, 2) +
           " G d'extrait de malt.";
}

// calc/priming.h — sugar or malt extract per litre for the wanted carbonation, and its message.
#pragma once

#include <string>

// Grams per litre of sugar and of malt extract, each a straight line of the carbonation in volumes of CO2.
struct Priming {
    double sugar_per_litre = 0;
    double extract_per_litre = 0;
};

// The priming for `volumes` of CO2; the figures may be 0 or below, where no priming gives them.
Priming priming_for(double volumes);

// The message for a batch of `final_volume` litres (lines separated by a lone CR), or "Impossible !" when no
// positive amount gives `volumes` or they are not finite.
std::string priming_text(const Priming& priming, double volumes, double final_volume);

// "Pour une carbonatation de <carbonation> :" and the priming message, as the carbonation command says it.
std::string carbonation_message(const std::string& carbonation, const std::string& priming);

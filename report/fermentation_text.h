// report/fermentation_text.h — a planned fermentation step as the brew sheet and the report write it.
#pragma once

#include "core/records.h"

#include <string>

// "Primaire : 7 jours à 19 °C", "Garde : à 4 °C" for a step of no set length; a step without a name is
// "Étape n° N", N counted from 1.
std::string fermentation_step_text(const FermentationStep& step, size_t number);

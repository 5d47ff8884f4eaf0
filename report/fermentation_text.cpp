// report/fermentation_text.cpp — a planned fermentation step in words.
#include "report/fermentation_text.h"

#include "core/text.h"

std::string fermentation_step_text(const FermentationStep& step, size_t number)
{
    const std::string name = step.name.find_first_not_of(' ') == std::string::npos
                                 ? "Étape n° " + std::to_string(number)
                                 : step.name;
    const std::string at = "à " + number_to_text(step.temperature) + " °C";
    if (!(step.days > 0))
        return name + " : " + at;
    return name + " : " + number_to_text(step.days) + (step.days <= 1 ? " jour " : " jours ") + at;
}

// refdata/configuration.cpp — reads the settings of "bases/configuration.txt".
#include "refdata/configuration.h"

#include "core/data_folders.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/reference_line.h"

#include <string>

namespace
{

// A numeric key: field 2 divided by `divisor` goes to `first`; field 3, when wanted, to `second`.
struct NumberKey {
    const char* key;
    double* first;
    double divisor;
    double* second;
};

struct TextKey {
    const char* key;
    std::string* member;
};

} // namespace

ColourModel colour_model_named(const std::string& text)
{
    // Hand-edited files: the case and blanks around the word do not matter.
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    const std::string word =
        first == std::string::npos ? "" : upper_ascii(text.substr(first, last - first + 1));
    return word == "MOREY" ? ColourModel::morey : ColourModel::linear;
}

bool load_configuration_file(const std::string& path)
{
    Settings& s = ws.settings;
    const NumberKey number_keys[] = {
        {"RENDEMENT", &s.efficiency, 100, nullptr},
        {"TEMPS_PALIER_PROTEINE", &s.rest_first[1], 1, &s.rest_minutes[1]},
        {"TEMPS_PALIER_MALTOSE", &s.rest_first[2], 1, &s.rest_minutes[2]},
        {"TEMPS_PALIER_DEXTRINE", &s.rest_first[3], 1, &s.rest_minutes[3]},
        {"TEMPS_PALIER_ENZYME", &s.rest_first[4], 1, &s.rest_minutes[4]},
        {"PERTE_GRAIN", &s.loss_grain, 1, nullptr},
        {"PERTE_HOUBLON", &s.loss_hops, 1, nullptr},
        {"PERTE_EMPATAGE", &s.loss_mash, 1, nullptr},
        {"PERTE_EBULLITION", &s.loss_boil, 1, nullptr},
        {"TEMPS_EBULLITION", &s.boil_minutes, 1, nullptr},
        {"ATTENUATION_MALT", &s.attenuation_malt, 100, nullptr},
        {"ATTENUATION_SUCRE", &s.attenuation_sugar, 100, nullptr},
        {"RENDEMENT_PELLET", &s.pellet_yield, 100, nullptr},
        {"COUT_CHAUFFE", &s.heating_cost, 1, nullptr},
        {"LITRE_PAR_KILO", &s.litres_per_kilo, 1, nullptr},
    };
    const TextKey text_keys[] = {
        {"NAVIGATEUR", &s.browser},
        {"COULEUR_MIN", &s.colour_min},
        {"COULEUR_MAX", &s.colour_max},
    };

    return for_each_reference_line(path, [&](const std::string& line) {
        const std::string key = tab_field(line, 1);
        for (const NumberKey& k : number_keys) {
            if (key != k.key)
                continue;
            *k.first = text_to_number(tab_field(line, 2)) / k.divisor;
            if (k.second)
                *k.second = text_to_number(tab_field(line, 3));
            return;
        }
        if (key == "MODELE_COULEUR") {
            s.colour_model = colour_model_named(tab_field(line, 2));
            return;
        }
        for (const TextKey& k : text_keys) {
            if (key == k.key) {
                *k.member = tab_field(line, 2);
                return;
            }
        }
    });
}

void load_configuration()
{
    load_configuration_file(data_folders().bases + "/configuration.txt");
}

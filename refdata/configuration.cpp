// refdata/configuration.cpp — reads the settings of "bases/configuration.txt".
#include "refdata/configuration.h"

#include "core/data_folders.h"
#include "core/text.h"
#include "core/workspace.h"
#include "refdata/reference_line.h"

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace
{

// A numeric key: field 2 divided by `divisor` goes to `first`; field 3, when wanted, to `second`.
struct NumberKey {
    const char* key;
    double Settings::*first;
    double divisor;
    int rest; // 1 to 4: field 2 goes to rest_first[rest], field 3 to rest_minutes[rest]; 0 for a plain key
};

const NumberKey kNumberKeys[] = {
    {"RENDEMENT", &Settings::efficiency, 100, 0},
    {"TEMPS_PALIER_PROTEINE", nullptr, 1, 1},
    {"TEMPS_PALIER_MALTOSE", nullptr, 1, 2},
    {"TEMPS_PALIER_DEXTRINE", nullptr, 1, 3},
    {"TEMPS_PALIER_ENZYME", nullptr, 1, 4},
    {"PERTE_GRAIN", &Settings::loss_grain, 1, 0},
    {"PERTE_HOUBLON", &Settings::loss_hops, 1, 0},
    {"PERTE_EMPATAGE", &Settings::loss_mash, 1, 0},
    {"PERTE_EBULLITION", &Settings::loss_boil, 1, 0},
    {"TEMPS_EBULLITION", &Settings::boil_minutes, 1, 0},
    {"ATTENUATION_MALT", &Settings::attenuation_malt, 100, 0},
    {"ATTENUATION_SUCRE", &Settings::attenuation_sugar, 100, 0},
    {"RENDEMENT_PELLET", &Settings::pellet_yield, 100, 0},
    {"COUT_CHAUFFE", &Settings::heating_cost, 1, 0},
    {"LITRE_PAR_KILO", &Settings::litres_per_kilo, 1, 0},
};

const struct {
    const char* key;
    std::string Settings::*member;
} kTextKeys[] = {
    {"NAVIGATEUR", &Settings::browser},
    {"COULEUR_MIN", &Settings::colour_min},
    {"COULEUR_MAX", &Settings::colour_max},
};

// The optional key: without it the colour rule is the linear one.
const char kColourModelKey[] = "MODELE_COULEUR";

// The optional key: the brewery's correction of the mash pH, added to every prediction (0 without it).
const char kPhCorrectionKey[] = "CORRECTION_PH";

// Stores the value(s) of one line; gives the key it set, or "" when its key is none of ours.
std::string read_line(const std::string& line, Settings& s)
{
    const std::string key = tab_field(line, 1);
    for (const NumberKey& k : kNumberKeys) {
        if (key != k.key)
            continue;
        const double value = text_to_number(tab_field(line, 2)) / k.divisor;
        if (k.rest) {
            s.rest_first[k.rest] = value;
            s.rest_minutes[k.rest] = text_to_number(tab_field(line, 3));
        } else {
            s.*k.first = value;
        }
        return key;
    }
    if (key == kColourModelKey) {
        s.colour_model = colour_model_named(tab_field(line, 2));
        return key;
    }
    if (key == kPhCorrectionKey) {
        const double correction = text_to_number(tab_field(line, 2));
        // A correction past one pH unit is a typing slip, not a malt lot: it is not applied.
        s.ph_correction = std::fabs(correction) <= 1 ? correction : 0;
        return key;
    }
    for (const auto& k : kTextKeys) {
        if (key == k.key) {
            s.*k.member = tab_field(line, 2);
            return key;
        }
    }
    return "";
}

// Reads the file's keys into `s`, each key set noted in `found`; false when it cannot be opened.
bool read_configuration(const std::string& path, Settings& s, std::set<std::string>& found)
{
    return for_each_reference_line(path, [&](const std::string& line) {
        const std::string key = read_line(line, s);
        if (!key.empty())
            found.insert(key);
    });
}

// Copies the value(s) of `key` from `from` into `to`.
void copy_key(const std::string& key, const Settings& from, Settings& to)
{
    for (const NumberKey& k : kNumberKeys) {
        if (key != k.key)
            continue;
        if (k.rest) {
            to.rest_first[k.rest] = from.rest_first[k.rest];
            to.rest_minutes[k.rest] = from.rest_minutes[k.rest];
        } else {
            to.*k.first = from.*k.first;
        }
    }
    for (const auto& k : kTextKeys)
        if (key == k.key)
            to.*k.member = from.*k.member;
}

// The eighteen keys (MODELE_COULEUR is optional) that `found` does not hold: numbers first, then texts.
std::vector<std::string> missing_configuration_keys(const std::set<std::string>& found)
{
    std::vector<std::string> missing;
    for (const NumberKey& k : kNumberKeys)
        if (!found.count(k.key))
            missing.push_back(k.key);
    for (const auto& k : kTextKeys)
        if (!found.count(k.key))
            missing.push_back(k.key);
    return missing;
}

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
    std::set<std::string> found;
    return read_configuration(path, ws.settings, found);
}

std::string load_configuration()
{
    const DataFolders& folders = data_folders();
    const std::string path = folders.bases + "/configuration.txt";
    std::set<std::string> found;
    const bool opened = read_configuration(path, ws.settings, found);
    const std::vector<std::string> missing = missing_configuration_keys(found);
    if (!found.empty() && missing.empty())
        return "";

    // The brewer's copy of the shared configuration: what it lacks comes from where it came from.
    Settings shared;
    std::set<std::string> shared_found;
    const std::string shared_path =
        folders.shared_bases.empty() ? "" : folders.shared_bases + "/configuration.txt";
    if (!shared_path.empty())
        read_configuration(shared_path, shared, shared_found);
    const std::string named = "La configuration « " + path + " »";
    if (found.empty()) {
        const std::string what =
            opened ? named + " ne contient aucun réglage reconnu (fichier vide, coupé ou abîmé)"
                   : named + " est absente ou illisible";
        if (shared_found.empty())
            return what + " : tous les réglages valent 0.";
        ws.settings = shared;
        return what + " : les réglages de « " + shared_path + " » sont utilisés à sa place.";
    }
    if (shared_found.empty())
        return ""; // a folder of its own (a working folder, --bases): a key it lacks is 0
    std::string keys;
    for (const std::string& key : missing) {
        copy_key(key, shared, ws.settings);
        keys += (keys.empty() ? "" : ", ") + key;
    }
    return named + " n'a pas " + (missing.size() > 1 ? "les réglages " : "le réglage ") + keys + " : " +
           (missing.size() > 1 ? "ceux" : "celui") + " de « " + shared_path + " » " +
           (missing.size() > 1 ? "sont utilisés." : "est utilisé.");
}

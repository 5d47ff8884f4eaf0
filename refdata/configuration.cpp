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

// Brew-day keys, optional: a configuration without them keeps the older figures (no warning either).
const NumberKey kBrewDayKeys[] = {
    {"EVAPORATION_HORAIRE", &Settings::boil_off_litres_per_hour, 1, 0},
    {"PERTE_CUVE_EBULLITION", &Settings::kettle_loss, 1, 0},
    {"PERTE_FERMENTEUR", &Settings::fermenter_loss, 1, 0},
    {"TEMPERATURE_GRAIN", &Settings::grain_temperature, 1, 0},
    {"PERTE_CHALEUR_CUVE", &Settings::tun_heat_loss, 1, 0},
    {"CONTRACTION_REFROIDISSEMENT", &Settings::cooling_shrinkage, 1, 0},
};

// The number key named `key` among the required and the brew-day ones; null when none.
const NumberKey* number_key(const std::string& key)
{
    for (const NumberKey& k : kNumberKeys)
        if (key == k.key)
            return &k;
    for (const NumberKey& k : kBrewDayKeys)
        if (key == k.key)
            return &k;
    return nullptr;
}
// The optional key: the brewery's correction of the mash pH, added to every prediction (0 without it).
const char kPhCorrectionKey[] = "CORRECTION_PH";
// The optional keys of the brewing models: without them the classic rules hold, and a hop stand is at 80 °C.
const char kGravityModelKey[] = "MODELE_DENSITE";
const char kBitternessModelKey[] = "MODELE_AMERTUME";
const char kAromaTemperatureKey[] = "TEMPERATURE_AROMATISATION";
const char kAttenuationModelKey[] = "MODELE_ATTENUATION";

// Stores the value of one brewing-model key; gives the key it set, or "".
std::string read_model_line(const std::string& key, const std::string& line, Settings& s)
{
    if (key == kGravityModelKey)
        s.gravity_model = gravity_model_named(tab_field(line, 2));
    else if (key == kBitternessModelKey)
        s.bitterness_model = bitterness_model_named(tab_field(line, 2));
    else if (key == kAromaTemperatureKey)
        s.aroma_celsius = text_to_number(tab_field(line, 2));
    else if (key == kAttenuationModelKey)
        s.attenuation_model = attenuation_model_named(tab_field(line, 2));
    else
        return "";
    return key;
}

// The word of a model key's value: upper-cased, the blanks around it dropped (hand-edited files).
std::string model_word(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : upper_ascii(text.substr(first, last - first + 1));
}

// Stores the value(s) of one line; gives the key it set, or "" when its key is none of ours.
std::string read_line(const std::string& line, Settings& s)
{
    const std::string key = tab_field(line, 1);
    if (const NumberKey* k = number_key(key)) {
        const double value = text_to_number(tab_field(line, 2)) / k->divisor;
        if (k->rest) {
            s.rest_first[k->rest] = value;
            s.rest_minutes[k->rest] = text_to_number(tab_field(line, 3));
        } else {
            s.*k->first = value;
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
    return read_model_line(key, line, s);
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
    if (const NumberKey* k = number_key(key)) {
        if (k->rest) {
            to.rest_first[k->rest] = from.rest_first[k->rest];
            to.rest_minutes[k->rest] = from.rest_minutes[k->rest];
        } else {
            to.*k->first = from.*k->first;
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
    return model_word(text) == "MOREY" ? ColourModel::morey : ColourModel::linear;
}

GravityModel gravity_model_named(const std::string& text)
{
    return model_word(text) == "EXTRAIT" ? GravityModel::extract : GravityModel::classic;
}

BitternessModel bitterness_model_named(const std::string& text)
{
    return model_word(text) == "TINSETH" ? BitternessModel::tinseth : BitternessModel::classic;
}

AttenuationModel attenuation_model_named(const std::string& text)
{
    return model_word(text) == "EMPATAGE" ? AttenuationModel::mash : AttenuationModel::classic;
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
    for (const NumberKey& k : kBrewDayKeys)
        if (!found.count(k.key) && shared_found.count(k.key))
            copy_key(k.key, shared, ws.settings);
    std::string keys;
    for (const std::string& key : missing) {
        copy_key(key, shared, ws.settings);
        keys += (keys.empty() ? "" : ", ") + key;
    }
    return named + " n'a pas " + (missing.size() > 1 ? "les réglages " : "le réglage ") + keys + " : " +
           (missing.size() > 1 ? "ceux" : "celui") + " de « " + shared_path + " » " +
           (missing.size() > 1 ? "sont utilisés." : "est utilisé.");
}

namespace
{

// What the settings dialog calls each key, and in what unit; a key missing here shows its own name.
const struct {
    const char* key;
    const char* label;
    const char* unit;
} kLabels[] = {
    {"RENDEMENT", "Rendement de l'installation", "%"},
    {"TEMPS_PALIER_PROTEINE", "Palier protéinique", "°C, min"},
    {"TEMPS_PALIER_MALTOSE", "Palier maltose (bêta-amylase)", "°C, min"},
    {"TEMPS_PALIER_DEXTRINE", "Palier dextrines (alpha-amylase)", "°C, min"},
    {"TEMPS_PALIER_ENZYME", "Palier de fin d'empâtage", "°C, min"},
    {"PERTE_GRAIN", "Eau retenue par les drêches", "L/kg"},
    {"PERTE_HOUBLON", "Moût retenu par le houblon", "L/kg"},
    {"PERTE_EMPATAGE", "Perte à l'empâtage", "%"},
    {"PERTE_EBULLITION", "Perte à l'ébullition", "%"},
    {"TEMPS_EBULLITION", "Durée de l'ébullition", "min"},
    {"ATTENUATION_MALT", "Atténuation de la part des grains", "%"},
    {"ATTENUATION_SUCRE", "Atténuation de la part des sucres", "%"},
    {"RENDEMENT_PELLET", "Rendement en amertume des pellets", "%"},
    {"COUT_CHAUFFE", "Coût d'une heure de chauffe", "€/h"},
    {"LITRE_PAR_KILO", "Eau d'empâtage par kilo de grain", "L/kg"},
    {"NAVIGATEUR", "Navigateur web", ""},
    {"COULEUR_MIN", "Couleur sous la plage du style", "RRVVBB"},
    {"COULEUR_MAX", "Couleur au-dessus de la plage du style", "RRVVBB"},
    {"MODELE_COULEUR", "Modèle de couleur (MOREY ou LINEAIRE)", ""},
    {"CORRECTION_PH", "Correction du pH d'empâtage prévu", "pH"},
    {"MODELE_DENSITE", "Modèle de densité (EXTRAIT ou CLASSIQUE)", ""},
    {"MODELE_AMERTUME", "Modèle d'amertume (TINSETH ou CLASSIQUE)", ""},
    {"TEMPERATURE_AROMATISATION", "Température du houblon d'aromatisation", "°C"},
    {"MODELE_ATTENUATION", "Modèle d'atténuation (EMPATAGE ou CLASSIQUE)", ""},
    {"EVAPORATION_HORAIRE", "Évaporation à l'ébullition (0 : la perte en %)", "L/h"},
    {"PERTE_CUVE_EBULLITION", "Perte en cuve d'ébullition (fond, trub, refroidisseur)", "L"},
    {"PERTE_FERMENTEUR", "Perte au fermenteur", "L"},
    {"TEMPERATURE_GRAIN", "Température du grain", "°C"},
    {"PERTE_CHALEUR_CUVE", "Chaleur prise par la cuve d'empâtage", "°C"},
    {"CONTRACTION_REFROIDISSEMENT", "Contraction du moût au refroidissement", "%"},
};

ConfigurationValue labelled(const std::string& key, std::vector<std::string> fields)
{
    ConfigurationValue v{key, key, "", std::move(fields)};
    for (const auto& l : kLabels)
        if (key == l.key) {
            v.label = l.label;
            v.unit = l.unit;
        }
    return v;
}

ConfigurationValue number_value(const NumberKey& k, const Settings& s)
{
    if (k.rest)
        return labelled(k.key,
                        {number_to_text(s.rest_first[k.rest]), number_to_text(s.rest_minutes[k.rest])});
    return labelled(k.key, {number_to_text(s.*k.first * k.divisor)});
}

} // namespace

std::vector<ConfigurationValue> configuration_values(const Settings& s)
{
    std::vector<ConfigurationValue> values;
    for (const NumberKey& k : kNumberKeys)
        values.push_back(number_value(k, s));
    for (const auto& k : kTextKeys)
        values.push_back(labelled(k.key, {s.*k.member}));
    values.push_back(
        labelled(kColourModelKey, {s.colour_model == ColourModel::morey ? "MOREY" : "LINEAIRE"}));
    values.push_back(labelled(kPhCorrectionKey, {number_to_text(s.ph_correction)}));
    values.push_back(
        labelled(kGravityModelKey, {s.gravity_model == GravityModel::extract ? "EXTRAIT" : "CLASSIQUE"}));
    values.push_back(labelled(kBitternessModelKey,
                              {s.bitterness_model == BitternessModel::tinseth ? "TINSETH" : "CLASSIQUE"}));
    values.push_back(labelled(kAromaTemperatureKey, {number_to_text(s.aroma_celsius)}));
    values.push_back(labelled(kAttenuationModelKey,
                              {s.attenuation_model == AttenuationModel::mash ? "EMPATAGE" : "CLASSIQUE"}));
    for (const NumberKey& k : kBrewDayKeys)
        values.push_back(number_value(k, s));
    return values;
}

bool set_configuration_value(Settings& s, const std::string& key, const std::vector<std::string>& fields)
{
    // A tab or line end inside a field would shift or split the key's line: a blank stands for it.
    std::string line = key;
    for (std::string field : fields) {
        for (char& c : field)
            if (c == '\t' || c == '\n' || c == '\r')
                c = ' ';
        line += "\t" + field;
    }
    return !read_line(line, s).empty();
}

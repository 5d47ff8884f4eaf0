// ui/installation_fields.cpp — where the "Installation…" dialog shows each configuration key and what it
// accepts there (no GTK here).
#include "ui/installation_fields.h"

#include "core/text.h"
#include "ui/entry_text.h"

#include <glib.h>

namespace
{

const char kBrewery[] = "Brasserie";
const char kBoil[] = "Ébullition";
const char kMash[] = "Empâtage";
const char kCosts[] = "Coûts";
const char kModels[] = "Modèles de calcul";
const char kDisplay[] = "Affichage";
const char kOthers[] = "Autres réglages";

// Beyond this a bound is no bound: the hint then names no range.
constexpr double kNoBound = 1e9;

struct Placed {
    const char* key;
    const char* page;
    const char* section;
    SettingKind kind;
    double least, most;               // the first (or only) field
    double second_least, second_most; // a rest's minutes
    std::vector<std::string> words;
};

// The bounds keep out what no brewery has and what the rules cannot take: a loss of 100 % would leave no
// wort to divide by, a rest past 100 °C is no mash.
const Placed kPlaced[] = {
    {"RENDEMENT", kBrewery, "Rendement", SettingKind::number, 0, 100, 0, 0, {}},
    {"PERTE_GRAIN", kBrewery, "Pertes", SettingKind::number, 0, 10, 0, 0, {}},
    {"PERTE_HOUBLON", kBrewery, "Pertes", SettingKind::number, 0, 100, 0, 0, {}},
    {"PERTE_EMPATAGE", kBrewery, "Pertes", SettingKind::number, 0, 99, 0, 0, {}},
    {"PERTE_CUVE_EBULLITION", kBrewery, "Pertes", SettingKind::number, 0, 1000, 0, 0, {}},
    {"PERTE_FERMENTEUR", kBrewery, "Pertes", SettingKind::number, 0, 1000, 0, 0, {}},
    {"TEMPS_EBULLITION", kBoil, "Ébullition", SettingKind::number, 0, 600, 0, 0, {}},
    {"PERTE_EBULLITION", kBoil, "Ébullition", SettingKind::number, 0, 99, 0, 0, {}},
    {"EVAPORATION_HORAIRE", kBoil, "Ébullition", SettingKind::number, 0, 100, 0, 0, {}},
    {"TEMPERATURE_AROMATISATION", kBoil, "Après l'ébullition", SettingKind::number, 0, 100, 0, 0, {}},
    {"CONTRACTION_REFROIDISSEMENT", kBoil, "Après l'ébullition", SettingKind::number, 0, 20, 0, 0, {}},
    {"TEMPS_PALIER_PROTEINE",
     kMash,
     "Paliers : température et durée",
     SettingKind::number,
     0,
     100,
     0,
     600,
     {}},
    {"TEMPS_PALIER_MALTOSE",
     kMash,
     "Paliers : température et durée",
     SettingKind::number,
     0,
     100,
     0,
     600,
     {}},
    {"TEMPS_PALIER_DEXTRINE",
     kMash,
     "Paliers : température et durée",
     SettingKind::number,
     0,
     100,
     0,
     600,
     {}},
    {"TEMPS_PALIER_ENZYME", kMash, "Paliers : température et durée", SettingKind::number, 0, 100, 0, 600, {}},
    {"LITRE_PAR_KILO", kMash, "Eau et températures", SettingKind::number, 0, 20, 0, 0, {}},
    {"TEMPERATURE_GRAIN", kMash, "Eau et températures", SettingKind::number, -20, 60, 0, 0, {}},
    {"PERTE_CHALEUR_CUVE", kMash, "Eau et températures", SettingKind::number, 0, 30, 0, 0, {}},
    {"CORRECTION_PH", kMash, "pH", SettingKind::number, -1, 1, 0, 0, {}},
    {"COUT_CHAUFFE", kCosts, "Chauffe", SettingKind::number, 0, 1000, 0, 0, {}},
    {"MODELE_COULEUR", kModels, "Modèles", SettingKind::word, 0, 0, 0, 0, {"MOREY", "LINEAIRE"}},
    {"MODELE_DENSITE", kModels, "Modèles", SettingKind::word, 0, 0, 0, 0, {"EXTRAIT", "CLASSIQUE"}},
    {"MODELE_AMERTUME", kModels, "Modèles", SettingKind::word, 0, 0, 0, 0, {"TINSETH", "CLASSIQUE"}},
    {"MODELE_ATTENUATION", kModels, "Modèles", SettingKind::word, 0, 0, 0, 0, {"EMPATAGE", "CLASSIQUE"}},
    {"ATTENUATION_MALT", kModels, "Facteurs", SettingKind::number, 0, 200, 0, 0, {}},
    {"ATTENUATION_SUCRE", kModels, "Facteurs", SettingKind::number, 0, 200, 0, 0, {}},
    {"RENDEMENT_PELLET", kModels, "Facteurs", SettingKind::number, 0, 200, 0, 0, {}},
    {"COULEUR_MIN", kDisplay, "Estimations hors de la plage du style", SettingKind::colour, 0, 0, 0, 0, {}},
    {"COULEUR_MAX", kDisplay, "Estimations hors de la plage du style", SettingKind::colour, 0, 0, 0, 0, {}},
    {"NAVIGATEUR", kDisplay, "Rapport et aide", SettingKind::text, 0, 0, 0, 0, {}},
};

// The text without the blanks around it.
std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

CheckedSetting check_number(const SettingRule& rule, const std::string& label, const std::string& unit,
                            size_t field, const std::string& typed)
{
    CheckedSetting checked;
    const double least = rule.least[field], most = rule.most[field];
    const std::string shown_unit = unit.empty() ? "" : " (" + unit + ")";
    checked.hint =
        label + " : un nombre" +
        (least > -kNoBound && most < kNoBound ? " de " + number_to_text(least) + " à " + number_to_text(most)
                                              : std::string()) +
        shown_unit + ".";
    std::string text = clean_entry_text(typed, ENTRY_NUMBER);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+') && least < 0) {
        negative = text[0] == '-';
        text = trimmed(text.substr(1));
    }
    const CheckedNumber number = check_number_entry(text, NumberField::value);
    if (!number.accepted)
        return checked;
    size_t length = 0;
    while (length < number.text.size() &&
           (g_ascii_isdigit(number.text[length]) || number.text[length] == '.'))
        length++;
    const std::string typed_unit = trimmed(number.text.substr(length));
    if (!typed_unit.empty() && typed_unit != upper_ascii(unit))
        return checked;
    double value = g_ascii_strtod(number.text.substr(0, length).c_str(), nullptr);
    if (negative)
        value = -value;
    if (value < least || value > most)
        return checked;
    checked.accepted = true;
    checked.text = number_to_text(value + 0.0); // + 0.0: a typed "-0" is 0
    return checked;
}

CheckedSetting check_colour(const std::string& label, const std::string& typed)
{
    CheckedSetting checked;
    checked.hint = label + " : six chiffres hexadécimaux RRVVBB (ou trois, RVB), par exemple « B00000 ».";
    std::string text = upper_ascii(clean_entry_text(typed, ENTRY_PLAIN));
    if (!text.empty() && text[0] == '#')
        text.erase(0, 1);
    if (text.size() != 3 && text.size() != 6)
        return checked;
    for (char c : text)
        if (!g_ascii_isxdigit(c))
            return checked;
    checked.accepted = true;
    checked.text = text;
    return checked;
}

CheckedSetting check_word(const SettingRule& rule, const std::string& label, const std::string& typed)
{
    CheckedSetting checked;
    std::string words;
    for (const std::string& word : rule.words)
        words += (words.empty() ? "" : " ou ") + word;
    checked.hint = label + " : " + words + ".";
    const std::string text = upper_ascii(clean_entry_text(typed, ENTRY_PLAIN));
    for (const std::string& word : rule.words)
        if (text == word) {
            checked.accepted = true;
            checked.text = word;
        }
    return checked;
}

CheckedSetting check_text(const std::string& label, const std::string& typed)
{
    CheckedSetting checked;
    checked.hint = label + " : un texte sans « # » ni virgule.";
    const std::string text = clean_entry_text(typed, ENTRY_PLAIN);
    if (text.find_first_of("#,") != std::string::npos)
        return checked;
    checked.accepted = true;
    checked.text = text;
    return checked;
}

} // namespace

SettingRule setting_rule(const std::string& key, const std::string& unit)
{
    SettingRule rule;
    int order = 0;
    for (const Placed& p : kPlaced) {
        order++;
        if (key != p.key)
            continue;
        rule.page = p.page;
        rule.section = p.section;
        rule.kind = p.kind;
        rule.least[0] = p.least;
        rule.most[0] = p.most;
        rule.least[1] = p.second_least;
        rule.most[1] = p.second_most;
        rule.words = p.words;
        rule.order = order;
        return rule;
    }
    rule.page = kOthers;
    rule.section = kOthers;
    rule.order = order + 1;
    if (!unit.empty()) {
        rule.kind = SettingKind::number;
        rule.least[0] = rule.least[1] = -kNoBound;
        rule.most[0] = rule.most[1] = kNoBound;
    }
    return rule;
}

std::vector<std::string> installation_pages()
{
    return {kBrewery, kBoil, kMash, kCosts, kModels, kDisplay, kOthers};
}

std::string field_unit(const std::string& unit, size_t field)
{
    const size_t comma = unit.find(", ");
    if (comma == std::string::npos)
        return field == 0 ? unit : "";
    return field == 0 ? unit.substr(0, comma) : unit.substr(comma + 2);
}

CheckedSetting check_setting_field(const SettingRule& rule, const std::string& label, const std::string& unit,
                                   size_t field, const std::string& typed)
{
    switch (rule.kind) {
    case SettingKind::number:
        if (unit.find(", ") != std::string::npos) // a rest: its temperature, then its minutes
            return check_number(rule, label + (field == 0 ? ", température" : ", durée"),
                                field_unit(unit, field), field > 1 ? 1 : field, typed);
        return check_number(rule, label, unit, 0, typed);
    case SettingKind::colour:
        return check_colour(label, typed);
    case SettingKind::word:
        return check_word(rule, label, typed);
    case SettingKind::text:
        break;
    }
    return check_text(label, typed);
}

std::string section_note(const std::string& section)
{
    if (section == "Chauffe")
        return "Le prix de revient compte ce coût pendant l'ébullition et les paliers de la recette ; le "
               "prix "
               "des ingrédients vient de leur base.";
    if (section == "Paliers : température et durée")
        return "Les paliers d'une recette qui n'a pas les siens ; 0 minute : pas de palier.";
    return "";
}

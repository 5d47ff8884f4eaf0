// tests/gui/installation_fields_test.cpp — where each configuration key goes in the "Installation…" dialog
// and what its fields accept.
#include "ui/installation_fields.h"

#include "core/records.h"
#include "refdata/configuration.h"

#include <gtest/gtest.h>

#include <algorithm>

struct FieldCase {
    const char* key;
    size_t field;
    const char* typed;
    const char* stored; // nullptr: refused
};

static const FieldCase kFieldCases[] = {
    {"RENDEMENT", 0, " 72,5", "72.5"},              // a decimal comma, as every number field takes it
    {"RENDEMENT", 0, "72.5 %", "72.5"},             // the field's own unit may follow
    {"RENDEMENT", 0, "72.5 L", nullptr},            // another unit is a slip
    {"RENDEMENT", 0, "100", "100"},                 // the bound itself is in
    {"RENDEMENT", 0, "100.5", nullptr},             // past the bound
    {"RENDEMENT", 0, "-5", nullptr},                // no sign where the range has no negative
    {"RENDEMENT", 0, "", nullptr},                  // an emptied field is no number
    {"RENDEMENT", 0, "1E3", nullptr},               // an exponent is not what a brewer types
    {"RENDEMENT", 0, "7O", nullptr},                // a letter O for a zero
    {"PERTE_EBULLITION", 0, "100", nullptr},        // a whole boil lost leaves nothing to divide by
    {"PERTE_GRAIN", 0, "1,1 l/kg", "1.1"},          // the unit in any case
    {"TEMPS_PALIER_MALTOSE", 0, "64 °C", "64"},     // a rest's temperature with its unit
    {"TEMPS_PALIER_MALTOSE", 1, "45 min", "45"},    // then its minutes with theirs
    {"TEMPS_PALIER_MALTOSE", 1, "45 °C", nullptr},  // the minutes field does not take degrees
    {"TEMPS_PALIER_MALTOSE", 0, "101", nullptr},    // no mash above boiling
    {"CORRECTION_PH", 0, "-0,12", "-0.12"},         // a correction may lower the pH
    {"CORRECTION_PH", 0, "+ 0.1", "0.1"},           // or raise it, a sign and a blank typed
    {"CORRECTION_PH", 0, "-0", "0"},                // minus zero is zero, not a changed key
    {"CORRECTION_PH", 0, "1.5", nullptr},           // past one pH unit it is a typing slip
    {"CORRECTION_PH", 0, "--0.1", nullptr},         // one sign only
    {"TEMPERATURE_GRAIN", 0, "-5", "-5"},           // a grain kept in a frozen shed
    {"COUT_CHAUFFE", 0, "0,75 €/h", "0.75"},        // a cost with its unit
    {"COULEUR_MIN", 0, "#b00000", "B00000"},        // a "#" and small letters taken
    {"COULEUR_MIN", 0, "00f", "00F"},               // three digits, as the fixture's colours
    {"COULEUR_MIN", 0, "B0000", nullptr},           // five digits
    {"COULEUR_MAX", 0, "RED", nullptr},             // a colour name is not digits
    {"MODELE_COULEUR", 0, "morey", "MOREY"},        // a word of its list, any case
    {"MODELE_DENSITE", 0, "MOREY", nullptr},        // another key's word
    {"MODELE_AMERTUME", 0, " TINSETH ", "TINSETH"}, // blanks around it go
    {"NAVIGATEUR", 0, " firefox ", "firefox"},      // a program name
    {"NAVIGATEUR", 0, "/opt/a#b/firefox", nullptr}, // "#" would make the line a comment
    {"NAVIGATEUR", 0, "/opt/a,b/firefox", nullptr}, // the file reads a comma as a point
    {"NAVIGATEUR", 0, "", ""},                      // no browser: the pages are not shown, as before
};

static const ConfigurationValue* value_of(const std::vector<ConfigurationValue>& values,
                                          const std::string& key)
{
    for (const ConfigurationValue& v : values)
        if (v.key == key)
            return &v;
    return nullptr;
}

TEST(InstallationFields, EachFieldTakesWhatItsKeyMeans)
{
    const std::vector<ConfigurationValue> values = configuration_values(Settings());
    for (const FieldCase& c : kFieldCases) {
        const ConfigurationValue* v = value_of(values, c.key);
        ASSERT_NE(v, nullptr) << c.key;
        const CheckedSetting checked =
            check_setting_field(setting_rule(v->key, v->unit), v->label, v->unit, c.field, c.typed);
        EXPECT_EQ(checked.accepted, c.stored != nullptr) << c.key << " [" << c.typed << "]";
        if (c.stored) {
            EXPECT_EQ(checked.text, c.stored) << c.key << " [" << c.typed << "]";
        }
        EXPECT_EQ(checked.hint.rfind(v->label, 0), 0u) << "the hint names the field: " << checked.hint;
    }
}

TEST(InstallationFields, RefusalsSayTheRangeAndTheUnit)
{
    const std::vector<ConfigurationValue> values = configuration_values(Settings());
    const ConfigurationValue* rest = value_of(values, "TEMPS_PALIER_DEXTRINE");
    ASSERT_NE(rest, nullptr);
    const SettingRule rule = setting_rule(rest->key, rest->unit);
    EXPECT_EQ(check_setting_field(rule, rest->label, rest->unit, 1, "soixante").hint,
              rest->label + ", durée : un nombre de 0 à 600 (min).");
    const ConfigurationValue* ph = value_of(values, "CORRECTION_PH");
    EXPECT_EQ(check_setting_field(setting_rule(ph->key, ph->unit), ph->label, ph->unit, 0, "2").hint,
              ph->label + " : un nombre de -1 à 1 (pH).");
}

// Every key that a typed value round-trips through: what the check accepts, the configuration reads back as
// the same text, so an accepted field never writes a value other than the one shown.
TEST(InstallationFields, AcceptedTextsReadBackUnchanged)
{
    const std::vector<ConfigurationValue> values = configuration_values(Settings());
    for (const FieldCase& c : kFieldCases) {
        if (!c.stored)
            continue;
        const ConfigurationValue* v = value_of(values, c.key);
        std::vector<std::string> fields = v->fields;
        fields[c.field] = c.stored;
        Settings s;
        ASSERT_TRUE(set_configuration_value(s, c.key, fields)) << c.key;
        EXPECT_EQ(value_of(configuration_values(s), c.key)->fields[c.field], c.stored) << c.key;
    }
}

TEST(InstallationFields, EveryKeyHasAPageAndTheKnownOnesAreNotLeftOver)
{
    const std::vector<std::string> pages = installation_pages();
    for (const ConfigurationValue& v : configuration_values(Settings())) {
        const SettingRule rule = setting_rule(v.key, v.unit);
        EXPECT_NE(std::find(pages.begin(), pages.end(), rule.page), pages.end()) << v.key;
        if (!v.unit.empty() && v.unit != "RRVVBB") {
            EXPECT_EQ(rule.kind, SettingKind::number) << v.key;
        }
    }
    for (const char* key : {"RENDEMENT", "TEMPS_PALIER_ENZYME", "COUT_CHAUFFE", "MODELE_AMERTUME",
                            "NAVIGATEUR", "CONTRACTION_REFROIDISSEMENT", "CORRECTION_PH"})
        EXPECT_NE(setting_rule(key, "").page, pages.back()) << key;
    // A key added later without a place still shows, on the last page, as a number when it has a unit.
    EXPECT_EQ(setting_rule("CLE_NOUVELLE", "mEq/kg").page, pages.back());
    EXPECT_EQ(setting_rule("CLE_NOUVELLE", "mEq/kg").kind, SettingKind::number);
    EXPECT_EQ(setting_rule("CLE_NOUVELLE", "").kind, SettingKind::text);
}

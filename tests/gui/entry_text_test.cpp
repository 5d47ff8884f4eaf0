// tests/gui/entry_text_test.cpp — the cleaning of text typed into the dialogs' entries.
#include "ui/entry_text.h"

#include <gtest/gtest.h>

struct EntryCase {
    const char* typed;
    int mode;
    const char* stored;
};

static const EntryCase kEntryCases[] = {
    {" 1,5 kg ", ENTRY_NUMBER, "1.5 KG"},         // the dialog's own example, as a number
    {" 1,5 kg ", ENTRY_PLAIN, "1,5 kg"},          // and as plain text
    {"  Ma blonde  ", ENTRY_PLAIN, "Ma blonde"},  // outer spaces go, inner ones stay, no capitals
    {" 2,5 kg", ENTRY_NUMBER, "2.5 KG"},          // typed quantity
    {" 2.5 VOL", ENTRY_NUMBER, "2.5 VOL"},        // unchanged start text
    {"Bière d'été", ENTRY_NUMBER, "BIèRE D'éTé"}, // only a to z become capitals
    {"Ma\tblonde", ENTRY_PLAIN, "Ma blonde"},     // a tab would split a recipe file's fields
    {"Ma\r\nblonde", ENTRY_PLAIN, "Ma  blonde"},  // CR and LF would split its lines
    {"\t20 L\n", ENTRY_NUMBER, "20 L"},           // outer tabs and line ends become spaces, then go
    {"", ENTRY_PLAIN, ""},                        // an empty entry stores an empty text
    {"   ", ENTRY_NUMBER, ""},                    // blanks only
};

TEST(EntryText, CleansAsTheDialogsStoreIt)
{
    for (const EntryCase& c : kEntryCases)
        EXPECT_EQ(clean_entry_text(c.typed, c.mode), c.stored)
            << "typed: [" << c.typed << "] mode " << c.mode;
}

struct NumberCase {
    const char* typed;
    NumberField field;
    const char* category;
    const char* stored; // nullptr: refused
};

static const NumberCase kNumberCases[] = {
    {"beaucoup", NumberField::quantity, "MALT", nullptr}, // counted as 0 kg before
    {"5", NumberField::quantity, "MALT", nullptr},        // no unit: no weight either
    {" 5,5 kg", NumberField::quantity, "MALT", "5.5 KG"},
    {"250g", NumberField::quantity, "MALTSPECIAL", "250 G"}, // "250G" would not read as grams
    {"40 G", NumberField::quantity, "HOUBLONPELLET", "40 G"},
    {"15 KG", NumberField::quantity, "EAU", nullptr},
    {"15l", NumberField::quantity, "EAU", "15 L"},
    {"1 sachet", NumberField::quantity, "LEVURE", "1 SACHET"}, // a unit of its own
    {"sachet", NumberField::quantity, "LEVURE", nullptr},
    {"-2 KG", NumberField::quantity, "SUCRE", nullptr},
    {"2,5", NumberField::value, "", "2.5"}, // counted as 2 before
    {"60 min", NumberField::time, "", "60 MIN"},
    {".5", NumberField::yield, "", ".5"},
    {"", NumberField::yield, "", nullptr},
    {"inf", NumberField::value, "", nullptr},
    {"1e999", NumberField::value, "", nullptr}, // not finite
    {"1E3", NumberField::value, "", nullptr},   // plain decimals only: shown "1E3", read as 1 elsewhere
    {"1e3", NumberField::yield, "", nullptr},
    {"2e1 l", NumberField::quantity, "EAU", nullptr},
    {"1E3 KG", NumberField::quantity, "MALT", nullptr},
    {"5e-1 G", NumberField::quantity, "HOUBLONCONE", nullptr},
    {"1e3", NumberField::quantity, "LEVURE", nullptr}, // "E3" is no unit
    {"2E1", NumberField::forced_volume, "", nullptr},
    {"2.5e0 vol", NumberField::carbonation, "", nullptr},
    {"1,5,3", NumberField::value, "", nullptr}, // one decimal comma only
    {"1.5.3 KG", NumberField::quantity, "MALT", nullptr},
    {"60 - 90", NumberField::time, "", nullptr},
    {"+5", NumberField::value, "", nullptr},
    {"0x1A", NumberField::value, "", nullptr},
    {"12,5 %", NumberField::yield, "", "12.5 %"},
    {"20 L", NumberField::forced_volume, "", "20 L"},
    {"0", NumberField::forced_volume, "", "0"},
    {"20 KG", NumberField::forced_volume, "", nullptr},
    {"2,8 vol", NumberField::carbonation, "", "2.8 VOL"},
    {"deux", NumberField::carbonation, "", nullptr},
    // A grain's colour followed by its distilled-water pH and buffering.
    {"3,5 ph 5,72", NumberField::value, "MALT", "3.5 PH 5.72"},
    {"3.5 PH 5.72 TAMPON 38", NumberField::value, "MALT", "3.5 PH 5.72 TAMPON 38"},
    {"3.5 PH 5.7 8", NumberField::value, "MALT", nullptr},
    {"3.5 PH 5.7.2", NumberField::value, "MALT", nullptr},
    {"3.5 TAMPON 38 PH 5.7", NumberField::value, "MALT", nullptr},
    {"67,5 °c", NumberField::temperature, "", "67.5"},
    {"67 C", NumberField::temperature, "", "67"},
    {"67", NumberField::temperature, "", "67"},
    {"67 F", NumberField::temperature, "", nullptr}, // a Fahrenheit figure would be read as Celsius
    {"-5", NumberField::temperature, "", nullptr},
};

TEST(EntryText, NumbersAreCheckedAsTheirFieldExpects)
{
    for (const NumberCase& c : kNumberCases) {
        const CheckedNumber checked = check_number_entry(c.typed, c.field, c.category);
        EXPECT_EQ(checked.accepted, c.stored != nullptr) << c.typed << " / " << c.category;
        if (c.stored) {
            EXPECT_EQ(checked.text, c.stored) << c.typed;
        }
        EXPECT_FALSE(checked.hint.empty());
    }
    // The hint names the unit the category needs.
    EXPECT_NE(check_number_entry("x", NumberField::quantity, "MALT").hint.find("KG"), std::string::npos);
    EXPECT_NE(check_number_entry("x", NumberField::quantity, "HOUBLONCONE").hint.find(" G"),
              std::string::npos);
    EXPECT_NE(check_number_entry("x", NumberField::quantity, "EAU").hint.find("L"), std::string::npos);
}

TEST(EntryText, BoundedNumbersNameTheirBound)
{
    double value = -1;
    CheckedNumber checked = check_bounded_entry("78,5 °C", NumberField::temperature, 100, &value);
    EXPECT_TRUE(checked.accepted);
    EXPECT_EQ(value, 78.5);
    EXPECT_EQ(checked.hint, "Température : un nombre de degrés Celsius, de 0 à 100, par exemple « 67 ».");
    checked = check_bounded_entry("100", NumberField::temperature, 100, &value);
    EXPECT_TRUE(checked.accepted) << "the bound itself is allowed";
    value = -1;
    for (const char* refused : {"100.5", "140 °C", "", "chaud"}) {
        checked = check_bounded_entry(refused, NumberField::temperature, 100, &value);
        EXPECT_FALSE(checked.accepted) << refused;
        EXPECT_EQ(value, -1) << refused;
    }
    checked = check_bounded_entry("601 min", NumberField::time, 600, &value);
    EXPECT_FALSE(checked.accepted);
    EXPECT_EQ(checked.hint, "Temps : un nombre de minutes, de 0 à 600, par exemple « 60 ».");
}

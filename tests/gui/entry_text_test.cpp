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

// tests/grain_kind_test.cpp — the kind of a grain, from its name and its colour, and the share brewers give
// it.
#include "calc/grain_kind.h"

#include <gtest/gtest.h>

// Entries of the bundled database, and names other programs use.
TEST(GrainKind, FromTheNameAndTheColour)
{
    const struct {
        const char* designation;
        double ebc;
        GrainKind kind;
    } cases[] = {
        {"Malt Pilsen", 3.5, GrainKind::base},
        {"Malt de Munich foncé", 25, GrainKind::base},
        {"Malt de blé foncé", 17, GrainKind::base},
        {"Flocons d'avoine", 2, GrainKind::base},
        {"Malt Carapils", 4, GrainKind::crystal},    // a caramel malt by name, however pale
        {"Malt Carahell", 25, GrainKind::crystal},   //
        {"Malt Biscuit", 50, GrainKind::crystal},    // speciality malts from 40 EBC
        {"Malt Abbey", 45, GrainKind::crystal},      //
        {"Malt CaraAroma", 400, GrainKind::crystal}, // the darkest caramel malt
        {"Crystal 60L", 118, GrainKind::crystal},    //
        {"Malt chocolat clair", 600, GrainKind::roasted},
        {"Malt Carafa spécial type 1", 900, GrainKind::roasted}, // "cara", but roasted
        {"Orge torréfiée", 1200, GrainKind::roasted},
        {"Black Patent", 1300, GrainKind::roasted},
        {"Roasted Barley", 0, GrainKind::roasted}, // a colour left out: the name says it
        {"GRAIN 5", 520, GrainKind::roasted},      // no telling name: the colour decides
    };
    for (const auto& c : cases)
        EXPECT_EQ(grain_kind(c.designation, c.ebc), c.kind) << c.designation;
}

TEST(GrainKind, UsualShares)
{
    EXPECT_EQ(usual_share(GrainKind::crystal), 0.20);
    EXPECT_EQ(usual_share(GrainKind::roasted), 0.10);
    EXPECT_EQ(usual_share(GrainKind::base), 1);
    EXPECT_EQ(kind_name(GrainKind::roasted), "malts torréfiés");
}

// tests/priming_test.cpp — sugar or malt extract for the wanted carbonation.
#include "calc/evaluate.h"
#include "calc/priming.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

TEST(Priming, PerLitreAndForTheBatch)
{
    reset_workspace();
    ws.carbonation = "2.5 VOL";
    ws.estimates.final_volume = 20.3;
    EXPECT_EQ(priming_text_on_screen(), "Il faut par Litre :\r"
                              "6.26 G de sucre en poudre ou 11.48 G d'extrait de malt.\r"
                              "\r"
                              "Soit au total pour cette recette :\r"
                              "127.08 G de sucre en poudre ou 233.04 G d'extrait de malt.");
    EXPECT_NEAR(ws.estimates.sugar_per_litre, 6.26, 1e-9);
    EXPECT_NEAR(ws.estimates.extract_per_litre, 11.48, 1e-9);
}

TEST(Priming, JustAboveTheLimit)
{
    reset_workspace();
    ws.carbonation = "0.87 VOL";
    ws.estimates.final_volume = 20;
    std::string text = priming_text_on_screen();
    EXPECT_NE(text.find("Il faut par Litre :\r0.03 G de sucre en poudre ou 0.07 G d'extrait de malt."),
              std::string::npos)
        << text;
}

TEST(Priming, TooLowIsImpossible)
{
    const char* carbonations[] = {"0.8 VOL",  "0.86 VOL", "",        "VOL",
                                  "beaucoup", "-2 VOL",   "NAN VOL", "INF VOL"};
    for (const char* carbonation : carbonations) {
        reset_workspace();
        ws.carbonation = carbonation;
        ws.estimates.final_volume = 20.3;
        EXPECT_EQ(priming_text_on_screen(), "Impossible !") << carbonation;
    }
}

TEST(Priming, ImpossibleStillStoresThePerLitreFigures)
{
    reset_workspace();
    ws.carbonation = "";
    priming_text_on_screen();
    EXPECT_DOUBLE_EQ(ws.estimates.sugar_per_litre, -3.29);
    EXPECT_DOUBLE_EQ(ws.estimates.extract_per_litre, -6.02);
}

TEST(Priming, NoVolumeGivesZeroForTheBatch)
{
    reset_workspace();
    ws.carbonation = "2.5 VOL";
    std::string text = priming_text_on_screen();
    EXPECT_NE(text.find("\r0 G de sucre en poudre ou 0 G d'extrait de malt."), std::string::npos) << text;
}

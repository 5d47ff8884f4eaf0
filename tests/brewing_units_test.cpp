// tests/brewing_units_test.cpp — the conversions between colour scales, gravity forms and weights.
#include "core/brewing_units.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BrewingUnits, ReferenceValues)
{
    struct Case {
        double got, expected;
        const char* what;
    };
    const Case kCases[] = {
        {ebc_of_srm(10), 19.7, "EBC = 1.97 × SRM"},
        {srm_of_ebc(39.4), 20, "SRM of 39.4 EBC"},
        {srm_of_lovibond(10), 12.786, "SRM = 1.3546 × °L − 0.76"},
        {lovibond_of_srm(12.786), 10, "back to Lovibond"},
        {sg_of_density(1055), 1.055, "1055 is SG 1.055"},
        {density_of_sg(1.048), 1048, "and back"},
        {sg_of_plato(12), 259.0 / 247, "12 °P by 259 / (259 − °P)"},
        {grams_of_kg(0.25), 250, "grams"},
        {kg_of_grams(250), 0.25, "kilograms"},
        {density_of_points(11.8577), 1047.43, "the worked example, truncated to hundredths"},
    };
    for (const Case& c : kCases)
        EXPECT_NEAR(c.got, c.expected, 1e-9) << c.what;
}

// Each pair of conversions undoes itself over the range brewers use, roast grains included.
TEST(BrewingUnits, ConversionsGoBothWays)
{
    for (double x = 0.5; x < 700; x *= 1.37) {
        EXPECT_NEAR(srm_of_ebc(ebc_of_srm(x)), x, 1e-12 * x);
        EXPECT_NEAR(lovibond_of_srm(srm_of_lovibond(x)), x, 1e-12 * x);
        EXPECT_NEAR(kg_of_grams(grams_of_kg(x)), x, 1e-12 * x);
        EXPECT_NEAR(sg_of_density(density_of_sg(x)), x, 1e-12 * x);
    }
}

// tests/mash_ph_test.cpp — the mash pH by charge balance against an independent computation, the direction
// every change moves it, the salt table's stoichiometry, and the water profiles.
#include "calc/malt_acidity.h"
#include "calc/mash_ph.h"
#include "calc/water_chemistry.h"
#include "calc/water_salts.h"
#include "core/stated_acidity.h"
#include "refdata/water_profiles.h"
#include "line_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

WaterProfile profile(const char* name, Ions ions, double ph)
{
    WaterProfile p;
    parse_water_profile(name, p);
    p.ions = ions;
    p.ph = ph;
    return p;
}

const std::vector<WaterProfile> kProfiles = {
    profile("Distillée", {}, 7.0),
    profile("Dure", {100, 10, 10, 40, 30, 300}, 7.6),
    profile("Douce", {20, 5, 10, 10, 10, 50}, 7.2),
};

double ph_of(const std::vector<RecipeLine>& lines)
{
    return water_chemistry(lines.data(), lines.size(), kProfiles).model_ph;
}

// An independent charge balance: carbonate fractions from [H+], the acids from their dissociation, and the
// root found by scanning in steps of 0.001 pH and interpolating, written apart from calc/mash_ph.
struct Reference {
    double malt_kg[8] = {}; // per DI pH slot
    double malt_di[8] = {};
    int malts = 0;
    double litres = 0, ca = 0, mg = 0, hco3 = 0, water_ph = 7;
    double lactic_mmol = 0, soda_mmol = 0, chalk_mmol = 0, extra_ca_mg = 0, extra_mg_mg = 0;

    static double charge(double ph)
    {
        const double h = std::pow(10.0, -ph), k1 = std::pow(10.0, -6.38), k2 = std::pow(10.0, -10.38);
        const double d = h * h + k1 * h + k1 * k2;
        return -(k1 * h + 2 * k1 * k2) / d;
    }
    double balance(double ph) const
    {
        double sum = 0;
        for (int n = 0; n < malts; n++)
            sum += malt_kg[n] * -40 * (ph - malt_di[n]);
        const double alk = hco3 / 61.02;
        const double ct = alk / (charge(4.3) - charge(water_ph));
        sum += litres * ct * (charge(ph) - charge(water_ph));
        sum -= (litres * ca + extra_ca_mg) / 20.04 / 3.5 + (litres * mg + extra_mg_mg) / 12.15 / 7;
        const double ka = std::pow(10.0, -3.86), h = std::pow(10.0, -ph);
        sum -= lactic_mmol * ka / (ka + h);
        sum += soda_mmol * (charge(ph) - charge(8.3));
        sum += chalk_mmol * (charge(ph) + 2);
        return sum;
    }
    double ph() const
    {
        double previous = balance(3.5);
        for (double ph = 3.501; ph <= 7.5; ph += 0.001) {
            const double now = balance(ph);
            if (previous > 0 && now <= 0)
                return ph - 0.001 * now / (now - previous);
            previous = now;
        }
        return 0;
    }
};

struct MashCase {
    const char* what;
    std::vector<RecipeLine> lines;
    Reference reference;
};

Reference pils_in(double litres, const WaterProfile& p)
{
    Reference r;
    r.malt_kg[0] = 5;
    r.malt_di[0] = 5.75;
    r.malts = 1;
    r.litres = litres;
    r.ca = p.ions.ca;
    r.mg = p.ions.mg;
    r.hco3 = p.ions.hco3;
    r.water_ph = p.ph;
    return r;
}

std::vector<MashCase> mash_cases()
{
    const RecipeLine pils = mash_line("MALT", "Malt Pilsen", "5 KG", "3.5");
    const RecipeLine distilled = mash_line("EAU", "Eau", "15 L", "DISTILLÉE");
    const RecipeLine hard = mash_line("EAU", "Eau", "15 L", "DURE");
    std::vector<MashCase> cases;
    cases.push_back(
        {"Pilsner malt in distilled water gives its DI pH", {pils, distilled}, pils_in(15, kProfiles[0])});
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.malt_kg[1] = 0.5;
        r.malt_di[1] = 5.22 - 0.00504 * ((150 / 1.97 + 0.76) / 1.3546);
        r.malts = 2;
        cases.push_back({"crystal lowers it",
                         {pils, mash_line("MALTSPECIAL", "Malt Crystal", "500 G", "150"), distilled},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.malt_kg[1] = 0.3;
        r.malt_di[1] = 4.71;
        r.malts = 2;
        cases.push_back({"roast lowers it",
                         {pils, mash_line("MALTSPECIAL", "Malt noir", "300 G", "1400"), distilled},
                         r});
    }
    cases.push_back({"alkaline water raises it", {pils, hard}, pils_in(15, kProfiles[1])});
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.soda_mmol = 4 * 1000 / 84.007;
        cases.push_back({"baking soda raises it",
                         {pils, distilled, mash_line("AUTRE", "Bicarbonate", "4 G", "NAHCO3")},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.chalk_mmol = 0.5 * 4 * 1000 / 100.09;
        r.extra_ca_mg = 0.5 * 4 * 400.4;
        cases.push_back({"chalk raises it, half of it counted",
                         {pils, distilled, mash_line("AUTRE", "Craie", "4 G", "CACO3")},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.extra_ca_mg = 5 * 272.6;
        cases.push_back({"calcium lowers it",
                         {pils, distilled, mash_line("AUTRE", "Chlorure de calcium", "5 G", "CACL2")},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.extra_mg_mg = 5 * 98.6;
        cases.push_back(
            {"magnesium lowers it", {pils, distilled, mash_line("AUTRE", "Epsom", "5 G", "MGSO4")}, r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.lactic_mmol = 2 * acid_mmol_per_ml(Additive::lactic, 80);
        cases.push_back({"lactic acid lowers it",
                         {pils, distilled, mash_line("AUTRE", "Acide", "2 ML", "LACTIQUE", "80")},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[0]);
        r.malt_kg[1] = 0.25;
        r.malt_di[1] = 5.75;
        r.malts = 2;
        r.lactic_mmol = 250 * 0.03 / 90.08 * 1000;
        cases.push_back({"acid malt lowers it",
                         {pils, mash_line("MALTSPECIAL", "Malt acide", "250 G", "4"), distilled},
                         r});
    }
    {
        Reference r = pils_in(15, kProfiles[1]);
        r.lactic_mmol = 3 * acid_mmol_per_ml(Additive::lactic, 80);
        cases.push_back({"acid brings hard water down",
                         {pils, hard, mash_line("AUTRE", "Acide", "3 ML", "LACTIQUE", "80")},
                         r});
    }
    return cases;
}

} // namespace

TEST(MashPh, AgreesWithAnIndependentChargeBalanceWithin003)
{
    for (const MashCase& c : mash_cases())
        EXPECT_NEAR(ph_of(c.lines), c.reference.ph(), 0.03) << c.what;
}

TEST(MashPh, BaseMaltInDistilledWaterGivesItsDiPh)
{
    EXPECT_NEAR(ph_of(mash_cases()[0].lines), 5.75, 0.001);
}

TEST(MashPh, EveryChangeMovesThePhTheRightWay)
{
    const std::vector<MashCase> cases = mash_cases();
    const double base = ph_of(cases[0].lines);
    const int raises[] = {3, 4, 5};
    const int lowers[] = {1, 2, 6, 7, 8, 9};
    for (int k : raises)
        EXPECT_GT(ph_of(cases[k].lines), base + 0.01) << cases[k].what;
    for (int k : lowers)
        EXPECT_LT(ph_of(cases[k].lines), base - 0.01) << cases[k].what;
    EXPECT_LT(ph_of(cases[10].lines), ph_of(cases[3].lines) - 0.01) << cases[10].what;
}

TEST(MashPh, MoreOfAnAcidifierAlwaysLowersIt)
{
    // Property over random amounts: the pH falls strictly as acid is added, and never leaves [3.5, 7.5].
    std::srand(25);
    for (int trial = 0; trial < 200; trial++) {
        const double ml = std::rand() % 2000 / 100.0;
        std::vector<RecipeLine> lines = {mash_line("MALT", "Malt Pilsen", "5 KG", "3.5"),
                                         mash_line("EAU", "Eau", "15 L", "DURE")};
        const double before = ph_of(lines);
        lines.push_back(mash_line("AUTRE", "Acide",
                                  (std::to_string(static_cast<int>(ml * 100) + 50) + "E-2 ML").c_str(),
                                  "LACTIQUE", "80"));
        const double after = ph_of(lines);
        EXPECT_LT(after, before);
        EXPECT_GE(after, 3.5);
        EXPECT_LE(after, 7.5);
    }
}

TEST(MashPh, NothingWithoutGrainOrKnownWater)
{
    const std::vector<RecipeLine> no_grain = {mash_line("EAU", "Eau", "15 L", "DURE")};
    const std::vector<RecipeLine> unknown = {mash_line("MALT", "Malt Pilsen", "5 KG", "3.5"),
                                             mash_line("EAU", "Eau du puits", "15 L", "PUITS")};
    for (const auto& lines : {no_grain, unknown}) {
        const WaterChemistry w = water_chemistry(lines.data(), lines.size(), kProfiles);
        EXPECT_FALSE(w.computed);
        EXPECT_FALSE(w.notes.empty());
        Estimates e;
        e.mash_ph = 9;
        put_water_estimates(w, 0.1, e);
        EXPECT_EQ(e.mash_ph, 0);
        EXPECT_EQ(e.residual_alkalinity, 0);
    }
    const WaterChemistry w = water_chemistry(unknown.data(), unknown.size(), kProfiles);
    EXPECT_NE(w.notes[0].find("profil d'eau inconnu"), std::string::npos);
}

TEST(MashPh, TheRinseWaterCountsInAllTheWaterOnly)
{
    const std::vector<RecipeLine> lines = {mash_line("MALT", "Malt Pilsen", "5 KG", "3.5"),
                                           mash_line("EAU", "Eau", "15 L", "DISTILLÉE"),
                                           mash_line("EAU", "Eau", "15 L", "DURE", "0", "RINCAGE"),
                                           mash_line("AUTRE", "Gypse", "3 G", "CASO4", "0", "RINCAGE")};
    const WaterChemistry w = water_chemistry(lines.data(), lines.size(), kProfiles);
    EXPECT_NEAR(w.model_ph, 5.75, 0.001);
    EXPECT_EQ(w.mash_ions.ca, 0);
    EXPECT_NEAR(w.all_ions.ca, (15 * 100 + 3 * 232.8) / 30, 1e-9);
    EXPECT_NEAR(w.all_ions.so4, (15 * 40 + 3 * 557.9) / 30, 1e-9);
}

TEST(MashPh, IonsRatioAndResidualAlkalinity)
{
    const std::vector<RecipeLine> lines = {mash_line("MALT", "Malt Pilsen", "5 KG", "3.5"),
                                           mash_line("EAU", "Eau", "20 L", "DURE"),
                                           mash_line("AUTRE", "Gypse", "4 G", "CASO4"),
                                           mash_line("AUTRE", "Chlorure de calcium", "2 G", "CACL2")};
    const WaterChemistry w = water_chemistry(lines.data(), lines.size(), kProfiles);
    const double ca = 100 + (4 * 232.8 + 2 * 272.6) / 20;
    EXPECT_NEAR(w.mash_ions.ca, ca, 1e-9);
    EXPECT_NEAR(w.mash_ions.so4, 40 + 4 * 557.9 / 20, 1e-9);
    EXPECT_NEAR(w.mash_ions.cl, 30 + 2 * 482.3 / 20, 1e-9);
    EXPECT_NEAR(w.so4_cl_ratio, w.mash_ions.so4 / w.mash_ions.cl, 1e-12);
    EXPECT_NEAR(w.residual_alkalinity, 300 / 61.02 - ca / 20.04 / 3.5 - 10 / 12.15 / 7, 1e-9);
}

TEST(MashPh, TheSharesCancelOutAtThePh)
{
    const MashCase c = mash_cases()[10];
    const WaterChemistry w = water_chemistry(c.lines.data(), c.lines.size(), kProfiles);
    double sum = 0;
    for (const MashShare& s : w.shares)
        sum += s.meq;
    EXPECT_NEAR(sum, 0, 0.2); // the bisection stops within 0.0005 pH of the root
    EXPECT_EQ(w.shares.size(), 3u);
}

// Ions per gram from the molar masses: each salt's ions weigh its formula's share of the hydrate.
TEST(WaterSalts, StoichiometryFromMolarMasses)
{
    const struct {
        Additive salt;
        double Ions::*ion;
        double ion_mass; // g/mol, times the ions per formula
        double salt_mass;
    } kCases[] = {
        {Additive::gypsum, &Ions::ca, 40.078, 172.17},
        {Additive::gypsum, &Ions::so4, 96.06, 172.17},
        {Additive::calcium_chloride, &Ions::ca, 40.078, 147.01},
        {Additive::calcium_chloride, &Ions::cl, 2 * 35.45, 147.01},
        {Additive::epsom, &Ions::mg, 24.305, 246.47},
        {Additive::epsom, &Ions::so4, 96.06, 246.47},
        {Additive::magnesium_chloride, &Ions::mg, 24.305, 203.30},
        {Additive::magnesium_chloride, &Ions::cl, 2 * 35.45, 203.30},
        {Additive::table_salt, &Ions::na, 22.990, 58.44},
        {Additive::table_salt, &Ions::cl, 35.45, 58.44},
        {Additive::baking_soda, &Ions::na, 22.990, 84.007},
        {Additive::baking_soda, &Ions::hco3, 61.017, 84.007},
        {Additive::chalk, &Ions::ca, 40.078, 100.09},
        {Additive::lime, &Ions::ca, 40.078, 74.09},
    };
    for (const auto& c : kCases)
        EXPECT_NEAR(ions_per_gram(c.salt).*c.ion, 1000 * c.ion_mass / c.salt_mass, 0.5)
            << additive_key(c.salt);
}

TEST(WaterSalts, KeysReadWhateverTheCaseAndBlanks)
{
    EXPECT_EQ(additive_of_key("CASO4"), Additive::gypsum);
    EXPECT_EQ(additive_of_key(" caso4 "), Additive::gypsum);
    EXPECT_EQ(additive_of_key("LACTIQUE"), Additive::lactic);
    EXPECT_EQ(additive_of_key("0"), Additive::none);
    EXPECT_EQ(additive_of_key("Gypse"), Additive::none); // a French name is not a key
    for (Additive a : {Additive::gypsum, Additive::lime, Additive::phosphoric})
        EXPECT_EQ(additive_of_key(additive_key(a)), a);
}

TEST(WaterSalts, AcidStrengths)
{
    EXPECT_NEAR(acid_mmol_per_ml(Additive::lactic, 88), 11.78, 0.05);
    EXPECT_NEAR(acid_mmol_per_ml(Additive::phosphoric, 10), 1.07, 0.01);
    EXPECT_GT(acid_mmol_per_ml(Additive::lactic, 80), acid_mmol_per_ml(Additive::lactic, 50));
    EXPECT_EQ(acid_mmol_per_ml(Additive::gypsum, 80), 0);
}

TEST(MaltAcidity, KindAndColourGiveTheDiPh)
{
    const struct {
        Category category;
        const char* name;
        double ebc, di_ph;
    } kCases[] = {
        {Category::malt, "Malt Pilsen", 3.5, 5.75},
        {Category::malt, "Malt Maris Otter", 6, 5.77},
        {Category::malt, "Malt de Vienne", 8, 5.56},
        {Category::malt, "Malt de Munich clair", 15, 5.43},
        {Category::wheat_malt, "Malt de blé clair", 4, 6.04},
        {Category::malt, "Malt Pale Ale", 6.5, 5.70},
        {Category::special_malt, "Malt noir", 1400, 4.71},
        {Category::special_malt, "Malt Crystal", 150, 5.22 - 0.00504 * ((150 / 1.97 + 0.76) / 1.3546)},
    };
    for (const auto& c : kCases)
        EXPECT_NEAR(malt_acidity(c.category, c.name, c.ebc).di_ph, c.di_ph, 1e-9) << c.name;
    EXPECT_GT(malt_acidity(Category::special_malt, "Malt acide", 4).lactic_fraction, 0);
}

TEST(MaltAcidity, StatedFiguresReplaceTheEstimateEachOnItsOwn)
{
    const struct {
        Category category;
        const char* name;
        const char* value;
        double di_ph, buffering;
        bool di_ph_stated, buffering_stated;
    } kCases[] = {
        {Category::malt, "Malt Pilsen", "3.5", 5.75, kDefaultMaltBuffering, false, false}, // an old database
        {Category::malt, "Malt Pilsen", "3.5 PH 5.81", 5.81, kDefaultMaltBuffering, true, false},
        {Category::malt, "Malt Pilsen", "3.5 ph 5,81 tampon 33", 5.81, -33, true, true},
        {Category::malt, "Malt Pilsen", "3.5 TAMPON -52", 5.75, -52, false, true},
        {Category::special_malt, "Malt noir", "1400 PH 4.48", 4.48, kDefaultMaltBuffering, true, false},
        {Category::malt, "Malt Pilsen", "3.5 PH 9.5", 5.75, kDefaultMaltBuffering, false, false}, // no malt
        {Category::malt, "Malt Pilsen", "3.5 PH 5.6 TAMPON 0", 5.6, kDefaultMaltBuffering, true, false},
        {Category::malt, "Malt Pilsen", "3.5 PH 5.6 EBC", 5.75, kDefaultMaltBuffering, false, false},
        {Category::malt, "Malt Pilsen", "PH 5.6", 5.75, kDefaultMaltBuffering, false, false}, // no colour
        // An acid malt's acidity is its lactic acid, counted apart: a stated pH would count it twice.
        {Category::special_malt, "Malt acide", "4 PH 3.6", 5.75, kDefaultMaltBuffering, false, false},
    };
    for (const auto& c : kCases) {
        const MaltAcidity a = grain_acidity(c.category, c.name, c.value);
        EXPECT_NEAR(a.di_ph, c.di_ph, 1e-9) << c.value;
        EXPECT_NEAR(a.buffering, c.buffering, 1e-9) << c.value;
        EXPECT_EQ(a.di_ph_stated, c.di_ph_stated) << c.value;
        EXPECT_EQ(a.buffering_stated, c.buffering_stated) << c.value;
        // The breakdown says which figure was used.
        EXPECT_NE(acidity_text(a).find(c.di_ph_stated ? "donné" : "estimé"), std::string::npos) << c.value;
    }
}

TEST(MaltAcidity, AStatedPhIsWrittenAfterTheColourAndReadBack)
{
    EXPECT_EQ(with_stated_di_ph("3.5", 5.724), "3.5 PH 5.72");
    EXPECT_EQ(with_stated_di_ph("3.5 PH 5.6 TAMPON 38", 5.8), "3.5 PH 5.8 TAMPON 38");
    EXPECT_EQ(with_stated_di_ph("3.5", 12), "3.5");          // out of range: left as it was
    EXPECT_EQ(with_stated_di_ph("3.5 EBC", 5.7), "3.5 EBC"); // words it does not know stay
    EXPECT_EQ(with_stated_di_ph("VOLVIC", 5.7), "VOLVIC");
    for (double ph = 3.0; ph <= 8.0; ph += 0.37)
        EXPECT_NEAR(stated_acidity(with_stated_di_ph("12", ph)).di_ph, ph, 0.005) << ph;
    // Stating a figure moves the mash pH with it: a lower DI pH, a lower mash.
    RecipeLine grain;
    grain.category = "MALT";
    grain.designation = "Malt Pilsen";
    grain.quantity = "5 KG";
    grain.step = "EMPATAGE";
    RecipeLine water;
    water.category = "EAU";
    water.quantity = "15 L";
    water.value = "OSMOSÉE";
    water.step = "EMPATAGE";
    WaterProfile distilled;
    ASSERT_TRUE(parse_water_profile("Osmosée\t0\t0\t0\t0\t0\t0\t7", distilled));
    const std::vector<WaterProfile> profiles = {distilled};
    double before = 0;
    for (const char* value : {"3.5 PH 5.9", "3.5", "3.5 PH 5.6", "3.5 PH 5.6 TAMPON 80"}) {
        grain.value = value;
        const RecipeLine lines[] = {grain, water};
        const WaterChemistry w = water_chemistry(lines, 2, profiles);
        ASSERT_TRUE(w.computed) << value;
        if (before > 0 && std::string(value).find("TAMPON") == std::string::npos) {
            EXPECT_LT(w.model_ph, before) << value;
        }
        if (std::string(value) == "3.5 PH 5.6 TAMPON 80") {
            EXPECT_NEAR(w.model_ph, before, 0.01); // grain alone in distilled water: its buffering aside
        }
        before = w.model_ph;
    }
}

TEST(WaterProfiles, ReadsALineAndFindsByNameWhateverTheCase)
{
    WaterProfile p;
    ASSERT_TRUE(parse_water_profile("Osmosée\t1\t2\t3\t4\t5\t6\t6.5", p));
    EXPECT_EQ(p.ions.ca, 1);
    EXPECT_EQ(p.ions.hco3, 6);
    EXPECT_EQ(p.ph, 6.5);
    EXPECT_FALSE(parse_water_profile("\t1\t2", p));
    const std::vector<WaterProfile> profiles = {p};
    EXPECT_EQ(find_water_profile(profiles, "OSMOSÉE"), &profiles[0]);
    EXPECT_EQ(find_water_profile(profiles, " osmosée "), &profiles[0]);
    EXPECT_EQ(find_water_profile(profiles, "OSMOSE"), nullptr);
    EXPECT_EQ(find_water_profile(profiles, "0"), nullptr);
}

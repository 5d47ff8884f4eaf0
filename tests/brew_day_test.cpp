// The brew day's figures: strike water, infusions, decoctions, sparge and the volumes at each stage.
#include "calc/brew_day_text.h"
#include "calc/estimate.h"
#include "calc/mash_water.h"
#include "calc/stage_volumes.h"
#include "random_recipe.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

MashStep step(const char* name, double temperature, double minutes, MashStepKind kind)
{
    MashStep s;
    s.name = name;
    s.temperature = temperature;
    s.minutes = minutes;
    s.kind = kind;
    return s;
}

} // namespace

TEST(MashWater, StrikeTemperatureOfWorkedExamples)
{
    const struct {
        double ratio, grain, rest, expected;
    } cases[] = {
        {3, 20, 66, 72.28666666666667}, // 0.41 / 3 × 46 + 66
        {2.5, 18, 67, 75.036},          // 0.41 / 2.5 × 49 + 67
        {4, 20, 52, 55.28},             // 0.41 / 4 × 32 + 52: thin mash, small rise
        {3, 66, 66, 66},                // grain already at the rest
        {0, 20, 66, 0},                 // no water: no figure
        {-1, 20, 66, 0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(strike_temperature(c.ratio, c.grain, c.rest), c.expected, 1e-9)
            << c.ratio << " " << c.rest;
}

TEST(MashWater, InfusionAndDecoctionOfWorkedExamples)
{
    // 5 kg of grain in 15 L from 52 to 63 °C with boiling water: 11 × (2.05 + 15) / 37.
    EXPECT_NEAR(infusion_litres(52, 63, 5, 15, 100), 11 * 17.05 / 37, 1e-12);
    EXPECT_NEAR(infusion_litres(63, 72, 5, 20, 100), 9 * 22.05 / 28, 1e-12);
    EXPECT_EQ(infusion_litres(63, 63, 5, 20, 100), 0);  // no rise
    EXPECT_EQ(infusion_litres(63, 60, 5, 20, 100), 0);  // a fall is not made by pouring hot water
    EXPECT_EQ(infusion_litres(50, 100, 5, 20, 100), 0); // water no hotter than the target
    EXPECT_NEAR(decoction_share(52, 63), 11.0 / 48 * 1.15, 1e-12);
    EXPECT_NEAR(decoction_share(63, 72), 9.0 / 37 * 1.15, 1e-12);
    EXPECT_EQ(decoction_share(40, 95), 1); // more than the whole mash: all of it
    EXPECT_EQ(decoction_share(72, 72), 0);
}

TEST(MashWater, ScheduleOfInfusionsDecoctionAndDirectHeat)
{
    MashInput in;
    in.grain_kg = 5;
    in.mash_litres = 15;
    in.rinse_litres = 14;
    in.grain_temperature = 20;
    in.tun_heat_loss = 1;
    in.steps = {
        step("Protéines", 52, 10, MashStepKind::infusion), step("Maltose", 63, 30, MashStepKind::infusion),
        step("Dextrines", 72, 30, MashStepKind::decoction), step("Fin", 78, 10, MashStepKind::direct_heat)};
    const MashPlan p = plan_mash(in);
    EXPECT_EQ(p.strike_litres, 15);
    EXPECT_NEAR(p.strike_temperature, 0.41 / 3 * 32 + 52 + 1, 1e-12);
    ASSERT_EQ(p.steps.size(), 4u);
    EXPECT_EQ(p.steps[0].water_litres, 0); // the strike water makes the first step
    const double infused = 11 * 17.05 / 37;
    EXPECT_NEAR(p.steps[1].water_litres, infused, 1e-12);
    EXPECT_EQ(p.steps[1].water_temperature, 100);
    EXPECT_NEAR(p.steps[1].mash_litres, 15 + infused, 1e-12);
    EXPECT_NEAR(p.steps[2].decoction_share, 9.0 / 37 * 1.15, 1e-12);
    EXPECT_EQ(p.steps[2].water_litres, 0);
    EXPECT_EQ(p.steps[3].water_litres, 0);
    EXPECT_EQ(p.steps[3].decoction_share, 0);
    EXPECT_NEAR(p.sparge_litres, 14 - infused, 1e-12); // the infusion water comes out of the rinse water
    EXPECT_EQ(p.sparge_temperature, 77);
}

TEST(MashWater, EmptyScheduleOrNoGrainGivesNoTemperature)
{
    MashInput in;
    in.mash_litres = 15;
    in.rinse_litres = 10;
    EXPECT_EQ(plan_mash(in).strike_temperature, 0);
    in.steps = {step("Maltose", 66, 60, MashStepKind::infusion)};
    EXPECT_EQ(plan_mash(in).strike_temperature, 0); // no grain
    EXPECT_EQ(plan_mash(in).sparge_litres, 10);
}

// Every infusion's water, mixed with the mash, lands on its step's temperature; the strike water with the
// grain on the first one; and the water poured in all never exceeds the recipe's.
TEST(MashWater, HeatBalancesHoldOverRandomSchedules)
{
    std::mt19937 random(2612);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int n = 0; n < 500; n++) {
        MashInput in;
        in.grain_kg = 1 + 9 * unit(random);
        in.mash_litres = in.grain_kg * (2 + 3 * unit(random));
        in.rinse_litres = 30 * unit(random);
        in.grain_temperature = 5 + 20 * unit(random);
        double t = 35 + 20 * unit(random);
        const int count = 1 + static_cast<int>(random() % 5);
        for (int k = 0; k < count; k++) {
            in.steps.push_back(step("", t, 10, static_cast<MashStepKind>(random() % 3)));
            t += 8 * unit(random) - 1;
        }
        const MashPlan p = plan_mash(in);
        const double g = 0.41 * in.grain_kg;
        EXPECT_NEAR(g * in.grain_temperature + in.mash_litres * p.strike_temperature,
                    (g + in.mash_litres) * in.steps[0].temperature, 1e-9);
        double water = in.mash_litres, poured = 0;
        for (size_t k = 1; k < p.steps.size(); k++) {
            const MashStepPlan& s = p.steps[k];
            ASSERT_GE(s.water_litres, 0);
            if (s.water_litres > 0) {
                EXPECT_NEAR((g + water) * in.steps[k - 1].temperature + s.water_litres * 100,
                            (g + water + s.water_litres) * s.step.temperature, 1e-9);
            }
            EXPECT_TRUE(s.decoction_share >= 0 && s.decoction_share <= 1);
            water += s.water_litres;
            poured += s.water_litres;
            EXPECT_NEAR(s.mash_litres, water, 1e-9);
        }
        EXPECT_GE(p.sparge_litres, 0);
        EXPECT_NEAR(p.sparge_litres, std::max(0.0, in.rinse_litres - poured), 1e-9);
    }
}

TEST(MashWater, RecipeStepsOrElseTheConfigurationsRests)
{
    Settings s;
    s.rest_first[1] = 52;
    s.rest_minutes[1] = 0; // a rest of no minutes is skipped
    s.rest_first[2] = 63;
    s.rest_minutes[2] = 30;
    s.rest_first[3] = 72;
    s.rest_minutes[3] = 20;
    s.rest_minutes[4] = 10; // no temperature: no rest
    BrewingPlan plan;
    const std::vector<MashStep> rests = mash_steps_of(plan, s);
    ASSERT_EQ(rests.size(), 2u);
    EXPECT_EQ(rests[0].temperature, 63);
    EXPECT_EQ(rests[0].kind, MashStepKind::infusion);
    EXPECT_EQ(rests[1].minutes, 20);
    EXPECT_EQ(rests[1].kind, MashStepKind::direct_heat);
    plan.mash = {step("Unique", 67, 60, MashStepKind::infusion)};
    ASSERT_EQ(mash_steps_of(plan, s).size(), 1u);
    EXPECT_EQ(mash_steps_of(plan, s)[0].name, "Unique");
}

// With none of the brew-day settings, the wort in the fermenter is exactly the estimates' final volume.
TEST(StageVolumes, WithoutBrewDaySettingsTheFermenterGetsTheFinalVolume)
{
    std::mt19937 random(26);
    for (int n = 0; n < 300; n++) {
        const Settings s = random_settings(random);
        const Estimates e = estimate(random_recipe(random), s, ForcedVolume{});
        const StageVolumes v = stage_volumes(e, s, 60);
        EXPECT_EQ(v.fermenter_litres, e.final_volume);
        EXPECT_EQ(v.packaged_litres, e.final_volume);
        EXPECT_GE(v.pre_boil_litres, v.post_boil_litres);
        if (e.initial_density > 1000 && v.fermenter_litres > 0) {
            EXPECT_LT(v.pre_boil_density, e.initial_density);
        }
    }
}

TEST(StageVolumes, WorkedExampleWithEveryLoss)
{
    Estimates e;
    e.mash_water = 15;
    e.rinse_water = 14;
    e.malt_kg = 5;
    e.hop_kg = 0.05;
    e.initial_density = 1050;
    Settings s;
    set_worked_example_brewery(s);
    s.boil_off_litres_per_hour = 3;
    s.cooling_shrinkage = 4;
    s.kettle_loss = 1;
    s.fermenter_loss = 0.5;
    const StageVolumes v = stage_volumes(e, s, 90);
    const double pre = 15 - 1.5 + 14 - 5; // 22.5
    EXPECT_NEAR(v.pre_boil_litres, pre, 1e-12);
    EXPECT_NEAR(v.post_boil_litres, pre - 4.5, 1e-12); // 3 L/h for 1.5 h
    const double cooled = 18 * 0.96;
    EXPECT_NEAR(v.fermenter_litres, cooled - 0.5 - 1, 1e-12);
    EXPECT_NEAR(v.packaged_litres, cooled - 2, 1e-12);
    EXPECT_NEAR(v.pre_boil_density, 1000 + 50 * cooled / pre, 1e-9);
    // The boil-off replaces the percent: without it 10 % of the pre-boil volume goes.
    s.boil_off_litres_per_hour = 0;
    EXPECT_NEAR(stage_volumes(e, s, 90).post_boil_litres, pre * 0.9, 1e-12);
}

TEST(StageVolumes, LossesLargerThanTheWortLeaveNothingNegative)
{
    Estimates e;
    e.mash_water = 2;
    e.malt_kg = 5;
    e.initial_density = 1040;
    Settings s;
    set_worked_example_brewery(s);
    s.kettle_loss = 3;
    s.fermenter_loss = 3;
    const StageVolumes v = stage_volumes(e, s, 60);
    EXPECT_EQ(v.fermenter_litres, 0);
    EXPECT_EQ(v.packaged_litres, 0);
    EXPECT_EQ(v.pre_boil_density, 0);
}

// The mash window's figures: strike, boiling water poured (only when some is), rinse.
TEST(MashWater, SummaryOfASchedule)
{
    MashInput in;
    in.grain_kg = 5;
    in.mash_litres = 15;
    in.rinse_litres = 12;
    in.grain_temperature = 20;
    in.steps = {step("Protéines", 52, 15, MashStepKind::infusion),
                step("Sucres", 63, 45, MashStepKind::infusion)};
    // 15 L at 0.41 / 3 × 32 + 52; then 11 × (2.05 + 15) / 37 L of boiling water, out of the rinse.
    EXPECT_EQ(mash_summary_text(plan_mash(in)), "Eau d'empâtage : 15 L à 56.37 °C\n"
                                                "Eau bouillante des infusions : 5.07 L\n"
                                                "Eau de rinçage : 6.93 L à 77 °C");
    in.steps[1].kind = MashStepKind::direct_heat;
    EXPECT_EQ(mash_summary_text(plan_mash(in)),
              "Eau d'empâtage : 15 L à 56.37 °C\nEau de rinçage : 12 L à 77 °C");
    in.steps.clear();
    in.rinse_litres = 0;
    EXPECT_EQ(mash_summary_text(plan_mash(in)), "Eau d'empâtage : 15 L\nEau de rinçage : 0 L");
}

// tests/mash_schedule_edit_test.cpp — the mash schedule's edits in its window: adding, removing and moving
// steps over random schedules, and the brewery's rests kept as an empty plan.
#include "calc/mash_schedule_edit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace
{

Settings two_rests()
{
    Settings s;
    for (int r = 1; r <= 4; r++)
        s.rest_first[r] = s.rest_minutes[r] = 0;
    s.rest_first[2] = 63;
    s.rest_minutes[2] = 45;
    s.rest_first[3] = 72;
    s.rest_minutes[3] = 15;
    return s;
}

EditedMash random_mash(std::mt19937& random)
{
    EditedMash mash;
    const int count = static_cast<int>(random() % 8);
    for (int k = 0; k < count; k++) {
        MashStep step;
        step.name = "P" + std::to_string(k);
        step.temperature = 35 + static_cast<double>(random() % 45);
        step.minutes = static_cast<double>(random() % 90);
        step.kind = static_cast<MashStepKind>(random() % 3);
        mash.steps.push_back(step);
    }
    return mash;
}

std::vector<std::string> names(const EditedMash& mash)
{
    std::vector<std::string> result;
    for (const MashStep& step : mash.steps)
        result.push_back(step.name);
    return result;
}

} // namespace

TEST(MashScheduleEdit, BreweryRestsOpenAsTheConfigurationsAndStoreAsNothing)
{
    BrewingPlan plan;
    EditedMash mash = edited_mash_of(plan, two_rests());
    EXPECT_TRUE(mash.brewery_rests);
    ASSERT_EQ(mash.steps.size(), 2u);
    EXPECT_EQ(mash.steps[0].temperature, 63);
    EXPECT_TRUE(plan_steps_of(mash).empty());
    // Any edit makes them the recipe's own.
    move_mash_step(mash, 0, false);
    EXPECT_FALSE(mash.brewery_rests);
    EXPECT_EQ(plan_steps_of(mash).size(), 2u);
    use_brewery_rests(mash, two_rests());
    EXPECT_TRUE(plan_steps_of(mash).empty());
    // A plan of its own opens as itself.
    plan.mash = {mash.steps[1]};
    mash = edited_mash_of(plan, two_rests());
    EXPECT_FALSE(mash.brewery_rests);
    EXPECT_EQ(plan_steps_of(mash).size(), 1u);
}

TEST(MashScheduleEdit, AddedStepsFollowTheOneBefore)
{
    EditedMash mash;
    EXPECT_EQ(add_mash_step(mash, 0), 0u);
    EXPECT_EQ(mash.steps[0].temperature, 67); // a single infusion to start
    EXPECT_EQ(mash.steps[0].minutes, 60);
    EXPECT_EQ(mash.steps[0].kind, MashStepKind::infusion);
    mash.steps[0].kind = MashStepKind::decoction;
    EXPECT_EQ(add_mash_step(mash, 0), 1u);
    EXPECT_EQ(mash.steps[1].temperature, 72);
    EXPECT_EQ(mash.steps[1].kind, MashStepKind::decoction);
    EXPECT_EQ(add_mash_step(mash, 99), 2u); // past the end: at the end
    EXPECT_EQ(mash.steps[2].temperature, 77);
    EXPECT_EQ(add_mash_step(mash, 2), 3u);
    EXPECT_EQ(mash.steps[3].temperature, 78) << "no hotter than a mash-out";
    mash.steps[3].temperature = 90;
    add_mash_step(mash, 3);
    EXPECT_EQ(mash.steps[4].temperature, 90) << "never cooler than the step before";
    EXPECT_EQ(mash.steps[4].name, "Palier 5");
    while (mash.steps.size() < kMostEditedMashSteps)
        add_mash_step(mash, 0);
    EXPECT_EQ(add_mash_step(mash, 3), 3u);
    EXPECT_EQ(mash.steps.size(), kMostEditedMashSteps) << "a file would keep no more";
}

TEST(MashScheduleEdit, EditsUndoEachOtherOverRandomSchedules)
{
    std::mt19937 random(2626);
    for (int n = 0; n < 500; n++) {
        const EditedMash start = random_mash(random);
        const size_t count = start.steps.size();
        const size_t at = count ? random() % count : 0;

        EditedMash mash = start;
        const size_t added = add_mash_step(mash, at);
        ASSERT_EQ(mash.steps.size(), count + 1);
        EXPECT_EQ(added, count ? at + 1 : 0);
        EXPECT_FALSE(mash.brewery_rests);
        remove_mash_step(mash, added);
        EXPECT_EQ(names(mash), names(start));

        mash = start;
        const size_t down = move_mash_step(mash, at, false);
        EXPECT_EQ(down, count && at + 1 < count ? at + 1 : at);
        std::vector<std::string> sorted = names(mash), expected = names(start);
        std::sort(sorted.begin(), sorted.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sorted, expected) << "a move loses no step";
        if (down != at) {
            EXPECT_EQ(move_mash_step(mash, down, true), at);
        }
        EXPECT_EQ(names(mash), names(start));

        mash = start;
        const size_t next = remove_mash_step(mash, at);
        if (count == 0) {
            EXPECT_TRUE(mash.steps.empty());
            continue;
        }
        ASSERT_EQ(mash.steps.size(), count - 1);
        EXPECT_TRUE(mash.steps.empty() ? next == 0 : next < mash.steps.size());
        EXPECT_EQ(remove_mash_step(mash, count + 5), count + 5) << "past the end: nothing";
        EXPECT_EQ(mash.steps.size(), count - 1);
    }
}

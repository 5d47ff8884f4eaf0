// calc/mash_schedule_edit.cpp — the mash schedule as its window edits it: a copy of the steps and the moves a
// brewer makes on them (pure; no GTK).
#include "calc/mash_schedule_edit.h"

#include "calc/mash_water.h"

#include <algorithm>
#include <utility>

// A single-infusion mash at the middle of the saccharification range, when there is nothing to follow.
constexpr double kFirstRestTemperature = 67;
constexpr double kFirstRestMinutes = 60;
// A later rest: a little warmer than the one before, no hotter than a mash-out.
constexpr double kNextRestRise = 5;
constexpr double kMashOutTemperature = 78;
constexpr double kNextRestMinutes = 10;

EditedMash edited_mash_of(const BrewingPlan& plan, const Settings& settings)
{
    EditedMash mash;
    mash.steps = mash_steps_of(plan, settings);
    mash.brewery_rests = plan.mash.empty();
    return mash;
}

std::vector<MashStep> plan_steps_of(const EditedMash& mash)
{
    return mash.brewery_rests ? std::vector<MashStep>{} : mash.steps;
}

size_t add_mash_step(EditedMash& mash, size_t after)
{
    if (mash.steps.size() >= kMostEditedMashSteps)
        return after;
    MashStep step;
    step.name = "Palier " + std::to_string(mash.steps.size() + 1);
    size_t at = 0;
    if (mash.steps.empty()) {
        step.temperature = kFirstRestTemperature;
        step.minutes = kFirstRestMinutes;
    } else {
        at = std::min(after, mash.steps.size() - 1) + 1;
        const MashStep& before = mash.steps[at - 1];
        step.temperature =
            std::max(before.temperature, std::min(before.temperature + kNextRestRise, kMashOutTemperature));
        step.minutes = kNextRestMinutes;
        step.kind = before.kind;
    }
    mash.steps.insert(mash.steps.begin() + static_cast<std::ptrdiff_t>(at), step);
    mash.brewery_rests = false;
    return at;
}

size_t remove_mash_step(EditedMash& mash, size_t index)
{
    if (index >= mash.steps.size())
        return index;
    mash.steps.erase(mash.steps.begin() + static_cast<std::ptrdiff_t>(index));
    mash.brewery_rests = false;
    return std::min(index, mash.steps.empty() ? 0 : mash.steps.size() - 1);
}

size_t move_mash_step(EditedMash& mash, size_t index, bool up)
{
    if (index >= mash.steps.size() || (up && index == 0) || (!up && index + 1 >= mash.steps.size()))
        return index;
    const size_t other = up ? index - 1 : index + 1;
    std::swap(mash.steps[index], mash.steps[other]);
    mash.brewery_rests = false;
    return other;
}

void use_brewery_rests(EditedMash& mash, const Settings& settings)
{
    mash = edited_mash_of(BrewingPlan{}, settings);
}

// calc/mash_schedule_edit.h — the mash schedule as its window edits it: a copy of the steps and the moves a
// brewer makes on them (pure; no GTK).
#pragma once

#include "core/records.h"

#include <string>
#include <vector>

// The schedule being edited: its steps as shown, and whether they are the brewery's rests (the recipe's plan
// then stays empty, so that a later change of the configuration still applies to it).
struct EditedMash {
    std::vector<MashStep> steps;
    bool brewery_rests = false;
};

// A recipe file keeps at most this many steps (recipe/formats/cvl.cpp), so the window adds no more.
constexpr size_t kMostEditedMashSteps = 40;
// The highest rest temperature and duration a step may have (°C, minutes).
constexpr double kMostMashTemperature = 100;
constexpr double kMostMashMinutes = 600;

// The schedule the window opens with: the plan's own steps, or the brewery's rests when it has none.
EditedMash edited_mash_of(const BrewingPlan& plan, const Settings& settings);

// The steps to store in the recipe's plan: empty for the brewery's rests.
std::vector<MashStep> plan_steps_of(const EditedMash& mash);

// Adds a step after step `after` (at the end when past it) and gives its index: a little warmer than the one
// before it, by the same kind (an infusion to start an empty schedule). A full schedule is left as it is and
// `after` given back.
size_t add_mash_step(EditedMash& mash, size_t after);

// Removes step `index` and gives the step to select next (the one that took its place, else the one
// before); nothing happens past the end.
size_t remove_mash_step(EditedMash& mash, size_t index);

// Swaps step `index` with the one before (up) or after it; gives the index where the step now is.
size_t move_mash_step(EditedMash& mash, size_t index, bool up);

// Gives the brewery's rests back to the schedule.
void use_brewery_rests(EditedMash& mash, const Settings& settings);

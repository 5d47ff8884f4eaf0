// core/history.cpp — undo and redo by whole snapshots of the recipe's editable parts, bounded in steps and
// bytes.
#include "core/history.h"

#include "core/workspace.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace
{

// What a brewer edits; the computed figures and the picture cache are not part of it.
struct Snapshot {
    Recipe recipe;
    long state = 0;   // identifies the recipe's state, so a save can be recognised after undo and redo
    size_t bytes = 0; // what the snapshot holds, counted once when it is taken
};

// Each state of the recipe gets a number; the recipe is modified when its number is not the saved one.
struct History {
    std::deque<Snapshot> undo;
    std::vector<Snapshot> redo;
    std::vector<Snapshot> dropped_redo; // the redo steps the last change took away
    size_t bytes = 0;                   // held by the snapshots of the three lists
    long current = 0;
    long saved = 0;
    long previous_current = 0; // the state before the last change
    long next = 1;
};

History history;

// The heap bytes of a text: none while it is short enough to sit inside the string itself.
size_t text_bytes(const std::string& text)
{
    const char* inside = reinterpret_cast<const char*>(&text);
    const bool in_place = text.data() >= inside && text.data() < inside + sizeof text;
    return in_place ? 0 : text.capacity() + 1;
}

constexpr std::string RecipeLine::*kLineTexts[] = {
    &RecipeLine::picture,  &RecipeLine::category, &RecipeLine::designation,
    &RecipeLine::quantity, &RecipeLine::value,    &RecipeLine::yield,
    &RecipeLine::time,     &RecipeLine::step,     &RecipeLine::price,
};

size_t snapshot_bytes(const Snapshot& s)
{
    const Recipe& r = s.recipe;
    size_t bytes =
        sizeof s + r.lines.capacity() * sizeof(RecipeLine) + text_bytes(r.title) + text_bytes(r.carbonation);
    for (std::string StyleEntry::*field : kStyleFields)
        bytes += text_bytes(r.style.*field);
    for (const RecipeLine& line : r.lines)
        for (std::string RecipeLine::*field : kLineTexts)
            bytes += text_bytes(line.*field);
    return bytes;
}

template <class Steps> void push_step(Steps& steps, Snapshot&& step)
{
    history.bytes += step.bytes;
    steps.push_back(std::move(step));
}

template <class Steps> void pop_last_step(Steps& steps)
{
    history.bytes -= steps.back().bytes;
    steps.pop_back();
}

void clear_steps(std::vector<Snapshot>& steps)
{
    for (const Snapshot& step : steps)
        history.bytes -= step.bytes;
    steps.clear();
}

// Keeps the history within its bounds: past kHistorySteps the oldest undo step goes; past kHistoryBytes the
// redo steps that only a command that changed nothing could give back go first, then the oldest undo steps,
// down to the kHistoryKeptSteps nearest ones.
void trim()
{
    auto drop_oldest = [] {
        history.bytes -= history.undo.front().bytes;
        history.undo.pop_front();
    };
    while (history.undo.size() > static_cast<size_t>(kHistorySteps))
        drop_oldest();
    if (history.bytes > kHistoryBytes)
        clear_steps(history.dropped_redo);
    while (history.bytes > kHistoryBytes && history.undo.size() > static_cast<size_t>(kHistoryKeptSteps))
        drop_oldest();
}

Snapshot take_snapshot()
{
    Snapshot s;
    s.recipe = recipe_on_screen();
    s.state = history.current;
    s.bytes = snapshot_bytes(s);
    return s;
}

void restore(const Snapshot& s)
{
    put_recipe_on_screen(s.recipe);
    history.current = s.state;
}

} // namespace

void history_note_change()
{
    push_step(history.undo, take_snapshot());
    clear_steps(history.dropped_redo);
    history.dropped_redo.swap(history.redo);
    trim();
    history.previous_current = history.current;
    history.current = history.next++;
}

void history_forget_unchanged()
{
    if (history.undo.empty() || history.current != history.next - 1 ||
        !same_recipe(history.undo.back().recipe, recipe_on_screen()))
        return;
    pop_last_step(history.undo);
    clear_steps(history.redo);
    history.redo.swap(history.dropped_redo);
    history.current = history.previous_current;
}

bool history_undo()
{
    if (history.undo.empty())
        return false;
    push_step(history.redo, take_snapshot());
    restore(history.undo.back());
    pop_last_step(history.undo);
    clear_steps(history.dropped_redo);
    trim();
    return true;
}

bool history_redo()
{
    if (history.redo.empty())
        return false;
    push_step(history.undo, take_snapshot());
    restore(history.redo.back());
    pop_last_step(history.redo);
    clear_steps(history.dropped_redo);
    trim();
    return true;
}

void history_reset()
{
    history.undo.clear();
    history.redo.clear();
    history.dropped_redo.clear();
    history.bytes = 0;
    history.current = history.next++;
    history.saved = history.current;
}

void history_reset_unsaved()
{
    history_reset();
    history.saved = -1; // no state ever gets this number
}

void history_mark_saved()
{
    history.saved = history.current;
}

bool recipe_is_modified()
{
    return history.current != history.saved;
}

bool history_can_undo()
{
    return !history.undo.empty();
}

bool history_can_redo()
{
    return !history.redo.empty();
}

size_t history_bytes()
{
    return history.bytes;
}

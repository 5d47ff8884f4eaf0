// core/history.cpp — undo and redo by whole snapshots of the recipe's editable parts.
#include "core/history.h"

#include "core/workspace.h"

#include <deque>
#include <vector>

namespace
{

// What a brewer edits; the computed figures and the picture cache are not part of it.
struct Snapshot {
    std::vector<RecipeLine> lines;
    StyleEntry style;
    std::string title;
    std::string carbonation;
    double forced_volume = 0;
    int32_t volume_forced = 0;
    long state = 0; // identifies the recipe's state, so a save can be recognised after undo and redo
};

// Each state of the recipe gets a number; the recipe is modified when its number is not the saved one.
struct History {
    std::deque<Snapshot> undo;
    std::vector<Snapshot> redo;
    std::vector<Snapshot> dropped_redo; // the redo steps the last change took away
    long current = 0;
    long saved = 0;
    long previous_current = 0; // the state before the last change
    long next = 1;
};

History history;

Snapshot take_snapshot()
{
    Snapshot s;
    s.lines.assign(ws.lines.begin() + 1, ws.lines.begin() + 1 + ws.line_count);
    s.style = ws.style;
    s.title = ws.title;
    s.carbonation = ws.carbonation;
    s.forced_volume = ws.forced_volume;
    s.volume_forced = ws.volume_forced;
    s.state = history.current;
    return s;
}

void restore(const Snapshot& s)
{
    ws.line_count = static_cast<int32_t>(s.lines.size());
    for (int32_t i = 0; i < ws.line_count; i++)
        ws.lines[i + 1] = s.lines[i];
    ws.style = s.style;
    ws.title = s.title;
    ws.carbonation = s.carbonation;
    ws.forced_volume = s.forced_volume;
    ws.volume_forced = s.volume_forced;
    history.current = s.state;
    if (ws.selected_line > ws.line_count)
        ws.selected_line = 0;
}

bool same_line(const RecipeLine& a, const RecipeLine& b)
{
    return a.picture == b.picture && a.category == b.category && a.designation == b.designation &&
           a.quantity == b.quantity && a.value == b.value && a.yield == b.yield && a.time == b.time &&
           a.step == b.step && a.price == b.price;
}

bool same_style(const StyleEntry& a, const StyleEntry& b)
{
    return a.category == b.category && a.name == b.name && a.og_min == b.og_min && a.og_max == b.og_max &&
           a.fg_min == b.fg_min && a.fg_max == b.fg_max && a.ebc_min == b.ebc_min && a.ebc_max == b.ebc_max &&
           a.ibu_min == b.ibu_min && a.ibu_max == b.ibu_max && a.picture == b.picture &&
           a.description == b.description;
}

bool equals_recipe(const Snapshot& s)
{
    if (static_cast<int32_t>(s.lines.size()) != ws.line_count || !same_style(s.style, ws.style) ||
        s.title != ws.title || s.carbonation != ws.carbonation || s.volume_forced != ws.volume_forced ||
        s.forced_volume != ws.forced_volume)
        return false;
    for (int32_t i = 0; i < ws.line_count; i++)
        if (!same_line(s.lines[i], ws.lines[i + 1]))
            return false;
    return true;
}

} // namespace

void history_note_change()
{
    history.undo.push_back(take_snapshot());
    if (history.undo.size() > static_cast<size_t>(kHistorySteps))
        history.undo.pop_front();
    history.dropped_redo.swap(history.redo);
    history.redo.clear();
    history.previous_current = history.current;
    history.current = history.next++;
}

void history_forget_unchanged()
{
    if (history.undo.empty() || history.current != history.next - 1 || !equals_recipe(history.undo.back()))
        return;
    history.undo.pop_back();
    history.redo.swap(history.dropped_redo);
    history.dropped_redo.clear();
    history.current = history.previous_current;
}

bool history_undo()
{
    if (history.undo.empty())
        return false;
    history.redo.push_back(take_snapshot());
    restore(history.undo.back());
    history.undo.pop_back();
    history.dropped_redo.clear();
    return true;
}

bool history_redo()
{
    if (history.redo.empty())
        return false;
    history.undo.push_back(take_snapshot());
    restore(history.redo.back());
    history.redo.pop_back();
    history.dropped_redo.clear();
    return true;
}

void history_reset()
{
    history.undo.clear();
    history.redo.clear();
    history.dropped_redo.clear();
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

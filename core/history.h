// core/history.h — the undo and redo history of the recipe, and whether it changed since it was last saved.
#pragma once

#include <cstddef>

// Call once BEFORE each change of the recipe a brewer makes: keeps an undo snapshot of the lines, style,
// title, carbonation and forced volume, forgets the redo steps and marks the recipe modified.
void history_note_change();

// Drops the last snapshot when the recipe still equals it (a command that changed nothing after all), and
// gives back the redo steps and the modified flag that it had taken away.
void history_forget_unchanged();

// Puts the recipe back as it was before the last change; false when there is nothing to undo.
bool history_undo();

// Redoes the last undone change; false when there is nothing to redo.
bool history_redo();

// After New, Open or an import: no undo or redo step, not modified.
void history_reset();

// After an import from another program's file: no undo or redo step, and modified, since the recipe is saved
// in no Cuvelo file yet.
void history_reset_unsaved();

// The recipe as it is now is the saved one: not modified until the next change, undo or redo.
void history_mark_saved();

// True when the recipe differs from the one last opened, saved or started.
bool recipe_is_modified();

// True when there is a step to undo or to redo.
bool history_can_undo();
bool history_can_redo();

// The bytes that the undo and redo snapshots hold now.
size_t history_bytes();

// Undo keeps at most kHistorySteps steps, and its snapshots at most kHistoryBytes (a recipe of very long
// texts would otherwise keep gigabytes); the oldest steps go first, but the kHistoryKeptSteps last ones
// always stay.
constexpr int kHistorySteps = 200;
constexpr size_t kHistoryBytes = size_t(64) << 20;
constexpr int kHistoryKeptSteps = 10;

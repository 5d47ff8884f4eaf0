// tests/history_test.cpp — the modified flag through undo and redo, the forgotten no-op step, the depth of
// the history (undo and redo of every kind of change are driven through the window in the GUI suite).
#include "core/history.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

#include <string>

TEST(History, SavedStateIsRecognisedAfterUndoAndRedo)
{
    reset_workspace();
    history_reset();
    EXPECT_FALSE(recipe_is_modified());
    history_note_change();
    ws.title = "Blonde";
    EXPECT_TRUE(recipe_is_modified());
    history_mark_saved();
    EXPECT_FALSE(recipe_is_modified());
    history_undo();
    EXPECT_TRUE(recipe_is_modified()) << "undo after a save";
    history_redo();
    EXPECT_FALSE(recipe_is_modified()) << "redo back to the saved recipe";

    // A command that changed nothing leaves no step, keeps the redo steps and the saved state.
    history_undo();
    history_note_change();
    history_forget_unchanged();
    EXPECT_TRUE(history_can_redo());
    history_redo();
    EXPECT_FALSE(recipe_is_modified());
    EXPECT_EQ(ws.title, "Blonde");

    // A new change forgets what could be redone.
    history_undo();
    history_note_change();
    ws.title = "Ambrée";
    history_forget_unchanged();
    EXPECT_FALSE(history_can_redo());

    history_reset();
    EXPECT_FALSE(history_can_undo());
    EXPECT_FALSE(recipe_is_modified());
}

TEST(History, KeepsTheLastStepsAndDropsTheOldest)
{
    reset_workspace();
    history_reset();
    for (int k = 1; k <= kHistorySteps + 50; k++) {
        history_note_change();
        ws.title = std::to_string(k);
    }
    int undone = 0;
    while (history_undo())
        undone++;
    EXPECT_EQ(undone, kHistorySteps);
    EXPECT_GE(undone, 100);
    EXPECT_EQ(ws.title, "50");
}

// tests/history_test.cpp — the modified flag through undo and redo, the forgotten no-op step, the depth of
// the history (undo and redo of every kind of change are driven through the window in the GUI suite).
#include "core/history.h"
#include "core/workspace.h"
#include "random_recipe.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

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

// One state of the recipe in a few bytes: its title's length and first letter, and its lines' texts.
static std::string state_on_screen()
{
    std::string state = std::to_string(ws.title.size()) + ws.title.substr(0, 1);
    for (int i = 1; i <= ws.line_count; i++)
        state += "|" + ws.lines[i].designation + "=" + ws.lines[i].quantity;
    return state;
}

// Random changes of a random recipe, one in three a new title of up to 5 MB, so that ten steps always fit
// within the byte bound: the history holds no more than the bound, counts at least the titles it keeps, and
// undoes then redoes its last ten steps exactly.
TEST(History, BoundedInBytesAndTheLastStepsUndoExactly)
{
    for (unsigned seed = 1; seed <= 2; seed++) {
        std::mt19937 random(seed);
        reset_workspace();
        for (const RecipeLine& line : random_recipe(random))
            ws.lines[++ws.line_count] = line;
        history_reset();
        std::vector<std::string> states{state_on_screen()};
        for (int step = 1; step <= 40; step++) {
            history_note_change();
            const int line = 1 + static_cast<int>(random() % static_cast<unsigned>(ws.line_count));
            switch (random() % 3) {
            case 0:
                ws.title.assign(1 + random() % (size_t(5) << 20), static_cast<char>('a' + step % 26));
                break;
            case 1:
                ws.lines[line].quantity = std::to_string(step) + " G";
                break;
            default:
                for (int i = line; i < ws.line_count; i++)
                    ws.lines[i] = ws.lines[i + 1];
                ws.line_count--;
                if (ws.line_count == 0)
                    ws.lines[++ws.line_count].designation = "Eau";
                break;
            }
            states.push_back(state_on_screen());
            ASSERT_LE(history_bytes(), kHistoryBytes) << "seed " << seed << ", step " << step;
        }
        const size_t bytes = history_bytes();
        size_t kept_titles = 0;
        int undone = 0;
        for (; undone < kHistoryKeptSteps; undone++) {
            ASSERT_TRUE(history_undo()) << "seed " << seed << ": only " << undone << " steps kept";
            kept_titles += ws.title.size();
            EXPECT_EQ(state_on_screen(), states[states.size() - 2 - undone])
                << "seed " << seed << ", undo " << undone + 1;
        }
        while (history_undo()) {
            kept_titles += ws.title.size();
            undone++;
        }
        EXPECT_LT(undone, 40) << "seed " << seed << ": the bound was never reached";
        EXPECT_GE(bytes, kept_titles) << "seed " << seed << ": the count misses the titles it keeps";
        for (int redone = 0; redone < undone; redone++)
            ASSERT_TRUE(history_redo());
        EXPECT_EQ(state_on_screen(), states.back()) << "seed " << seed;
    }
    history_reset();
    EXPECT_EQ(history_bytes(), 0u);
}

// A title too long for ten steps within the bound: the last ten steps still stay, and no more.
TEST(History, KeepsTheLastTenStepsOfAHugeTitle)
{
    reset_workspace();
    history_reset();
    const size_t title_length = kHistoryBytes / 8;
    for (int step = 0; step < kHistoryKeptSteps + 5; step++) {
        history_note_change();
        ws.title.assign(title_length, static_cast<char>('a' + step));
    }
    EXPECT_GE(history_bytes(), kHistoryKeptSteps * title_length);
    EXPECT_LT(history_bytes(), (kHistoryKeptSteps + 1) * title_length);
    int undone = 0;
    while (history_undo())
        undone++;
    EXPECT_EQ(undone, kHistoryKeptSteps);
    EXPECT_EQ(ws.title, std::string(title_length, static_cast<char>('a' + 4)));
    history_reset();
}

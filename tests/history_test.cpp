// tests/history_test.cpp — undo and redo over random edits, the modified flag, the forgotten no-op step.
#include "core/history.h"
#include "core/workspace.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

// What a brewer can change, as one comparable text.
static std::string recipe_text()
{
    std::string text = ws.title + "|" + ws.carbonation + "|" + ws.style.name + "|" +
                       std::to_string(ws.forced_volume) + "|" + std::to_string(ws.volume_forced);
    for (int i = 1; i <= ws.line_count; i++)
        text += "|" + ws.lines[i].designation + " " + ws.lines[i].quantity + " " + ws.lines[i].step;
    return text;
}

// One random change of any kind, noted first as the commands do.
static void random_change(std::mt19937& random)
{
    history_note_change();
    const std::string n = std::to_string(random() % 1000);
    switch (random() % 6) {
    case 0:
        if (ws.line_count < kLineCapacity) {
            RecipeLine line;
            line.category = "MALT";
            line.designation = "Malt " + n;
            line.quantity = n + " KG";
            line.step = "EMPATAGE";
            add_recipe_line(line);
        }
        break;
    case 1:
        if (ws.line_count > 0) {
            ws.lines[1 + random() % ws.line_count] = ws.lines[ws.line_count];
            ws.line_count--;
        }
        break;
    case 2:
        if (ws.line_count > 0)
            ws.lines[1 + random() % ws.line_count].quantity = n + " G";
        break;
    case 3:
        ws.title = "Titre " + n;
        break;
    case 4:
        ws.style.name = "Style " + n;
        ws.carbonation = n + " VOL";
        break;
    default:
        ws.forced_volume = static_cast<double>(random() % 30);
        ws.volume_forced = ws.forced_volume > 0;
    }
}

TEST(History, UndoWalksBackThroughEveryStateAndRedoForward)
{
    for (unsigned seed = 1; seed <= 20; seed++) {
        reset_workspace();
        history_reset();
        std::mt19937 random(seed);
        std::vector<std::string> states{recipe_text()};
        for (int step = 0; step < 120; step++) {
            random_change(random);
            history_forget_unchanged();
            if (recipe_text() != states.back())
                states.push_back(recipe_text());
        }
        ASSERT_TRUE(recipe_is_modified());
        for (size_t k = states.size() - 1; k > 0; k--) {
            ASSERT_TRUE(history_undo()) << "seed " << seed << ", step " << k;
            ASSERT_EQ(recipe_text(), states[k - 1]) << "seed " << seed;
        }
        EXPECT_FALSE(history_undo());
        EXPECT_FALSE(recipe_is_modified()) << "back where it started";
        for (size_t k = 1; k < states.size(); k++) {
            ASSERT_TRUE(history_redo());
            ASSERT_EQ(recipe_text(), states[k]) << "seed " << seed;
        }
        EXPECT_FALSE(history_redo());
    }
}

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

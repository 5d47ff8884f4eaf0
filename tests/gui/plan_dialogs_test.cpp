// tests/gui/plan_dialogs_test.cpp — the recipe's own efficiency, boil time and notes, through the function
// menu and the windows' own buttons, each change one undo step.
#include "gui_support.h"

#include "calc/evaluate.h"
#include "core/history.h"
#include "core/workspace.h"
#include "ui/plan_dialogs.h"

#include <gdk/gdkkeysyms.h>

using PlanDialogs = GuiTest;

static void collect_entries(GtkWidget* widget, gpointer found)
{
    if (GTK_IS_ENTRY(widget))
        static_cast<std::vector<GtkWidget*>*>(found)->push_back(widget);
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_foreach(GTK_CONTAINER(widget), collect_entries, found);
}

// The window's entries, top to bottom.
static std::vector<GtkWidget*> entries_of(GtkWidget* window)
{
    std::vector<GtkWidget*> entries;
    gtk_container_foreach(GTK_CONTAINER(window), collect_entries, &entries);
    std::reverse(entries.begin(), entries.end()); // a table lists its children last attached first
    return entries;
}

static void click(GtkWidget* window, const std::string& label)
{
    GtkWidget* button = dialog_button(window, label);
    ASSERT_NE(button, nullptr) << label;
    gtk_button_clicked(GTK_BUTTON(button));
    drain_events();
}

TEST_F(PlanDialogs, EfficiencyAndBoilTimeAreTheRecipesOwnAndOneUndoStep)
{
    RecipeLine water, malt;
    water.category = "EAU";
    water.quantity = "25 L";
    water.step = "EMPATAGE";
    malt.category = "MALT";
    malt.quantity = "5 KG";
    malt.value = "8";
    malt.yield = "80";
    malt.step = "EMPATAGE";
    add_recipe_line(water);
    add_recipe_line(malt);
    evaluate_recipe();
    const double before = ws.estimates.initial_density;
    ASSERT_GT(before, 1000);
    run_function("Rendement et ébullition de la recette");
    GtkWidget* dialog = brewhouse_dialog();
    ASSERT_NE(dialog, nullptr);
    std::vector<GtkWidget*> entries = entries_of(dialog);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_STREQ(gtk_entry_get_text(GTK_ENTRY(entries[0])), " "); // the configuration's: nothing set
    type_into(entries[0], "120");
    click(dialog, "Valider");
    EXPECT_EQ(brewhouse_dialog(), dialog) << "a refused figure keeps the window open";
    EXPECT_EQ(ws.plan.efficiency, -1);
    type_into(entries[0], "95,5");
    type_into(entries[1], "90 min");
    click(dialog, "Valider");
    EXPECT_EQ(brewhouse_dialog(), nullptr);
    EXPECT_DOUBLE_EQ(ws.plan.efficiency, 95.5);
    EXPECT_DOUBLE_EQ(ws.plan.boil_minutes, 90);
    EXPECT_DOUBLE_EQ(settings_on_screen().efficiency, 0.955);
    EXPECT_GT(ws.estimates.initial_density, before); // the window's refresh evaluated the recipe
    ASSERT_TRUE(history_undo());
    EXPECT_EQ(ws.plan.efficiency, -1);
    EXPECT_EQ(ws.plan.boil_minutes, -1);
}

TEST_F(PlanDialogs, NotesAreEditedInTheirWindowAndUndone)
{
    run_function("Notes de la recette");
    GtkWidget* window = notes_window();
    ASSERT_NE(window, nullptr);
    // The window holds one text view; its text is what Valider keeps.
    GtkWidget* view = nullptr;
    std::vector<GtkWidget*> stack{window};
    while (!stack.empty() && !view) {
        GtkWidget* w = stack.back();
        stack.pop_back();
        if (GTK_IS_TEXT_VIEW(w)) {
            view = w;
        } else if (GTK_IS_CONTAINER(w)) {
            GList* children = gtk_container_get_children(GTK_CONTAINER(w));
            for (GList* c = children; c; c = c->next)
                stack.push_back(GTK_WIDGET(c->data));
            g_list_free(children);
        }
    }
    ASSERT_NE(view, nullptr);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)),
                             "Cru : 4 jours\nGarde, 3 semaines", -1);
    click(window, "Valider");
    EXPECT_EQ(notes_window(), nullptr);
    EXPECT_EQ(ws.plan.notes, "Cru : 4 jours\nGarde, 3 semaines");
    EXPECT_TRUE(recipe_is_modified());
    ASSERT_TRUE(history_undo());
    EXPECT_EQ(ws.plan.notes, "");
    // Annuler changes nothing.
    run_function("Notes de la recette");
    ASSERT_NE(notes_window(), nullptr);
    click(notes_window(), "Annuler");
    EXPECT_EQ(ws.plan.notes, "");
}

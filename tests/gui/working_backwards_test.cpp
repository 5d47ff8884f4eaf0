// tests/gui/working_backwards_test.cpp — "Adapter à un autre volume…" and "Viser des valeurs…" from the
// function menu, through their dialogs' buttons.
#include "gui_support.h"

#include "calc/format.h"
#include "core/history.h"
#include "core/workspace.h"
#include <gdk/gdkkeysyms.h>
#include "ui/commands.h"
#include "ui/dialog_kit.h"
#include "ui/widgets.h"

#include <algorithm>

using WorkingBackwards = GuiTest;

static std::string entry_text(GtkWidget* entry)
{
    return gtk_entry_get_text(GTK_ENTRY(entry));
}

// The quantity column of the recipe list.
static std::vector<std::string> shown_quantities()
{
    std::vector<std::string> quantities;
    for (const auto& row : list_rows())
        quantities.push_back(row[1]);
    return quantities;
}

// A pale ale with a crystal malt: water, Pilsen, Cara 120, Saaz, yeast.
static void build_amber_recipe()
{
    build_small_recipe();
    add_from_menu(CMD_WATER_MENU, "Eaux", "12 L Eau de rinçage");
    add_from_menu(CMD_MALT_MENU, "Malts spéciaux", "250 G Cara 120");
}

static void validate(GtkWidget* dialog)
{
    ASSERT_NE(dialog, nullptr);
    gtk_button_clicked(GTK_BUTTON(dialog_button(dialog, "Valider")));
    drain_events();
}

TEST_F(WorkingBackwards, BrewerScalesToAVolumeThenAimsAtThreeFigures)
{
    build_amber_recipe();
    const Estimates before = ws.estimates;
    const std::vector<std::string> before_quantities = shown_quantities();
    const std::vector<std::string> labels = menu_labels(ui.function_menu);
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Viser des valeurs…"), labels.end());

    // To 30 litres: the dialog proposes today's volume, every quantity follows, the figures stay.
    run_function("Adapter à un autre volume…");
    ASSERT_NE(ui.value_dialog, nullptr);
    EXPECT_EQ(entry_text(ui.value_entry), " " + format_decimals(before.final_volume, 2) + " L");
    type_into(ui.value_entry, " 30 L");
    validate(ui.value_dialog);
    EXPECT_EQ(ui.value_dialog, nullptr);
    EXPECT_NE(label_markup(2).find("Volume Final : 30 L"), std::string::npos) << label_markup(2);
    EXPECT_NEAR(ws.estimates.final_volume, 30, 0.01);
    EXPECT_NEAR(ws.estimates.initial_density, before.initial_density, 0.2);
    EXPECT_NEAR(ws.estimates.bitterness_ibu, before.bitterness_ibu, 0.5);
    const std::vector<std::string> scaled = shown_quantities();
    EXPECT_NE(scaled, (std::vector<std::string>{"15 L", "5 KG", "40 G", "1 SACHET", "12 L", "250 G"}));

    // The targets dialog proposes today's figures; the brewer changes two and clears the colour.
    run_function("Viser des valeurs…");
    ASSERT_NE(ui.targets_dialog, nullptr);
    EXPECT_EQ(entry_text(ui.target_entries[0]), " " + format_decimals(ws.estimates.initial_density, 2));
    EXPECT_EQ(entry_text(ui.target_entries[1]), " " + format_decimals(ws.estimates.colour_ebc, 2));
    EXPECT_EQ(entry_text(ui.target_entries[2]), " " + format_decimals(ws.estimates.bitterness_ibu, 2));
    type_into(ui.target_entries[0], "1060");
    type_into(ui.target_entries[1], "");
    type_into(ui.target_entries[2], "35,5");
    {
        DialogWatcher watcher;
        validate(ui.targets_dialog);
        EXPECT_TRUE(watcher.seen.empty()) << watcher.seen[0].text;
    }
    EXPECT_EQ(ui.targets_dialog, nullptr);
    EXPECT_NEAR(ws.estimates.initial_density, 1060, 0.5);
    EXPECT_NEAR(ws.estimates.bitterness_ibu, 35.5, 0.5);
    EXPECT_NE(shown_quantities(), scaled);
    EXPECT_TRUE(recipe_is_modified());

    // Each is one step of the undo history.
    const std::vector<std::string> solved = shown_quantities();
    press_key(GDK_z, GDK_CONTROL_MASK);
    EXPECT_EQ(shown_quantities(), scaled);
    press_key(GDK_z, GDK_CONTROL_MASK);
    EXPECT_EQ(shown_quantities(), before_quantities);
    press_key(GDK_y, GDK_CONTROL_MASK);
    press_key(GDK_y, GDK_CONTROL_MASK);
    EXPECT_EQ(shown_quantities(), solved);

    // Then a colour the grist cannot give: a warning names the nearest one, and nothing changes.
    const std::vector<std::string> aimed = shown_quantities();
    run_function("Viser des valeurs…");
    type_into(ui.target_entries[1], "900");
    {
        DialogWatcher watcher;
        validate(ui.targets_dialog);
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_WARNING);
        EXPECT_EQ(watcher.seen[0].text.find("Couleur 900 EBC hors d'atteinte"), 0u) << watcher.seen[0].text;
    }
    EXPECT_EQ(shown_quantities(), aimed);
    press_key(GDK_z, GDK_CONTROL_MASK); // a refused target left no step behind
    EXPECT_EQ(shown_quantities(), scaled);
    press_key(GDK_y, GDK_CONTROL_MASK);

    // "Annuler" changes nothing either.
    run_function("Viser des valeurs…");
    type_into(ui.target_entries[0], "1090");
    gtk_button_clicked(GTK_BUTTON(dialog_button(ui.targets_dialog, "Annuler")));
    drain_events();
    EXPECT_EQ(ui.targets_dialog, nullptr);
    EXPECT_EQ(shown_quantities(), aimed);
}

TEST_F(WorkingBackwards, AFieldWithoutANumberKeepsTheDialogOpen)
{
    build_amber_recipe();
    const std::vector<std::string> before = shown_quantities();
    run_function("Viser des valeurs…");
    type_into(ui.target_entries[2], "beaucoup");
    validate(ui.targets_dialog);
    ASSERT_NE(ui.targets_dialog, nullptr);
    EXPECT_TRUE(entry_is_refused(ui.target_entries[2]));
    EXPECT_FALSE(entry_is_refused(ui.target_entries[0]));
    EXPECT_NE(dialog_hint(ui.targets_dialog).find("Amertume"), std::string::npos);
    EXPECT_EQ(shown_quantities(), before);
    type_into(ui.target_entries[2], "");
    validate(ui.targets_dialog); // today's density and colour: nothing to move
    EXPECT_EQ(ui.targets_dialog, nullptr);
    EXPECT_EQ(shown_quantities(), before);
}

TEST_F(WorkingBackwards, AnEmptyRecipeCannotBeScaled)
{
    run_function("Adapter à un autre volume…");
    type_into(ui.value_entry, "20");
    DialogWatcher watcher;
    validate(ui.value_dialog);
    ASSERT_EQ(watcher.seen.size(), 1u);
    EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_WARNING);
    EXPECT_NE(watcher.seen[0].text.find("pas encore de volume final"), std::string::npos)
        << watcher.seen[0].text;
    EXPECT_TRUE(list_rows().empty());
}

static bool ticked(int k)
{
    return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(ui.target_checks[k]));
}

// Only the values the brewer changed or ticked are aimed at: changing the density alone lets the colour and
// the bitterness follow, and a refusal speaks of the density alone.
TEST_F(WorkingBackwards, OnlyTheValuesTheBrewerChangedOrTickedAreAimedAt)
{
    build_amber_recipe();
    const Estimates before = ws.estimates;
    run_function("Viser des valeurs…");
    ASSERT_NE(ui.targets_dialog, nullptr);
    EXPECT_FALSE(ticked(0) || ticked(1) || ticked(2));
    type_into(ui.target_entries[0], "1065");
    EXPECT_TRUE(ticked(0));
    EXPECT_FALSE(ticked(1) || ticked(2));
    {
        DialogWatcher watcher;
        validate(ui.targets_dialog);
        EXPECT_TRUE(watcher.seen.empty()) << watcher.seen[0].text;
    }
    EXPECT_NEAR(ws.estimates.initial_density, 1065, 0.5);
    EXPECT_GT(ws.estimates.colour_ebc, before.colour_ebc + 1); // more of every grain: a darker beer
    EXPECT_NE(format_decimals(ws.estimates.bitterness_ibu, 2), format_decimals(before.bitterness_ibu, 2));

    // Ticked without a change, today's colour is held while the density moves.
    const Estimates stronger = ws.estimates;
    run_function("Viser des valeurs…");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(ui.target_checks[1]), TRUE);
    type_into(ui.target_entries[0], "1075");
    validate(ui.targets_dialog);
    EXPECT_NEAR(ws.estimates.initial_density, 1075, 0.5);
    EXPECT_NEAR(ws.estimates.colour_ebc, stronger.colour_ebc, 0.5);

    // A density the water cannot hold: the warning is about the density only.
    const std::vector<std::string> aimed = shown_quantities();
    run_function("Viser des valeurs…");
    type_into(ui.target_entries[0], "1500");
    {
        DialogWatcher watcher;
        validate(ui.targets_dialog);
        ASSERT_EQ(watcher.seen.size(), 1u);
        EXPECT_EQ(watcher.seen[0].text.find("Densité initiale 1500 hors d'atteinte"), 0u)
            << watcher.seen[0].text;
        EXPECT_EQ(watcher.seen[0].text.find("Couleur"), std::string::npos) << watcher.seen[0].text;
    }
    EXPECT_EQ(shown_quantities(), aimed);
}

TEST_F(WorkingBackwards, ValuesNoBeerHasKeepTheDialogOpen)
{
    build_amber_recipe();
    const std::vector<std::string> before = shown_quantities();
    run_function("Viser des valeurs…");
    type_into(ui.target_entries[1], "20000");
    type_into(ui.target_entries[0], "1,055"); // 1.055 with a decimal comma
    validate(ui.targets_dialog);
    ASSERT_NE(ui.targets_dialog, nullptr);
    EXPECT_TRUE(entry_is_refused(ui.target_entries[1]));
    EXPECT_FALSE(entry_is_refused(ui.target_entries[0]));
    EXPECT_NE(dialog_hint(ui.targets_dialog).find("aucune bière n'atteint 20000 EBC"), std::string::npos)
        << dialog_hint(ui.targets_dialog);
    EXPECT_EQ(shown_quantities(), before);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(ui.target_checks[1]), FALSE); // no longer aimed at
    validate(ui.targets_dialog);
    EXPECT_EQ(ui.targets_dialog, nullptr);
    EXPECT_NEAR(ws.estimates.initial_density, 1055, 0.5);
}

TEST_F(WorkingBackwards, AVolumeNoBrewerBrewsChangesNothing)
{
    build_amber_recipe();
    const std::vector<std::string> before = shown_quantities();
    for (const char* litres : {"0,4", "20000 L"}) {
        run_function("Adapter à un autre volume…");
        type_into(ui.value_entry, litres);
        DialogWatcher watcher;
        validate(ui.value_dialog);
        ASSERT_EQ(watcher.seen.size(), 1u) << litres;
        EXPECT_EQ(watcher.seen[0].message_type, GTK_MESSAGE_WARNING);
        EXPECT_NE(watcher.seen[0].text.find("entre 0.5 et 10000 litres"), std::string::npos)
            << watcher.seen[0].text;
        EXPECT_EQ(shown_quantities(), before) << litres;
    }
}

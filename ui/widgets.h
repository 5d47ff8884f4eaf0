// ui/widgets.h — the handles of the main window's widgets, its menus and the two small dialogs.
#pragma once

#include "calc/results_text.h"

#include <gtk/gtk.h>

#include <map>

// Created once at start-up, except the dialog handles, which live from a dialog's opening to its destruction
// and are null while no such dialog exists.
struct UiHandles {
    GtkWidget* main_window = nullptr;
    GtkWidget* outer_paned = nullptr;
    GtkWidget* toolbar_table = nullptr;
    GtkWidget* inner_paned = nullptr;
    int toolbar_column = 0;                    // next free column of toolbar_table
    std::map<int, GtkWidget*> toolbar_buttons; // by the ToolbarCommand each carries

    GtkWidget* recipe_scroller = nullptr;
    GtkWidget* recipe_view = nullptr;
    GtkTreeSelection* recipe_selection = nullptr;
    GtkListStore* recipe_store = nullptr; // owned by the view

    GtkWidget* results_table = nullptr;
    GtkWidget* result_labels[kResultLabels + 1] = {}; // 1 to kResultLabels; [0] unused
    GtkWidget* style_button = nullptr;
    GtkWidget* style_image = nullptr;

    GtkWidget* category_menus[6] = {}; // 1 to 5; [0] unused
    GtkWidget* function_menu = nullptr;
    GtkWidget* style_menu = nullptr;

    GtkWidget* edit_dialog = nullptr;
    GtkWidget* edit_label = nullptr;
    GtkWidget* edit_quantity_entry = nullptr;
    GtkWidget* edit_value_entry = nullptr;
    GtkWidget* edit_yield_entry = nullptr;
    GtkWidget* edit_time_entry = nullptr;
    GtkWidget* edit_step_combo = nullptr;    // the six brewing steps, in brewing order
    GtkWidget* edit_profile_combo = nullptr; // a water line's profile, in place of its value entry

    GtkWidget* value_dialog = nullptr;
    GtkWidget* value_entry = nullptr;
    GtkWidget* value_profile_combo = nullptr; // in place of the entry when a water profile is asked

    GtkWidget* targets_dialog = nullptr;
    GtkWidget* target_entries[3] = {}; // density × 1000, colour EBC, bitterness IBU
    GtkWidget* target_checks[3] = {};  // ticked: the value beside it is aimed at
};

extern UiHandles ui;

// The event mask of the main window and the dialogs: exposure, pointer motion (with hint), button press and
// leave notify.
constexpr int kWindowEventMask = GDK_EXPOSURE_MASK | GDK_POINTER_MOTION_MASK | GDK_POINTER_MOTION_HINT_MASK |
                                 GDK_BUTTON_PRESS_MASK | GDK_LEAVE_NOTIFY_MASK;
static_assert(kWindowEventMask == 0x210E, "the windows' event mask is 0x210E");

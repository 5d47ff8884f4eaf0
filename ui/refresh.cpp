// ui/refresh.cpp — evaluate, then fill the list, then show the results: the order every command follows.
#include "ui/refresh.h"

#include "calc/evaluate.h"
#include "core/history.h"
#include "core/workspace.h"
#include "ui/main_window.h"
#include "ui/recipe_view.h"
#include "ui/results_panel.h"

void refresh_after_command()
{
    history_forget_unchanged();
    evaluate_recipe();
    fill_recipe_list();
    select_recipe_row(ws.selected_line);
    show_results();
    update_window_title();
}

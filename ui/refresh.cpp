// ui/refresh.cpp — evaluate, then show: the order every command follows. The views are called through the
// list they were added to, so the refresh knows no window and no window calls back into the commands.
#include "ui/refresh.h"

#include "calc/evaluate.h"
#include "core/history.h"

#include <vector>

static std::vector<ShowFunction>& views()
{
    static std::vector<ShowFunction> added;
    return added;
}

void add_view(ShowFunction show)
{
    views().push_back(show);
}

void refresh_after_command()
{
    history_forget_unchanged();
    evaluate_recipe();
    for (ShowFunction show : views())
        show();
}

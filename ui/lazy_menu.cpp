// ui/lazy_menu.cpp — menus filled at their first showing or in idle moments, so start-up does not wait for
// them.
#include "ui/lazy_menu.h"

#include <vector>

struct WaitingMenu {
    GtkWidget* menu;
    std::function<void(GtkWidget*)> fill; // empty once the menu is filled
};

static std::vector<WaitingMenu> menus;
static size_t first_waiting = 0; // every menu before it is filled
static void (*when_all_filled)() = nullptr;
static bool idle_filling = false;

static void fill_menu(size_t index)
{
    if (!menus[index].fill)
        return;
    // Moved out first: filling may make more menus, and so move the vector's records.
    std::function<void(GtkWidget*)> fill = std::move(menus[index].fill);
    menus[index].fill = nullptr;
    fill(menus[index].menu);
}

// "show" comes before GTK measures and places the menu, so the items made here are measured with it.
static void on_lazy_menu_show(GtkWidget*, gpointer index)
{
    fill_menu(GPOINTER_TO_SIZE(index));
}

GtkWidget* lazy_menu(std::function<void(GtkWidget* menu)> fill)
{
    GtkWidget* menu = gtk_menu_new();
    const size_t index = menus.size();
    menus.push_back({menu, std::move(fill)});
    g_signal_connect(menu, "show", G_CALLBACK(on_lazy_menu_show), GSIZE_TO_POINTER(index));
    return menu;
}

bool lazy_menus_filled()
{
    while (first_waiting < menus.size() && !menus[first_waiting].fill)
        first_waiting++;
    return first_waiting == menus.size();
}

// One menu per idle call, so that a click or a redraw waits for one menu at most.
static gboolean fill_next_menu(gpointer)
{
    if (!lazy_menus_filled()) {
        fill_menu(first_waiting);
        if (!lazy_menus_filled())
            return TRUE;
    }
    idle_filling = false;
    if (when_all_filled) {
        void (*done)() = when_all_filled;
        when_all_filled = nullptr;
        done();
    }
    return FALSE;
}

void fill_lazy_menus_when_idle(void (*when_done)())
{
    when_all_filled = when_done;
    if (!idle_filling)
        g_idle_add_full(G_PRIORITY_LOW, fill_next_menu, nullptr, nullptr);
    idle_filling = true;
}

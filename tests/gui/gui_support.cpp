// tests/gui/gui_support.cpp — drives the real main window as a user would, and reads back what it shows.
#include "gui_support.h"

#include "core/history.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

#include <algorithm>

void drain_events()
{
    while (gtk_events_pending())
        gtk_main_iteration();
}

// The toolbar's commands, left to right.
static const int kToolbarOrder[] = {CMD_NEW,        CMD_OPEN,       CMD_SAVE,          CMD_HTML_REPORT,
                                    CMD_STYLE_MENU, CMD_WATER_MENU, CMD_MALT_MENU,     CMD_HOP_MENU,
                                    CMD_SUGAR_MENU, CMD_YEAST_MENU, CMD_FUNCTION_MENU, CMD_MODIFY,
                                    CMD_MOVE_UP,    CMD_MOVE_DOWN,  CMD_DELETE};

void click_toolbar(int command)
{
    const int* found = std::find(std::begin(kToolbarOrder), std::end(kToolbarOrder), command);
    const guint column = static_cast<guint>(found - std::begin(kToolbarOrder));
    GtkWidget* button = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(ui.toolbar_table));
    for (GList* child = children; child; child = child->next) {
        guint left = 0;
        gtk_container_child_get(GTK_CONTAINER(ui.toolbar_table), GTK_WIDGET(child->data), "left-attach",
                                &left, nullptr);
        if (left == column)
            button = GTK_WIDGET(child->data);
    }
    g_list_free(children);
    if (button)
        gtk_button_clicked(GTK_BUTTON(button));
    drain_events();
}

static std::string item_label(GtkWidget* item)
{
    const gchar* label = gtk_menu_item_get_label(GTK_MENU_ITEM(item));
    return label ? label : "";
}

std::vector<std::string> menu_labels(GtkWidget* menu)
{
    std::vector<std::string> labels;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* child = children; child; child = child->next)
        labels.push_back(item_label(GTK_WIDGET(child->data)));
    g_list_free(children);
    return labels;
}

GtkWidget* menu_item(GtkWidget* menu, const std::string& label)
{
    GtkWidget* found = nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* child = children; child && !found; child = child->next)
        if (item_label(GTK_WIDGET(child->data)).compare(0, label.size(), label) == 0)
            found = GTK_WIDGET(child->data);
    g_list_free(children);
    return found;
}

bool activate_menu_path(GtkWidget* menu, const std::vector<std::string>& path)
{
    GtkWidget* item = nullptr;
    for (const std::string& label : path) {
        if (!menu)
            return false;
        item = menu_item(menu, label);
        if (!item)
            return false;
        menu = gtk_menu_item_get_submenu(GTK_MENU_ITEM(item));
    }
    if (!item)
        return false;
    gtk_menu_item_activate(GTK_MENU_ITEM(item));
    drain_events();
    return true;
}

static void pick_and_close(int toolbar_command, GtkWidget* menu, const std::vector<std::string>& path)
{
    click_toolbar(toolbar_command);
    activate_menu_path(menu, path);
    gtk_menu_popdown(GTK_MENU(menu));
    drain_events();
}

void add_from_menu(int toolbar_command, const std::string& group, const std::string& item)
{
    pick_and_close(toolbar_command, ui.category_menus[toolbar_command], {group, item});
}

void run_function(const std::string& label)
{
    pick_and_close(CMD_FUNCTION_MENU, ui.function_menu, {label});
}

std::string window_title()
{
    const gchar* title = gtk_window_get_title(GTK_WINDOW(ui.main_window));
    return title ? title : "";
}

std::string label_markup(int k)
{
    return gtk_label_get_label(GTK_LABEL(ui.result_labels[k]));
}

std::string style_button_text()
{
    const gchar* label = gtk_button_get_label(GTK_BUTTON(ui.style_button));
    return label ? label : "";
}

std::vector<std::vector<std::string>> list_rows()
{
    std::vector<std::vector<std::string>> rows;
    GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(ui.recipe_view));
    GtkTreeIter iter;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter)) {
        std::vector<std::string> row;
        for (int column : {0, 2, 3, 4, 5, 6, 7}) {
            gchar* text = nullptr;
            gtk_tree_model_get(model, &iter, column, &text, -1);
            row.push_back(text ? text : "");
            g_free(text);
        }
        rows.push_back(row);
    }
    return rows;
}

static GtkTreePath* row_path(int n)
{
    return gtk_tree_path_new_from_indices(n - 1, -1);
}

void select_row(int n)
{
    GtkTreePath* path = row_path(n);
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(ui.recipe_view), path, nullptr, FALSE);
    gtk_tree_path_free(path);
    drain_events();
}

void activate_row(int n)
{
    select_row(n);
    GtkTreePath* path = row_path(n);
    gtk_tree_view_row_activated(GTK_TREE_VIEW(ui.recipe_view), path,
                                gtk_tree_view_get_column(GTK_TREE_VIEW(ui.recipe_view), 3));
    gtk_tree_path_free(path);
    drain_events();
}

void type_into(GtkWidget* entry, const std::string& text)
{
    gtk_entry_set_text(GTK_ENTRY(entry), text.c_str());
}

static void find_buttons(GtkWidget* widget, gpointer found)
{
    auto* buttons = static_cast<std::vector<GtkWidget*>*>(found);
    if (GTK_IS_BUTTON(widget))
        buttons->push_back(widget);
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_foreach(GTK_CONTAINER(widget), find_buttons, found);
}

GtkWidget* dialog_button(GtkWidget* window, const std::string& label)
{
    std::vector<GtkWidget*> buttons;
    if (window)
        gtk_container_foreach(GTK_CONTAINER(window), find_buttons, &buttons);
    for (GtkWidget* button : buttons) {
        const gchar* text = gtk_button_get_label(GTK_BUTTON(button));
        if (text && label == text)
            return button;
    }
    return nullptr;
}

void press_key(guint key, GdkModifierType mods)
{
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(ui.main_window)));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.keyval = key;
    event->key.state = mods;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_default(), key, &keys, &count) && count > 0) {
        event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        event->key.group = static_cast<guint8>(keys[0].group);
    }
    g_free(keys);
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

static int quits = 0;

static void record_quit()
{
    quits++;
}

int quit_count()
{
    return quits;
}

static int live_watchers = 0;

DialogWatcher::DialogWatcher()
{
    live_watchers++;
    source_ = g_timeout_add(5, tick, this);
}

DialogWatcher::~DialogWatcher()
{
    live_watchers--;
    g_source_remove(source_);
}

static bool is_question(GtkWidget* window)
{
    return g_object_get_data(G_OBJECT(window), "cuvelo-question") != nullptr;
}

// Clicks the first button of `answers` that the question offers; false when it offers none of them.
static bool answer_question(GtkWidget* window, const std::vector<std::string>& answers)
{
    for (const std::string& answer : answers)
        if (GtkWidget* button = dialog_button(window, answer)) {
            gtk_button_clicked(GTK_BUTTON(button));
            return true;
        }
    return false;
}

gboolean answer_unexpected_questions(gpointer)
{
    if (live_watchers > 0)
        return TRUE;
    GList* windows = gtk_window_list_toplevels();
    for (GList* node = windows; node; node = node->next) {
        GtkWidget* window = GTK_WIDGET(node->data);
        if (gtk_widget_get_visible(window) && is_question(window) &&
            !g_object_get_data(G_OBJECT(window), "watcher-state")) {
            g_object_set_data(G_OBJECT(window), "watcher-state", GINT_TO_POINTER(1));
            ADD_FAILURE() << "a question nobody expected: " << gtk_window_get_title(GTK_WINDOW(window));
            answer_question(window, {"Annuler"});
        }
    }
    g_list_free(windows);
    return TRUE;
}

void install_test_hooks()
{
    quit_action = record_quit;
    g_timeout_add(20, answer_unexpected_questions, nullptr);
}

void DialogWatcher::choose_file(const std::string& path)
{
    planned_path = path;
    cancel = path.empty();
}

static void collect_buttons(GtkWidget* widget, gpointer found)
{
    if (GTK_IS_BUTTON(widget)) {
        const gchar* label = gtk_button_get_label(GTK_BUTTON(widget));
        GtkStockItem stock;
        std::string text = label ? label : "";
        if (label && gtk_button_get_use_stock(GTK_BUTTON(widget)) && gtk_stock_lookup(label, &stock))
            text = stock.label;
        text.erase(std::remove(text.begin(), text.end(), '_'), text.end());
        static_cast<std::vector<std::string>*>(found)->push_back(text);
    } else if (GTK_IS_CONTAINER(widget)) {
        gtk_container_foreach(GTK_CONTAINER(widget), collect_buttons, found);
    }
}

static SeenDialog record(GtkWidget* window)
{
    SeenDialog seen;
    const gchar* title = gtk_window_get_title(GTK_WINDOW(window));
    seen.title = title ? title : "";
    seen.transient_for_main = gtk_window_get_transient_for(GTK_WINDOW(window)) == GTK_WINDOW(ui.main_window);
    GtkRequisition size;
    gtk_widget_size_request(window, &size);
    seen.width = size.width;
    seen.height = size.height;
    gtk_container_foreach(GTK_CONTAINER(gtk_dialog_get_action_area(GTK_DIALOG(window))), collect_buttons,
                          &seen.buttons);
    if (GtkWidget* list = GTK_WIDGET(g_object_get_data(G_OBJECT(window), "recipe-list"))) {
        // The recipe chooser of a BeerXML file: its rows, one "number<TAB>name" per line.
        GtkTreeModel* model = gtk_tree_view_get_model(GTK_TREE_VIEW(list));
        GtkTreeIter row;
        for (bool more = gtk_tree_model_get_iter_first(model, &row); more;
             more = gtk_tree_model_iter_next(model, &row)) {
            int number = 0;
            gchar* name = nullptr;
            gtk_tree_model_get(model, &row, 0, &number, 1, &name, -1);
            seen.text += std::to_string(number) + "\t" + (name ? name : "") + "\n";
            g_free(name);
        }
    } else if (GTK_IS_MESSAGE_DIALOG(window)) {
        gchar* text = nullptr;
        g_object_get(window, "text", &text, "message-type", &seen.message_type, nullptr);
        seen.text = text ? text : "";
        g_free(text);
    } else {
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(window);
        seen.file_chooser = true;
        seen.action = gtk_file_chooser_get_action(chooser);
        GSList* filters = gtk_file_chooser_list_filters(chooser);
        for (GSList* filter = filters; filter; filter = filter->next)
            seen.filters.push_back(gtk_file_filter_get_name(GTK_FILE_FILTER(filter->data)));
        g_slist_free(filters);
    }
    return seen;
}

static std::string chooser_filename(GtkWidget* window)
{
    gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(window));
    std::string text = name ? name : "";
    g_free(name);
    return text;
}

// Puts the planned path into a chooser: Save proposes a folder and a name, Open selects an existing file.
static void plan_path(GtkWidget* window, const std::string& path)
{
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(window);
    if (gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE) {
        gchar* folder = g_path_get_dirname(path.c_str());
        gchar* name = g_path_get_basename(path.c_str());
        gtk_file_chooser_set_current_folder(chooser, folder);
        gtk_file_chooser_set_current_name(chooser, name);
        g_free(folder);
        g_free(name);
    } else {
        gtk_file_chooser_set_filename(chooser, path.c_str());
    }
}

static gboolean accept_chooser(gpointer window)
{
    if (gtk_widget_get_visible(GTK_WIDGET(window)))
        gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_ACCEPT);
    g_object_unref(window);
    return FALSE;
}

// The path a chooser is to be given, kept on the chooser itself; "" cancels it.
static std::string planned_for(GtkWidget* window)
{
    const char* path = static_cast<const char*>(g_object_get_data(G_OBJECT(window), "watcher-path"));
    return path ? path : "";
}

// States of one dialog, kept on the dialog itself.
enum WatchState { NEW_DIALOG, WAITING_FOR_PROPOSAL, WAITING_FOR_PATH, ANSWERED, ACCEPTED };

gboolean DialogWatcher::tick(gpointer data)
{
    auto* self = static_cast<DialogWatcher*>(data);
    // A dialog that cannot be answered as planned is cancelled after about ten seconds, so a fault fails the
    // test instead of hanging it.
    const bool give_up = ++self->ticks_ > 2000;
    // Answering a dialog may destroy other windows, so each is held until the walk is over.
    GList* windows = gtk_window_list_toplevels();
    for (GList* node = windows; node; node = node->next)
        g_object_ref(node->data);
    for (GList* node = windows; node; node = node->next) {
        GtkWidget* window = GTK_WIDGET(node->data);
        if (!gtk_widget_get_visible(window) || !GTK_IS_DIALOG(window))
            continue;
        int state = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(window), "watcher-state"));
        if (state == NEW_DIALOG) {
            if (is_question(window)) {
                SeenDialog question = record(window);
                gchar* detail = nullptr;
                g_object_get(window, "secondary-text", &detail, nullptr);
                question.text += "\n" + std::string(detail ? detail : "");
                g_free(detail);
                self->questions.push_back(question);
                if (!answer_question(window, self->answers))
                    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_DELETE_EVENT);
                state = ANSWERED;
            } else if (GtkWidget* list = GTK_WIDGET(g_object_get_data(G_OBJECT(window), "recipe-list"))) {
                self->seen.push_back(record(window));
                if (self->recipe_choice >= 0) {
                    GtkTreePath* path = gtk_tree_path_new_from_indices(self->recipe_choice, -1);
                    gtk_tree_view_set_cursor(GTK_TREE_VIEW(list), path, nullptr, FALSE);
                    gtk_tree_path_free(path);
                }
                gtk_dialog_response(GTK_DIALOG(window),
                                    self->recipe_choice >= 0 ? GTK_RESPONSE_ACCEPT : GTK_RESPONSE_CANCEL);
                state = ANSWERED;
            } else if (GTK_IS_MESSAGE_DIALOG(window)) {
                self->seen.push_back(record(window));
                gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CLOSE);
                state = ANSWERED;
            } else if (GTK_IS_FILE_CHOOSER_DIALOG(window)) {
                self->seen.push_back(record(window));
                state = WAITING_FOR_PROPOSAL;
            }
        } else if (state == ACCEPTED &&
                   GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(window), "watcher-questions")) <
                       self->questions.size()) {
            // Still open after a question that its answer raised: the brewer is back in the chooser.
            self->seen.push_back(record(window));
            const size_t back = self->returns_++;
            const std::string path = back < self->paths_when_back.size() ? self->paths_when_back[back] : "";
            g_object_set_data_full(G_OBJECT(window), "watcher-path", g_strdup(path.c_str()), g_free);
            state = WAITING_FOR_PROPOSAL;
        }
        if (state == WAITING_FOR_PROPOSAL) {
            // The chooser proposes the recipe's file once it has read that file's folder.
            const std::string proposed = chooser_filename(window);
            // The folder it shows is known once the chooser has started reading it.
            gchar* shown = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(window));
            const bool folder_known = shown != nullptr;
            g_free(shown);
            if (give_up || ((!self->expect_proposal || !proposed.empty()) && folder_known)) {
                self->gave_up = self->gave_up || (self->expect_proposal && proposed.empty());
                self->seen.back().proposed = proposed;
                gchar* folder = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(window));
                self->seen.back().folder = folder ? folder : "";
                g_free(folder);
                if (!g_object_get_data(G_OBJECT(window), "watcher-path"))
                    g_object_set_data_full(G_OBJECT(window), "watcher-path",
                                           g_strdup(self->cancel ? "" : self->planned_path.c_str()), g_free);
                if (planned_for(window).empty()) {
                    gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
                    state = ANSWERED;
                } else {
                    plan_path(window, planned_for(window));
                    state = WAITING_FOR_PATH;
                }
            }
        } else if (state == WAITING_FOR_PATH && chooser_filename(window) == planned_for(window)) {
            g_object_set_data(G_OBJECT(window), "watcher-questions",
                              GSIZE_TO_POINTER(self->questions.size()));
            // From a source of its own, as a click would: the answer may raise a question, which this
            // watcher, not running while its own tick runs, must then answer.
            g_idle_add(accept_chooser, g_object_ref(window));
            state = ACCEPTED; // Save may check the name before it really answers
        } else if (state == WAITING_FOR_PATH && !give_up && self->ticks_ % 100 == 0) {
            // The chooser loads folders in the background: a folder it was still loading when the path was
            // planned may take over afterwards, so the path is planned again until it holds.
            plan_path(window, planned_for(window));
        } else if (state == WAITING_FOR_PATH && give_up) {
            self->gave_up = true;
            gtk_dialog_response(GTK_DIALOG(window), GTK_RESPONSE_CANCEL);
            state = ANSWERED;
        }
        g_object_set_data(G_OBJECT(window), "watcher-state", GINT_TO_POINTER(state));
    }
    for (GList* node = windows; node; node = node->next)
        g_object_unref(node->data);
    g_list_free(windows);
    return TRUE;
}

void reset_to_new_recipe()
{
    if (ui.edit_dialog)
        gtk_widget_destroy(ui.edit_dialog);
    if (ui.value_dialog)
        gtk_widget_destroy(ui.value_dialog);
    if (ui.targets_dialog)
        gtk_widget_destroy(ui.targets_dialog);
    ws.forced_volume = 0;
    history_reset(); // a test's own reset: no question about what the test left
    click_toolbar(CMD_NEW);
}

std::vector<std::string> shown_designations()
{
    std::vector<std::string> names;
    for (const auto& row : list_rows())
        names.push_back(row[2]);
    return names;
}

void build_small_recipe()
{
    add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage");
    add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen");
    add_from_menu(CMD_HOP_MENU, "Houblons", "40 G Saaz");
    add_from_menu(CMD_YEAST_MENU, "Levures", "1 SACHET Levure ale");
}

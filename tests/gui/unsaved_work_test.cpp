// tests/gui/unsaved_work_test.cpp — nothing is lost without a word: the unsaved-changes question, the
// replace question, undo and redo of every kind of change, and the list that matches the estimates.
#include "gui_support.h"

#include "core/history.h"
#include "core/workspace.h"
#include "ui/commands.h"
#include "ui/widgets.h"

#include <fstream>
#include <gdk/gdkkeysyms.h>
#include <sstream>

using UnsavedWork = GuiTest;

static const GdkModifierType kCtrl = GDK_CONTROL_MASK;
static const GdkModifierType kCtrlShift = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK);

static std::string file_text(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Closes the main window the way the window manager's close button does.
static void close_main_window()
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(ui.main_window)));
    event->any.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
    drain_events();
}

TEST_F(UnsavedWork, QuestionBeforeNewOpenAndCloseTakesEachAnswer)
{
    const std::string path = fixture_folder() + "/recettes/gardee.cvl";
    build_small_recipe();
    EXPECT_EQ(window_title(), "*CUVELO V0.9 : Créateur de recette de bière");
    const auto rows = list_rows();

    // "Annuler" changes nothing, whichever command asked.
    for (auto command : {+[] { press_key(GDK_n, kCtrl); }, +[] { press_key(GDK_o, kCtrl); },
                         +[] { press_key(GDK_q, kCtrl); }, +[] { close_main_window(); }}) {
        DialogWatcher watcher;
        watcher.answers = {"Annuler"};
        const int quits = quit_count();
        command();
        ASSERT_EQ(watcher.questions.size(), 1u);
        EXPECT_TRUE(watcher.seen.empty()) << "no chooser after Annuler";
        EXPECT_EQ(watcher.questions[0].title, "CUVELO");
        EXPECT_EQ(watcher.questions[0].text, "Enregistrer les modifications de la recette « sans titre » ?\n"
                                             "Sans enregistrement, les modifications seront perdues.");
        EXPECT_TRUE(watcher.questions[0].transient_for_main);
        EXPECT_EQ(quit_count(), quits);
        EXPECT_EQ(list_rows(), rows);
    }

    // "Enregistrer" before Open: the chooser saves first, then the chooser of Open comes.
    {
        DialogWatcher watcher;
        watcher.answers = {"Enregistrer"};
        watcher.choose_file(path);
        press_key(GDK_o, kCtrl);
        ASSERT_EQ(watcher.seen.size(), 2u);
        EXPECT_EQ(watcher.seen[0].action, GTK_FILE_CHOOSER_ACTION_SAVE);
        EXPECT_EQ(watcher.seen[1].action, GTK_FILE_CHOOSER_ACTION_OPEN);
    }
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Créateur de recette de bière : gardee.cvl");

    // Saved and unchanged: no question. Then a change, and "Enregistrer" on close writes it in place.
    {
        DialogWatcher watcher;
        watcher.choose_file("");
        press_key(GDK_o, kCtrl);
        EXPECT_TRUE(watcher.questions.empty());
        EXPECT_EQ(watcher.seen.size(), 1u);
    }
    select_row(4);
    press_key(GDK_Delete);
    EXPECT_EQ(window_title(), "CUVELO V0.9 : Créateur de recette de bière : *gardee.cvl");
    {
        DialogWatcher watcher;
        watcher.answers = {"Enregistrer"};
        const int quits = quit_count();
        close_main_window();
        EXPECT_EQ(watcher.questions.size(), 1u);
        EXPECT_TRUE(watcher.seen.empty()) << "saved into its own file, no chooser";
        EXPECT_EQ(quit_count(), quits + 1);
    }
    EXPECT_EQ(file_text(path).find("Levure ale"), std::string::npos);

    // "Ne pas enregistrer" drops the change.
    select_row(1);
    press_key(GDK_Delete);
    {
        DialogWatcher watcher;
        press_key(GDK_n, kCtrl);
        EXPECT_EQ(watcher.questions.size(), 1u);
    }
    EXPECT_TRUE(list_rows().empty());
    EXPECT_NE(file_text(path).find("Eau de brassage"), std::string::npos);
}

// A question shows the recipe's title as the window does: a reversing character does not turn it around.
TEST_F(UnsavedWork, TheQuestionShowsTheTitleWithoutHiddenCharacters)
{
    build_small_recipe();
    ws.title = "\u202EBi\u200Bère\u2069";
    DialogWatcher watcher;
    watcher.answers = {"Annuler"};
    press_key(GDK_n, kCtrl);
    ASSERT_EQ(watcher.questions.size(), 1u);
    EXPECT_EQ(watcher.questions[0].text, "Enregistrer les modifications de la recette « Bière » ?\n"
                                         "Sans enregistrement, les modifications seront perdues.");
}

TEST_F(UnsavedWork, SavingOntoAnotherExistingFileAsksFirst)
{
    const std::string other = fixture_folder() + "/recettes/autre.cvl";
    std::ofstream(other) << "TITRE\tAutre\n";
    build_small_recipe();
    {
        DialogWatcher watcher;
        watcher.answers = {"Annuler"};
        watcher.choose_file(other);
        press_key(GDK_s, kCtrl);
        ASSERT_EQ(watcher.questions.size(), 1u);
        EXPECT_NE(watcher.questions[0].text.find("« autre.cvl » existe déjà"), std::string::npos);
    }
    EXPECT_EQ(file_text(other), "TITRE\tAutre\n");
    EXPECT_EQ(ws.file_name, "");
    {
        DialogWatcher watcher; // "Remplacer"
        watcher.choose_file(other);
        press_key(GDK_s, kCtrl);
        EXPECT_EQ(watcher.questions.size(), 1u);
    }
    EXPECT_NE(file_text(other).find("Pilsen"), std::string::npos);
    EXPECT_FALSE(recipe_is_modified());
}

// "Annuler" in the replace question goes back to the chooser, on the same name, and the brewer may pick
// another; the question also comes for a name typed without the extension whose ".cvl" file exists.
TEST_F(UnsavedWork, CancellingTheReplaceQuestionGoesBackToTheChooser)
{
    const std::string folder = fixture_folder() + "/retour";
    g_mkdir_with_parents(folder.c_str(), 0755);
    const std::string other = folder + "/autre.cvl";
    const std::string fresh = folder + "/nouvelle.cvl";
    std::ofstream(other) << "TITRE\tAutre\n";
    build_small_recipe();
    {
        DialogWatcher watcher;
        watcher.answers = {"Annuler"};
        watcher.choose_file(folder + "/autre");
        watcher.paths_when_back = {fresh};
        press_key(GDK_s, kCtrlShift);
        ASSERT_EQ(watcher.questions.size(), 1u);
        EXPECT_NE(watcher.questions[0].text.find("« autre.cvl » existe déjà"), std::string::npos);
        EXPECT_FALSE(watcher.questions[0].transient_for_main) << "over the chooser it answers";
        ASSERT_EQ(watcher.seen.size(), 2u) << "the chooser again after Annuler";
        EXPECT_EQ(watcher.seen[1].action, GTK_FILE_CHOOSER_ACTION_SAVE);
        EXPECT_EQ(watcher.seen[1].proposed, folder + "/autre") << "on the name the brewer had typed";
        EXPECT_FALSE(watcher.gave_up);
    }
    EXPECT_EQ(file_text(other), "TITRE\tAutre\n");
    EXPECT_NE(file_text(fresh).find("Pilsen"), std::string::npos);
    EXPECT_EQ(ws.file_name, fresh);
    EXPECT_FALSE(recipe_is_modified());

    // Back in the chooser, Annuler there drops the save.
    select_row(1);
    press_key(GDK_Delete);
    {
        DialogWatcher watcher;
        watcher.answers = {"Annuler"};
        watcher.choose_file(other);
        press_key(GDK_s, kCtrlShift);
        EXPECT_EQ(watcher.questions.size(), 1u);
        EXPECT_EQ(watcher.seen.size(), 2u);
    }
    EXPECT_EQ(file_text(other), "TITRE\tAutre\n");
    EXPECT_EQ(ws.file_name, fresh);
    EXPECT_TRUE(recipe_is_modified());
}

// The name typed in Save as, and the one file it writes: the extension is never doubled, whatever its case or
// the spaces typed after it, and comes in small letters, as the choosers' filter lists recipe files.
struct SaveAsName {
    const char* typed;
    const char* written;
};
static const SaveAsName kSaveAsNames[] = {
    {"biere.cvl", "biere.cvl"},    {"biere.CVL", "biere.cvl"},         {"biere.Cvl  ", "biere.cvl"},
    {"biere", "biere.cvl"},        {"biere.cv", "biere.cv.cvl"},       {"biere.cvl.txt", "biere.cvl.txt.cvl"},
    {"ma biere ", "ma biere.cvl"}, {"biere.cvl.CVL", "biere.cvl.cvl"},
};

TEST_F(UnsavedWork, SaveAsNeverDoublesTheExtension)
{
    build_small_recipe();
    int n = 0;
    for (const SaveAsName& name : kSaveAsNames) {
        const std::string folder = fixture_folder() + "/nom-" + std::to_string(n++);
        g_mkdir_with_parents(folder.c_str(), 0755);
        {
            DialogWatcher watcher;
            watcher.choose_file(folder + "/" + name.typed);
            press_key(GDK_s, kCtrlShift);
            EXPECT_EQ(watcher.seen.size(), 1u) << name.typed;
            EXPECT_FALSE(watcher.gave_up) << name.typed;
        }
        std::vector<std::string> files;
        GDir* dir = g_dir_open(folder.c_str(), 0, nullptr);
        for (const gchar* file = dir ? g_dir_read_name(dir) : nullptr; file; file = g_dir_read_name(dir))
            files.push_back(file);
        if (dir)
            g_dir_close(dir);
        EXPECT_EQ(files, std::vector<std::string>{name.written}) << name.typed;
        EXPECT_EQ(ws.file_name, folder + "/" + name.written) << name.typed;
    }
}

// What the window shows of the recipe (the list, the results, the title) and its carbonation.
static std::vector<std::string> shown()
{
    std::vector<std::string> view{window_title(), style_button_text(), ws.carbonation};
    for (const auto& row : list_rows())
        for (const auto& cell : row)
            view.push_back(cell);
    for (int k = 1; k <= 18; k++)
        view.push_back(label_markup(k));
    return view;
}

static void validate(GtkWidget* dialog)
{
    gtk_button_clicked(GTK_BUTTON(dialog_button(dialog, "Valider")));
    drain_events();
}

static void enter_value(const std::string& function, const std::string& typed)
{
    run_function(function);
    ASSERT_NE(ui.value_dialog, nullptr);
    type_into(ui.value_entry, typed);
    validate(ui.value_dialog);
}

TEST_F(UnsavedWork, UndoAndRedoEveryKindOfChange)
{
    std::vector<std::vector<std::string>> views{shown()};
    auto step = [&views](auto change) {
        change();
        views.push_back(shown());
        EXPECT_NE(views.back(), views[views.size() - 2]) << "change " << views.size() - 1;
    };
    step([] { add_from_menu(CMD_WATER_MENU, "Eaux", "15 L Eau de brassage"); });
    step([] { add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen"); });
    step([] { add_from_menu(CMD_HOP_MENU, "Houblons", "40 G Saaz"); });
    step([] { add_from_menu(CMD_MALT_MENU, "Malts de base", "5 KG Pilsen"); });
    step([] {
        activate_row(3);
        type_into(ui.edit_quantity_entry, "30 G");
        validate(ui.edit_dialog);
    });
    step([] {
        select_row(3);
        press_key(GDK_Up, GDK_MOD1_MASK);
    });
    step([] { run_function("Fusionner et trier"); });
    step([] {
        select_row(3);
        click_toolbar(CMD_DELETE);
    });
    step([] {
        click_toolbar(CMD_STYLE_MENU);
        activate_menu_path(ui.style_menu, {"Ales blondes", "Style 25"});
        gtk_menu_popdown(GTK_MENU(ui.style_menu));
    });
    step([] { enter_value("Titre de la recette", "Blonde"); });
    step([] {
        DialogWatcher watcher;
        enter_value("Carbonatation", "2,8");
    });
    step([] { enter_value("Forcer le volume final", "20"); });

    for (size_t k = views.size() - 1; k > 0; k--) {
        press_key(GDK_z, kCtrl);
        EXPECT_EQ(shown(), views[k - 1]) << "undo back to state " << k - 1;
    }
    EXPECT_FALSE(recipe_is_modified());
    for (size_t k = 1; k < views.size(); k++) {
        press_key(k % 2 ? GDK_y : GDK_Z, k % 2 ? kCtrl : kCtrlShift);
        EXPECT_EQ(shown(), views[k]) << "redo to state " << k;
    }
}

TEST_F(UnsavedWork, ListMatchesTheEstimatesAfterOpenAndDeleteWithAForcedVolume)
{
    const std::string path = fixture_folder() + "/recettes/forcee.cvl";
    std::ofstream(path) << "FORCER_VOLUME\t22\n"
                        << "EAU\teau\tEau de brassage\t15 L\t0\t0\t0\tEMPATAGE\t0\n"
                        << "MALT\tmalt1\tPilsen\t5 KG\t3\t80\t0\tEMPATAGE\t0\n"
                        << "MALT\tmalt1\tMunich\t2 KG\t15\t80\t0\tEMPATAGE\t0\n";
    {
        DialogWatcher watcher;
        watcher.choose_file(path);
        press_key(GDK_o, kCtrl);
    }
    ASSERT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(list_rows()[0][1], "21 L") << "3 L per kg of the 7 kg, as the estimates use";
    EXPECT_FALSE(history_can_undo()) << "the history starts with the opened recipe";
    select_row(3);
    press_key(GDK_Delete);
    EXPECT_EQ(list_rows()[0][1], "15 L");
    EXPECT_EQ(list_rows()[0][1], ws.lines[1].quantity);
}

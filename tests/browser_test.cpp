// tests/browser_test.cpp — word splitting, page addresses, and starting a (fake) browser without waiting.
#include "report/browser.h"

#include "calc/evaluate.h"
#include "core/workspace.h"
#include "report/html_report.h"
#include "test_support.h"

#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fcntl.h>
#include <sstream>

struct SplitCase {
    const char* text;
    std::vector<std::string> words;
};
static const SplitCase kSplit[] = {
    {"", {}},
    {"   ", {}},
    {"firefox", {"firefox"}},
    {"  firefox   -new-window  ", {"firefox", "-new-window"}}, // runs of spaces separate
    {"\"/opt/mon navigateur/nav\" -P", {"/opt/mon navigateur/nav", "-P"}},
    {"a\"b c\"d", {"ab cd"}},            // quotes toggle anywhere in a word and are removed
    {"\"\"", {""}},                      // an empty quoted word is a word
    {"\"a b", {"a b"}},                  // an open quote runs to the end
    {"a\\b", {"a\\b"}},                  // a backslash not before a quote is copied
    {"a\\\\b", {"a\\\\b"}},              // so are several
    {"a\\\"b", {"a\"b"}},                // 1 backslash + quote: a literal quote
    {"a\\\\\"b c\"", {"a\\b c"}},        // 2 backslashes + quote: one backslash, the quote toggles
    {"a\\\\\\\"b c", {"a\\\"b", "c"}},   // 3: one backslash and a literal quote
    {"\"a\\\\\\\\\" b", {"a\\\\", "b"}}, // 4 before the closing quote: two backslashes
    {"\"file:////tmp/x y/recette.html\"", {"file:////tmp/x y/recette.html"}},
};

TEST(Browser, SplitArgumentsFollowsTheQuotingRules)
{
    for (const SplitCase& c : kSplit)
        EXPECT_EQ(split_arguments(c.text), c.words) << c.text;
}

TEST(Browser, ExecutableFolderHoldsThisProgram)
{
    std::string folder = executable_folder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder[0], '/');
    EXPECT_NE(folder.back(), '/');
    struct stat self, found;
    ASSERT_EQ(stat("/proc/self/exe", &self), 0);
    ASSERT_EQ(stat((folder + "/cuvelo_tests").c_str(), &found), 0);
    EXPECT_EQ(self.st_ino, found.st_ino);
    EXPECT_EQ(self.st_dev, found.st_dev);
}

struct PageCase {
    const char* folder;
    const char* argument;
};
static const PageCase kPage[] = {
    {"/opt/brew", "\"file:////opt/brew/recette.html\""},
    {"/home/u/mes recettes", "\"file:////home/u/mes recettes/recette.html\""},
    {"/home/u/bière", "\"file:////home/u/bière/recette.html\""},
    {"/b#1/100%/a?b", "\"file:////b%231/100%25/a%3Fb/recette.html\""}, // would cut or bend the URL
    {"/x\"y\\z", "\"file:////x%22y%5Cz/recette.html\""},               // would break the one word
    {"", "\"file:////recette.html\""},
};

TEST(Browser, PageArgumentIsOneFileUrl)
{
    for (const PageCase& c : kPage) {
        std::string argument = page_argument(c.folder, "recette.html");
        EXPECT_EQ(argument, c.argument) << c.folder;
        EXPECT_EQ(split_arguments(argument).size(), 1u) << c.folder;
    }
}

// Drives the default main context, as the GTK main loop does, until every started browser is reaped.
static bool run_until_browsers_end()
{
    bool gave_up = false;
    guint guard = g_timeout_add_seconds(
        60, [](gpointer flag) -> gboolean { return *static_cast<bool*>(flag) = true, G_SOURCE_REMOVE; },
        &gave_up);
    while (running_browser_count() > 0 && !gave_up)
        g_main_context_iteration(nullptr, TRUE);
    if (!gave_up)
        g_source_remove(guard);
    return !gave_up;
}

// A stand-in browser: records its arguments, one per line in brackets, and a copy of the page that the
// last argument names (file:/// dropped) if that page exists while it runs.
class FakeBrowser : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        reset_workspace();
        ws.carbonation = "2.5 VOL";
        script_ = dir_.path() + "/navigateur";
        write_file(script_, "#!/bin/sh\n"
                            "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" +
                                dir_.path() +
                                "/args'\n"
                                "for a in \"$@\"; do last=\"$a\"; done\n"
                                "page=\"${last#file:///}\"\n"
                                "if [ -f \"$page\" ]; then cat \"$page\" > '" +
                                dir_.path() + "/page'; else : > '" + dir_.path() + "/no-page'; fi\n");
        chmod(script_.c_str(), 0755);
        ws.settings.browser = script_;
    }
    void TearDown() override
    {
        remove_html_report();
    }
    std::string args()
    {
        return read_file(dir_.path() + "/args");
    }
    std::string seen_page()
    {
        return read_file(dir_.path() + "/page");
    }

    ScratchDir dir_;
    std::string script_;
};

TEST_F(FakeBrowser, ReportIsOneArgumentEvenWithSpacesInTheFolder)
{
    std::string folder = dir_.path() + "/mes recettes";
    write_file(folder + "/keep", "");
    ASSERT_EQ(chdir(folder.c_str()), 0);
    std::string failed = "stale";
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    EXPECT_EQ(failed, "");
    EXPECT_EQ(unwritten_report_path(), "");
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_EQ(args(), "[file:///" + folder + "/recette.html]\n");
}

TEST_F(FakeBrowser, PageIsThereWhileReadAndAfterTheBrowserReturns)
{
    std::string failed;
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    ASSERT_TRUE(run_until_browsers_end());
    std::string page = dir_.path() + "/recette.html";
    ASSERT_TRUE(file_exists(page)); // an xdg-open style launcher has returned, the real browser reads now
    EXPECT_EQ(seen_page(), read_file(page));
    EXPECT_NE(seen_page().find("<h3>Estimations :</h3>"), std::string::npos);
    EXPECT_FALSE(file_exists(dir_.path() + "/no-page"));
    EXPECT_EQ(html_report_path(), page);
    remove_html_report();
    EXPECT_FALSE(file_exists(page));
}

TEST_F(FakeBrowser, SecondReportReplacesTheFirst)
{
    std::string failed;
    ws.title = "Premier";
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    ASSERT_TRUE(run_until_browsers_end());
    ws.title = "Second";
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_NE(seen_page().find("<h3>Recette : Second</h3>"), std::string::npos);
    EXPECT_EQ(read_file("recette.html"), seen_page());

    // From another working directory the new page lies elsewhere, and the old one goes.
    write_file(dir_.path() + "/ailleurs/keep", "");
    ASSERT_EQ(chdir("ailleurs"), 0);
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_FALSE(file_exists(dir_.path() + "/recette.html"));
    EXPECT_TRUE(file_exists(dir_.path() + "/ailleurs/recette.html"));
}

TEST_F(FakeBrowser, NeverDeletesAFileItDidNotWrite)
{
    write_file("recette.html", "la page de quelqu'un d'autre");
    remove_html_report(); // nothing written yet
    EXPECT_TRUE(file_exists("recette.html"));

    std::string failed;
    ASSERT_TRUE(write_html_report(recipe_report_on_screen(), failed));
    ASSERT_TRUE(run_until_browsers_end());
    write_file("recette.html", "remplacée depuis par un autre programme");
    remove_html_report();
    EXPECT_EQ(read_file("recette.html"), "remplacée depuis par un autre programme");
}

TEST_F(FakeBrowser, UnwritablePageStartsNoBrowser)
{
    write_file("recette.html/keep", ""); // a folder in the page's place cannot be opened, even by root
    std::string failed = "stale";
    EXPECT_FALSE(write_html_report(recipe_report_on_screen(), failed));
    EXPECT_EQ(failed, "");
    EXPECT_EQ(unwritten_report_path(), dir_.path() + "/recette.html");
    EXPECT_EQ(running_browser_count(), 0);
    EXPECT_FALSE(file_exists(dir_.path() + "/args"));
    remove_html_report();
    EXPECT_TRUE(file_exists("recette.html/keep"));
}

TEST_F(FakeBrowser, SettingMayCarryOptionsAndQuotedPaths)
{
    std::string spaced = dir_.path() + "/mon navigateur";
    ASSERT_EQ(rename(script_.c_str(), spaced.c_str()), 0);
    ws.settings.browser = "\"" + spaced + "\"  --new-window --profile \"mon profil\"";
    std::string failed;
    ASSERT_TRUE(launch_browser(ws.settings.browser, "\"file:////x/y.html\"", failed));
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_EQ(args(), "[--new-window]\n[--profile]\n[mon profil]\n[file:////x/y.html]\n");
}

TEST_F(FakeBrowser, BackslashesInTheSettingAreSlashes)
{
    std::string windows_style = script_;
    for (char& c : windows_style)
        if (c == '/')
            c = '\\';
    ws.settings.browser = windows_style + " -a\\b";
    std::string failed;
    ASSERT_TRUE(launch_browser(ws.settings.browser, "x\\y", failed));
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_EQ(args(), "[-a/b]\n[x\\y]\n"); // the argument text keeps its backslashes
}

TEST_F(FakeBrowser, ProgramIsFoundInPath)
{
    std::string old_path = g_getenv("PATH") ? g_getenv("PATH") : "";
    g_setenv("PATH", (dir_.path() + ":" + old_path).c_str(), TRUE);
    ws.settings.browser = "navigateur";
    std::string failed;
    bool started = launch_browser(ws.settings.browser, "page", failed);
    g_setenv("PATH", old_path.c_str(), TRUE);
    ASSERT_TRUE(started);
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_EQ(args(), "[page]\n");
}

struct FailingCase {
    const char* browser;
};
static const FailingCase kFailing[] = {
    {""}, {"   "}, {"\"\""}, {"/nonexistent/navigateur --new-window"}, {"cuvelo-no-such-browser-program"},
};

TEST_F(FakeBrowser, BrowserThatCannotStartIsReportedAndNamed)
{
    for (const FailingCase& c : kFailing) {
        ws.settings.browser = c.browser;
        std::string failed = "stale";
        EXPECT_FALSE(launch_browser(ws.settings.browser, "page", failed)) << c.browser;
        EXPECT_EQ(failed, c.browser);
        failed = "stale";
        EXPECT_FALSE(show_help(ws.settings.browser, failed)) << c.browser;
        EXPECT_EQ(failed, c.browser);
        failed = "stale";
        EXPECT_FALSE(write_html_report(recipe_report_on_screen(), failed)) << c.browser;
        EXPECT_EQ(failed, c.browser);
        EXPECT_EQ(unwritten_report_path(), "");
        EXPECT_EQ(running_browser_count(), 0);
    }
}

TEST_F(FakeBrowser, HelpPageIsBesideTheExecutable)
{
    std::string failed;
    ASSERT_TRUE(show_help(ws.settings.browser, failed));
    ASSERT_TRUE(run_until_browsers_end());
    EXPECT_EQ(args(), "[file:///" + executable_folder() + "/lisez-moi.htm]\n");
    EXPECT_FALSE(file_exists("recette.html")); // help writes nothing
}

TEST_F(FakeBrowser, LaunchReturnsWhileTheBrowserRuns)
{
    // The browser waits for a line on a pipe that only this test writes, after the launch has returned.
    // Should the launch wait for the browser, the browser gives up after a while and records it.
    std::string fifo = dir_.path() + "/go";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    int pipe_end = open(fifo.c_str(), O_RDWR | O_NONBLOCK); // never blocks, keeps the pipe open
    ASSERT_GE(pipe_end, 0);
    write_file(script_, "#!/bin/sh\n"
                        "if timeout 20 head -n 1 '" +
                            fifo + "' > /dev/null; then echo released; else echo 'gave up'; fi > '" +
                            dir_.path() + "/args'\n");
    std::string failed;
    ASSERT_TRUE(launch_browser(ws.settings.browser, "page", failed));
    EXPECT_EQ(running_browser_count(), 1);
    ASSERT_EQ(write(pipe_end, "go\n", 3), 3);
    ASSERT_TRUE(run_until_browsers_end());
    close(pipe_end);
    EXPECT_EQ(args(), "released\n");
}

// A browser's end, and what the brewer is told: only a quick error says the page is probably not shown.
struct EndCase {
    int status; // as waitpid gives it
    double seconds;
    bool told;
};
static const EndCase kEnds[] = {
    {0, 0.1, false},                               // a launcher that handed the page over
    {3 << 8, 0.2, true},                           // xdg-open without a desktop: "no method available"
    {1 << 8, kBrowserQuickEndSeconds - 0.1, true}, // a browser refusing its options
    {1 << 8, kBrowserQuickEndSeconds, false},      // ran long enough to have shown the page
    {1 << 8, 3600, false},                         // closed by the brewer after an hour
    {SIGTERM, 0.1, false},                         // stopped by a signal: the brewer or the session
    {SIGKILL, 0.1, false},
};

TEST(Browser, AQuickErrorIsToldWithTheKeyThatChoosesTheBrowser)
{
    for (const EndCase& c : kEnds) {
        const std::string message =
            browser_end_message("xdg-open", c.status, c.seconds, "bases/configuration.txt");
        EXPECT_EQ(!message.empty(), c.told) << c.status << " after " << c.seconds << " s";
        if (c.told) {
            EXPECT_NE(message.find("« xdg-open »"), std::string::npos) << message;
            EXPECT_NE(message.find("(code " + std::to_string(c.status >> 8) + ")"), std::string::npos)
                << message;
            EXPECT_NE(message.find("clé NAVIGATEUR de bases/configuration.txt"), std::string::npos)
                << message;
        }
    }
}

TEST(Browser, SettingFileIsNamedAsTheBrewerFindsIt)
{
    const DataFolders kept = data_folders();
    DataFolders folders = kept;
    folders.bases = "./bases";
    use_data_folders(folders);
    EXPECT_EQ(browser_setting_file(), "bases/configuration.txt");
    folders.bases = "/home/u/.local/share/cuvelo/bases";
    use_data_folders(folders);
    EXPECT_EQ(browser_setting_file(), "/home/u/.local/share/cuvelo/bases/configuration.txt");
    use_data_folders(kept);
}

static std::vector<std::string> heard;

// A browser command that starts but ends in error at once is told through the notice, once; one that ends
// well is not.
TEST(Browser, CommandThatEndsInErrorAtOnceIsTold)
{
    set_browser_end_notice([](const std::string& message) { heard.push_back(message); });
    reset_workspace();
    std::string failed;
    ws.settings.browser = "sh -c \"exit 3\"";
    ASSERT_TRUE(launch_browser(ws.settings.browser, "page", failed));
    ASSERT_TRUE(run_until_browsers_end());
    ws.settings.browser = "true";
    ASSERT_TRUE(launch_browser(ws.settings.browser, "page", failed));
    ASSERT_TRUE(run_until_browsers_end());
    set_browser_end_notice(nullptr);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NE(heard[0].find("« sh -c \"exit 3\" »"), std::string::npos) << heard[0];
    EXPECT_NE(heard[0].find("(code 3)"), std::string::npos) << heard[0];
    EXPECT_NE(heard[0].find("clé NAVIGATEUR"), std::string::npos) << heard[0];
}

// tests/data_folders_test.cpp — where the programs find their data: working folder, brewer's folder, shared
// folder.
#include "core/data_folders.h"

#include "calc/evaluate.h"
#include "core/workspace.h"
#include "refdata/ingredients.h"
#include "report/html_report.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The scratch folder holds "shared/" (as installed), "user/" (the brewer's $XDG_DATA_HOME/cuvelo) and
// "work/", an unrelated working folder; the folders in use are put back after each test.
class DataFolderTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        saved_ = data_folders();
        for (const char* base : {"configuration.txt", "ingredients.txt", "styles.txt"})
            write_file(shared() + "/bases/" + base, std::string("partagé ") + base + "\n");
        write_file(shared() + "/images/malt.png", "shared malt");
        write_file(shared() + "/images/houblon.png", "shared hop");
        write_file("work/.keep", "");
        ASSERT_EQ(chdir("work"), 0);
    }
    void TearDown() override
    {
        use_data_folders(saved_);
    }
    std::string shared() const
    {
        return dir_.path() + "/shared";
    }
    std::string user() const
    {
        return dir_.path() + "/user";
    }
    DataSearch find()
    {
        DataSearch search = find_data_folders(user(), {dir_.path() + "/nowhere", shared()});
        use_data_folders(search.folders);
        return search;
    }

    ScratchDir dir_;
    DataFolders saved_;
};

TEST_F(DataFolderTest, WorkingFolderWithItsOwnDatabaseIsUsedAsItIs)
{
    write_file("bases/ingredients.txt", "local\n");
    const DataSearch search = find();
    EXPECT_TRUE(search.found);
    EXPECT_EQ(search.folders.bases, "./bases");
    EXPECT_EQ(search.folders.pictures, std::vector<std::string>{"./images"});
    EXPECT_EQ(search.folders.report, "");
    EXPECT_EQ(search.folders.help, shared());
    EXPECT_EQ(search.folders.shared_bases, "") << "the working folder's bases are no copy";
    EXPECT_FALSE(file_exists(user())) << "nothing is copied for a working folder";
}

TEST_F(DataFolderTest, FirstStartCopiesTheSharedBasesAndNeverOverwritesTheBrewersFiles)
{
    DataSearch search = find();
    ASSERT_TRUE(search.found);
    EXPECT_EQ(search.folders.bases, user() + "/bases");
    EXPECT_EQ(search.folders.shared_bases, shared() + "/bases");
    EXPECT_EQ(search.folders.report, user());
    EXPECT_EQ(search.folders.pictures, std::vector<std::string>{shared() + "/images"});
    for (const char* base : {"configuration.txt", "ingredients.txt", "styles.txt"})
        EXPECT_EQ(read_file(user() + "/bases/" + base), read_file(shared() + "/bases/" + base)) << base;

    // The brewer edits the ingredients and removes the styles; a newer shared database comes with an update.
    write_file(user() + "/bases/ingredients.txt", "mes ingrédients\n");
    ASSERT_EQ(std::remove((user() + "/bases/styles.txt").c_str()), 0);
    write_file(shared() + "/bases/ingredients.txt", "nouveaux ingrédients partagés\n");
    write_file(shared() + "/bases/styles.txt", "nouveaux styles\n");
    search = find();
    ASSERT_TRUE(search.found);
    EXPECT_EQ(read_file(user() + "/bases/ingredients.txt"), "mes ingrédients\n");
    EXPECT_EQ(read_file(user() + "/bases/styles.txt"), "nouveaux styles\n") << "a missing file comes back";
    EXPECT_EQ(read_file(user() + "/bases/configuration.txt"), "partagé configuration.txt\n");
}

TEST_F(DataFolderTest, TheBrewersPictureReplacesTheSharedOneOfTheSameName)
{
    write_file(user() + "/images/malt.png", "my malt");
    find();
    EXPECT_EQ(picture_file("malt"), user() + "/images/malt.png");
    EXPECT_EQ(picture_file("houblon"), shared() + "/images/houblon.png");
    EXPECT_EQ(picture_file("absente"), shared() + "/images/absente.png");

    // The report lies in the brewer's folder: its own pictures stay relative, the shared ones are named in
    // full.
    reset_workspace();
    set_recipe_start_values();
    add_recipe_line("malt", "MALT", "Pilsen", "5 KG", "3", "80", "0", "EMPATAGE", "2");
    add_recipe_line("houblon", "HOUBLONCONE", "Saaz", "30 G", "4", "0", "60", "EBULLITION", "1");
    const std::string page = html_report_path();
    EXPECT_EQ(page, user() + "/recette.html");
    ASSERT_TRUE(write_html_report_file(page, recipe_report_on_screen()));
    const std::string html = read_file(page);
    EXPECT_NE(html.find("<img src='./images/malt.png'>"), std::string::npos) << html;
    EXPECT_NE(html.find("<img src='file://" + shared() + "/images/houblon.png'>"), std::string::npos) << html;
}

TEST_F(DataFolderTest, ReadOnlyBrewersFolderFallsBackToTheSharedBases)
{
    write_file(dir_.path() + "/user", "a file where the folder should be");
    const DataSearch search = find();
    EXPECT_TRUE(search.found);
    EXPECT_EQ(search.folders.bases, shared() + "/bases");
    EXPECT_EQ(search.folders.shared_bases, "");
    reset_workspace();
    load_ingredients(); // reads the shared file through the folders in use, whatever the working folder
    EXPECT_EQ(read_file(data_folders().bases + "/ingredients.txt"), "partagé ingredients.txt\n");
}

// First starts killed at random moments: each of the brewer's files is then absent or whole (never cut,
// which would read as settings of 0 without a word), and the next start completes the copy.
TEST_F(DataFolderTest, FirstStartCopiesEachFileWholeOrNotAtAll)
{
    std::string big;
    for (int i = 0; big.size() < (8u << 20); i++)
        big += "MALT\tmalt\tMalt n° " + std::to_string(i) + "\t1 KG\t3\t80\t0\tEMPATAGE\t2\n";
    write_file(shared() + "/bases/ingredients.txt", big);
    const char* const bases[] = {"configuration.txt", "ingredients.txt", "styles.txt"};
    std::mt19937 random(11);
    int interrupted = 0;
    for (int round = 0; round < 20; round++) {
        ASSERT_EQ(std::system(("rm -rf '" + user() + "'").c_str()), 0);
        const pid_t pid = fork();
        if (pid == 0) {
            find_data_folders(user(), {shared()});
            _exit(0);
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        interrupted += WIFSIGNALED(status);
        for (const char* base : bases) {
            const std::string copy = user() + "/bases/" + base;
            if (file_exists(copy)) {
                ASSERT_EQ(read_file(copy), read_file(shared() + "/bases/" + base))
                    << base << ", round " << round;
            }
        }
    }
    EXPECT_GE(interrupted, 5);
    ASSERT_TRUE(find().found);
    for (const char* base : bases)
        EXPECT_EQ(read_file(user() + "/bases/" + base), read_file(shared() + "/bases/" + base)) << base;
}

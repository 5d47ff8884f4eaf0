// tests/recipe_file_test.cpp — writing and reading ".cvl" recipe files, and saves that must not lose a file.
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/formats/cvl.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

static std::string fixture(const std::string& name)
{
    return read_file(std::string(CUVELO_TEST_DATA) + "/recipe/" + name);
}

static std::set<std::string> folder_entries(const std::string& folder)
{
    std::set<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.insert(name);
    }
    closedir(dir);
    return names;
}

static StyleEntry pale_ale()
{
    return StyleEntry{"Ales", "Pale Ale", "1045", "1060", "1010",    "1015",
                      "10",   "28",       "20",   "40",   "paleale", "Ambrée"};
}

// The recipe of small.cvl: a title with a comma, a style, a forced volume and three lines.
static void set_small_recipe()
{
    reset_workspace();
    ws.title = "Blonde, d'été";
    ws.style = pale_ale();
    ws.carbonation = "2.5 VOL";
    ws.forced_volume = 23.5;
    ws.volume_forced = 1;
    add_recipe_line("eau", "EAU", "Eau d'empâtage", "20 L", "", "", "", "EMPATAGE", "0");
    add_recipe_line("malt1", "MALT", "Pilsen, Weyermann", "5 KG", "3 EBC", "80", "", "EMPATAGE", "1,5");
    add_recipe_line("houblonpellet", "HOUBLONPELLET", "Saaz", "30 G", "3.5", "80", "60 MIN", "EBULLITION",
                    "0.05");
}

static void set_empty_recipe()
{
    reset_workspace();
    ws.styles[1] = StyleEntry{
        "Pas de Catégorie", "Pas de Style",      "0", "9999", "0", "9999", "0", "9999", "0", "9999",
        "style0",           "Pas de description"};
    set_recipe_start_values();
}

TEST(RecipeFile, SmallRecipeIsWrittenByteForByte)
{
    ScratchDir dir;
    set_small_recipe();
    ASSERT_TRUE(save_recipe("blonde.cvl"));
    EXPECT_EQ(read_file("blonde.cvl"), fixture("small.cvl"));
    EXPECT_EQ(ws.file_name, "blonde.cvl");
}

TEST(RecipeFile, EmptyRecipeIsTheFourKeywordLines)
{
    ScratchDir dir;
    set_empty_recipe();
    ASSERT_TRUE(save_recipe("vide"));
    EXPECT_EQ(read_file("vide.cvl"), fixture("empty.cvl"));
}

struct ExtensionCase {
    const char* given;
    const char* written;
};

static const ExtensionCase kExtensions[] = {
    {"recette", "recette.cvl"},
    {"recette.cvl", "recette.cvl"},
    {"recette.CVL", "recette.CVL.cvl"}, // byte comparison: capitals do not count
    {"recette.cv", "recette.cv.cvl"},
    {"cvl", "cvl.cvl"}, // shorter than four bytes
    {".cvl", ".cvl"},
    {"sous/recette", "sous/recette.cvl"},
};

TEST(RecipeFile, SaveAppendsExtensionOnlyWhenMissing)
{
    for (const ExtensionCase& c : kExtensions) {
        ScratchDir dir;
        write_file("sous/.keep", "");
        set_empty_recipe();
        ASSERT_TRUE(save_recipe(c.given)) << c.given;
        EXPECT_EQ(ws.file_name, c.written);
        EXPECT_EQ(read_file(c.written), fixture("empty.cvl")) << c.given;
    }
}

TEST(RecipeFile, SaveLeavesNoTemporaryFile)
{
    ScratchDir dir;
    set_small_recipe();
    ASSERT_TRUE(save_recipe("a.cvl"));
    ASSERT_TRUE(save_recipe("a.cvl")); // over an existing file
    EXPECT_EQ(folder_entries("."), (std::set<std::string>{"a.cvl"}));
}

TEST(RecipeFile, SaveToANameNearTheLengthLimit)
{
    ScratchDir dir;
    const std::string name = std::string(251, 'r') + ".cvl"; // 255 bytes, the longest name a folder holds
    set_small_recipe();
    ASSERT_TRUE(save_recipe(name));
    EXPECT_EQ(read_file(name), fixture("small.cvl"));
    EXPECT_EQ(folder_entries("."), (std::set<std::string>{name}));
}

TEST(RecipeFile, SavedFileHasTheModeOfANormallyCreatedFile)
{
    ScratchDir dir;
    const mode_t old_mask = umask(022);
    set_small_recipe();
    const bool saved = save_recipe("a.cvl");
    umask(old_mask);
    ASSERT_TRUE(saved);
    struct stat info;
    ASSERT_EQ(stat("a.cvl", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(RecipeFile, SaveOverAnExistingFileKeepsItsMode)
{
    ScratchDir dir;
    write_file("a.cvl", "old");
    ASSERT_EQ(chmod("a.cvl", 0600), 0);
    set_small_recipe();
    ASSERT_TRUE(save_recipe("a.cvl"));
    struct stat info;
    ASSERT_EQ(stat("a.cvl", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(read_file("a.cvl"), fixture("small.cvl"));
}

TEST(RecipeFile, SaveThroughASymbolicLinkKeepsTheLink)
{
    ScratchDir dir;
    write_file("real/a.cvl", "old");
    ASSERT_EQ(symlink("real/a.cvl", "link.cvl"), 0);
    set_small_recipe();
    ASSERT_TRUE(save_recipe("link.cvl"));
    struct stat info;
    ASSERT_EQ(lstat("link.cvl", &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(read_file("real/a.cvl"), fixture("small.cvl"));
    EXPECT_EQ(ws.file_name, "link.cvl");
}

// Each failed save: false, the old target untouched, no temporary file, file_name as it was.
static void expect_failed_save(const std::string& path, const std::string& folder)
{
    const std::set<std::string> before = folder_entries(folder);
    set_small_recipe();
    ws.file_name = "previous.cvl";
    EXPECT_FALSE(save_recipe(path));
    EXPECT_EQ(ws.file_name, "previous.cvl");
    EXPECT_EQ(folder_entries(folder), before);
}

TEST(RecipeFile, SaveIntoAMissingFolderFails)
{
    ScratchDir dir;
    expect_failed_save("missing/a.cvl", ".");
    EXPECT_FALSE(file_exists("missing"));
}

TEST(RecipeFile, SaveBelowARegularFileFails)
{
    ScratchDir dir;
    write_file("plain", "not a folder");
    expect_failed_save("plain/a.cvl", ".");
    EXPECT_EQ(read_file("plain"), "not a folder");
}

TEST(RecipeFile, SaveOverAFolderFailsAndRemovesItsTemporaryFile)
{
    ScratchDir dir;
    write_file("a.cvl/inside", "kept");
    expect_failed_save("a.cvl", ".");
    EXPECT_EQ(read_file("a.cvl/inside"), "kept");
}

// A save the user may not make, run as a user who is not root (root may write anything): false, file_name
// kept, and the folder and the old file as they were.
static void expect_save_refused_to_user(const std::string& path, const std::string& folder)
{
    ASSERT_EQ(chmod(".", 0777), 0);
    const std::set<std::string> before = folder_entries(folder);
    const std::string old_bytes = read_file(path);
    const int status = run_as_user_who_is_not_root([&] {
        set_small_recipe();
        ws.file_name = "previous.cvl";
        return !save_recipe(path) && ws.file_name == "previous.cvl" ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << path;
    EXPECT_EQ(folder_entries(folder), before) << path;
    EXPECT_EQ(read_file(path), old_bytes) << path;
}

// The file may be written, its folder not: a plain write would succeed, so the save does, in place; a new
// file there is refused.
TEST(RecipeFile, SaveIntoAnUnwritableFolderWritesOnlyTheWritableFileInPlace)
{
    ScratchDir dir;
    write_file("locked/a.cvl", "old recipe");
    ASSERT_EQ(chmod("locked/a.cvl", 0666), 0);
    ASSERT_EQ(chmod("locked", 0555), 0);
    expect_save_refused_to_user("locked/b.cvl", "locked");
    const int status = run_as_user_who_is_not_root([] {
        set_small_recipe();
        return save_recipe("locked/a.cvl") && ws.file_name == "locked/a.cvl" ? 0 : 1;
    });
    chmod("locked", 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(folder_entries("locked"), (std::set<std::string>{"a.cvl"}));
    EXPECT_NE(read_file("locked/a.cvl").find("TITRE"), std::string::npos);
}

TEST(RecipeFile, ReadOnlyFileIsNotReplaced)
{
    ScratchDir dir;
    write_file("a.cvl", "old recipe");
    ASSERT_EQ(chmod("a.cvl", 0444), 0); // in a folder the user may write into
    expect_save_refused_to_user("a.cvl", ".");
}

TEST(RecipeFile, WriteFailureLeavesTheTargetUntouched)
{
    // A file size limit makes the writes fail part-way, as a full disk would.
    ScratchDir dir;
    write_file("a.cvl", "old recipe");
    set_small_recipe();
    ws.title = std::string(100000, 'x');
    ws.file_name = "previous.cvl";
    struct rlimit old_limit;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    struct rlimit small = old_limit;
    small.rlim_cur = 4096;
    void (*old_handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = save_recipe("a.cvl");
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(read_file("a.cvl"), "old recipe");
    EXPECT_EQ(ws.file_name, "previous.cvl");
    EXPECT_EQ(folder_entries("."), (std::set<std::string>{"a.cvl"}));
}

TEST(RecipeFile, RoundTripKeepsAllButCommasAndVolumeText)
{
    ScratchDir dir;
    set_small_recipe();
    ws.forced_volume = 0.1 + 0.2; // 0.30000000000000004: 16 digits write it 0.3
    ASSERT_TRUE(save_recipe("a.cvl"));
    const Workspace saved = ws;

    reset_workspace();
    ASSERT_TRUE(load_recipe("a.cvl"));
    EXPECT_EQ(ws.title, "Blonde. d'été");
    EXPECT_EQ(ws.style.name, saved.style.name);
    EXPECT_EQ(ws.style.description, "Ambrée");
    EXPECT_EQ(ws.style.picture, "paleale");
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.forced_volume, 0.3); // what its 16-digit text reads as
    EXPECT_NE(ws.forced_volume, saved.forced_volume);
    EXPECT_EQ(ws.volume_forced, 1);
    ASSERT_EQ(ws.line_count, 3);
    for (int i = 1; i <= 3; i++) {
        const RecipeLine& a = saved.lines[i];
        const RecipeLine& b = ws.lines[i];
        EXPECT_EQ(b.picture, a.picture);
        EXPECT_EQ(b.category, a.category);
        EXPECT_EQ(b.quantity, a.quantity);
        EXPECT_EQ(b.value, a.value);
        EXPECT_EQ(b.yield, a.yield);
        EXPECT_EQ(b.time, a.time);
        EXPECT_EQ(b.step, a.step);
    }
    EXPECT_EQ(ws.lines[2].designation, "Pilsen. Weyermann");
    EXPECT_EQ(ws.lines[2].price, "1.5");
    EXPECT_EQ(ws.lines[3].designation, "Saaz");
}

TEST(RecipeFile, LoadReadsEveryLineInAnyOrderAndLaterKeysWin)
{
    ScratchDir dir;
    write_file("r.cvl", fixture("unordered.cvl"));
    reset_workspace();
    ws.selected_line = 2;
    ASSERT_TRUE(load_recipe("r.cvl"));
    EXPECT_EQ(ws.title, "Second titre");
    EXPECT_EQ(ws.carbonation, "2.8 VOL");
    EXPECT_EQ(ws.forced_volume, 20);
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(ws.selected_line, 0);
    EXPECT_EQ(ws.style.category, "Lagers");
    EXPECT_EQ(ws.style.name, "Pils");
    EXPECT_EQ(ws.style.og_min, "1044");
    EXPECT_EQ(ws.style.og_max, ""); // a short STYLE line empties the fields it lacks
    EXPECT_EQ(ws.style.description, "");
    ASSERT_EQ(ws.line_count, 3);
    EXPECT_EQ(ws.lines[1].category, "LEVURE");
    EXPECT_EQ(ws.lines[1].quantity, "11.5 G");
    EXPECT_EQ(ws.lines[1].price, "3.5");
    // The blank line is a recipe line with nine empty fields.
    EXPECT_EQ(ws.lines[2].category, "");
    EXPECT_EQ(ws.lines[2].designation, "");
    EXPECT_EQ(ws.lines[2].quantity, "");
    EXPECT_EQ(ws.lines[3].quantity, "5 KG"); // upper-cased as the line is created
    EXPECT_EQ(ws.lines[3].value, "3 EBC");
    EXPECT_EQ(ws.lines[3].price, "1.5 KG");
    EXPECT_EQ(ws.lines[3].step, "EMPATAGE");
}

TEST(RecipeFile, CrLfFileReadsLikeItsLfTwin)
{
    ScratchDir dir;
    write_file("lf.cvl", fixture("small.cvl"));
    write_file("crlf.cvl", with_crlf(fixture("small.cvl")));
    reset_workspace();
    ASSERT_TRUE(load_recipe("lf.cvl"));
    const Workspace lf = ws;
    reset_workspace();
    ASSERT_TRUE(load_recipe("crlf.cvl"));
    EXPECT_EQ(ws.title, lf.title);
    EXPECT_EQ(ws.style.description, lf.style.description);
    EXPECT_EQ(ws.carbonation, lf.carbonation);
    EXPECT_EQ(ws.forced_volume, lf.forced_volume);
    ASSERT_EQ(ws.line_count, lf.line_count);
    EXPECT_EQ(ws.line_count, 3);
    for (int i = 1; i <= ws.line_count; i++)
        EXPECT_EQ(ws.lines[i].price, lf.lines[i].price);
    EXPECT_EQ(ws.lines[3].price, "0.05");
}

TEST(RecipeFile, FileWithoutKeywordLinesKeepsTheRecipeSettings)
{
    ScratchDir dir;
    write_file("lines.cvl", "EAU\teau\tEau\t20 L\t\t\t\tEMPATAGE\t0\n");
    set_small_recipe();
    ws.selected_line = 1;
    ASSERT_TRUE(load_recipe("lines.cvl"));
    EXPECT_EQ(ws.title, "Blonde, d'été");
    EXPECT_EQ(ws.style.name, "Pale Ale");
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.forced_volume, 23.5);
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(ws.line_count, 1);
    EXPECT_EQ(ws.file_name, "lines.cvl");
}

TEST(RecipeFile, ZeroForcedVolumeIsNotForced)
{
    ScratchDir dir;
    write_file("z.cvl", "FORCER_VOLUME\t0\n");
    reset_workspace();
    ws.forced_volume = 12;
    ws.volume_forced = 1;
    ASSERT_TRUE(load_recipe("z.cvl"));
    EXPECT_EQ(ws.forced_volume, 0);
    EXPECT_EQ(ws.volume_forced, 0);
}

TEST(RecipeFile, LoadKeepsThePathAsWrittenAndTakesBackslashesAsSlashes)
{
    ScratchDir dir;
    write_file("sous/r", fixture("small.cvl"));
    reset_workspace();
    ASSERT_TRUE(load_recipe("sous\\r"));
    EXPECT_EQ(ws.file_name, "sous\\r"); // no extension added
    EXPECT_EQ(ws.line_count, 3);
}

static void expect_recipe_untouched_by_failed_load(const std::string& path)
{
    set_small_recipe();
    ws.file_name = "previous.cvl";
    ws.selected_line = 2;
    EXPECT_FALSE(load_recipe(path));
    EXPECT_EQ(ws.line_count, 3);
    EXPECT_EQ(ws.lines[2].designation, "Pilsen, Weyermann");
    EXPECT_EQ(ws.title, "Blonde, d'été");
    EXPECT_EQ(ws.style.name, "Pale Ale");
    EXPECT_EQ(ws.carbonation, "2.5 VOL");
    EXPECT_EQ(ws.forced_volume, 23.5);
    EXPECT_EQ(ws.volume_forced, 1);
    EXPECT_EQ(ws.file_name, "previous.cvl");
    EXPECT_EQ(ws.selected_line, 2);
}

TEST(RecipeFile, MissingFileLeavesTheRecipeUntouched)
{
    ScratchDir dir;
    expect_recipe_untouched_by_failed_load("missing.cvl");
}

TEST(RecipeFile, FolderLeavesTheRecipeUntouched)
{
    ScratchDir dir;
    write_file("folder.cvl/inside", "");
    expect_recipe_untouched_by_failed_load("folder.cvl");
}

TEST(RecipeFile, LinesBeyondCapacityAreIgnored)
{
    ScratchDir dir;
    std::string bytes = "TITRE\tLong\n";
    for (int i = 1; i <= 300; i++)
        bytes += "MALT\tmalt1\tline " + std::to_string(i) + "\t1 KG\n";
    bytes += "CARBONATATION\t3 VOL\n"; // keyword lines after the overflow still count
    write_file("long.cvl", bytes);
    reset_workspace();
    ASSERT_TRUE(load_recipe("long.cvl"));
    EXPECT_EQ(ws.line_count, kLineCapacity);
    EXPECT_EQ(ws.lines[kLineCapacity].designation, "line 256");
    EXPECT_EQ(ws.lines.size(), size_t(kLineCapacity + 1));
    EXPECT_EQ(ws.carbonation, "3 VOL");
}

// Files that are no recipe or cannot be read to their end: false at once, with the reason, and the recipe on
// screen kept with its file name. Empty, blank and partly foreign files are still recipes.
TEST(RecipeFile, FilesThatAreNoRecipeOrCannotBeReadWholeLeaveTheRecipeUntouched)
{
    ScratchDir dir;
    ASSERT_EQ(mkfifo("fifo.cvl", 0644), 0); // opening it to read would wait for a writer for ever
    write_file("folder.cvl/inside", "");
    {
        // 65 MB without a line end: no line may grow past the cap (a sparse file takes no disk space)
        FILE* file = std::fopen("endless.cvl", "w");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(ftruncate(fileno(file), 65 << 20), 0);
        std::fclose(file);
    }
    const struct {
        std::string path;
        std::string bytes;  // written at the path first, unless the path names a fixture above
        const char* reason; // nullptr: read as a recipe
    } cases[] = {
        {"/dev/zero", "", "ce n'est pas un fichier ordinaire"},
        {"fifo.cvl", "", "ce n'est pas un fichier ordinaire"},
        {"folder.cvl", "", "c'est un dossier"},
        {"missing.cvl", "", "fichier ou dossier introuvable"},
        {"endless.cvl", "", "ligne de plus de 64 Mo"},
        {"/proc/self/mem", "", "erreur d'entrée-sortie"}, // a regular file whose first read fails
        {"r1.cvl", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n",
         kNotARecipe},
        {"r2.cvl", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20), kNotARecipe},
        {"r4.cvl", "une ligne\tde\tsept\tchamps\tseulement\tici\tx\n", kNotARecipe},
        {"r5.cvl", "", nullptr},           // a new, empty recipe
        {"r6.cvl", "\n  \n\t\n", nullptr}, // blank lines only
        {"r7.cvl", "TITRE\tSeul\n", nullptr},
        {"r8.cvl", "MALT\tmalt\tPale\t5 KG\t8\t80\t\tEMPATAGE\t2 KG\nnote de brasseur\n", nullptr},
    };
    for (const auto& c : cases) {
        if (c.path[0] == 'r')
            write_file(c.path, c.bytes);
        std::string why;
        set_small_recipe();
        ws.file_name = "previous.cvl";
        EXPECT_EQ(load_recipe(c.path, &why), c.reason == nullptr) << c.path;
        if (!c.reason)
            continue;
        EXPECT_EQ(why, c.reason) << c.path;
        EXPECT_EQ(ws.line_count, 3) << c.path;
        EXPECT_EQ(ws.title, "Blonde, d'été") << c.path;
        EXPECT_EQ(ws.file_name, "previous.cvl") << c.path;
    }
}

// Memory that runs out while a file is read is a failed read, not the end of the file: the recipe on screen
// stays. The address space is limited in a child process (not under AddressSanitizer, which needs more).
TEST(RecipeFile, MemoryRunningOutWhileReadingLeavesTheRecipeUntouched)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit leaves";
#endif
#endif
    ScratchDir dir;
    ASSERT_EQ(chmod(".", 0755), 0);
    write_file("big.cvl", "TITRE\tLongue\nMALT\tmalt1\t" + std::string(48 << 20, 'x') + "\n");
    const std::string status_text = read_file("/proc/self/status");
    const long size_kb = std::atol(status_text.c_str() + status_text.find("VmSize:") + 7);
    const int status = run_as_user_who_is_not_root([&] {
        struct rlimit limit;
        limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(size_kb + 24 * 1024) * 1024;
        setrlimit(RLIMIT_AS, &limit);
        set_small_recipe();
        std::string why;
        const bool loaded = load_recipe("big.cvl", &why);
        return !loaded && why == "mémoire insuffisante" && ws.line_count == 3 && ws.title == "Blonde, d'été"
                   ? 0
                   : 1;
    });
    EXPECT_EQ(status, 0);
}

// The recipe's own efficiency, boil time and notes: a line each only when set, read back as written; a file
// without them reads with the brewery's settings.
struct PlanCase {
    double efficiency, boil_minutes;
    const char* notes;
    const char* lines; // the plan's lines in the file, in order
    std::vector<FermentationStep> fermentation = {};
};
static const PlanCase kPlans[] = {
    {-1, -1, "", ""},
    {72.5, -1, "", "RENDEMENT\t72.5\n"},
    {-1, 90, "", "TEMPS_EBULLITION\t90\n"},
    {0, 0, "", "RENDEMENT\t0\nTEMPS_EBULLITION\t0\n"}, // 0 is a setting, not its absence
    {68, 75, "Houblonner à cru 4 jours, à 18 °C.\nMise en bouteille :\tsucre 6 g/L\r\\fin",
     "RENDEMENT\t68\nTEMPS_EBULLITION\t75\nNOTES\tHoublonner à cru 4 jours, à 18 °C.\\nMise en bouteille "
     ":\\tsucre 6 g/L\\r\\\\fin\n"},
    // Fermentation steps, in their order, a name's tab written as a space.
    {-1,
     -1,
     "",
     "ETAPE_FERMENTATION\tPrimaire\t19.5\t7\nETAPE_FERMENTATION\tGarde à froid\t2\t21\n"
     "ETAPE_FERMENTATION\t\t0\t0.5\n",
     {{"Primaire", 19.5, 7}, {"Garde\tà froid", 2, 21}, {"", 0, 0.5}}},
};

TEST(RecipeFile, PlanLinesAreWrittenOnlyWhenSetAndReadBackExactly)
{
    ScratchDir dir;
    for (const PlanCase& c : kPlans) {
        SCOPED_TRACE(c.lines);
        Recipe recipe;
        recipe.title = "Plan";
        recipe.carbonation = "2.5 VOL";
        recipe.plan.efficiency = c.efficiency;
        recipe.plan.boil_minutes = c.boil_minutes;
        recipe.plan.notes = c.notes;
        recipe.plan.fermentation = c.fermentation;
        const std::string bytes = cvl_bytes(recipe);
        const std::string keywords =
            "TITRE\tPlan\nSTYLE\t\t\t\t\t\t\t\t\t\t\t\t\t\nCARBONATATION\t2.5 VOL\nFORCER_VOLUME\t0\n";
        EXPECT_EQ(bytes, keywords + c.lines);
        ASSERT_TRUE(write_cvl_file("plan.cvl", recipe, nullptr));
        Recipe read;
        read.plan.efficiency = 50; // the previous recipe's plan never carries over
        ASSERT_TRUE(read_cvl_file("plan.cvl", read, nullptr));
        EXPECT_EQ(read.plan.efficiency, c.efficiency);
        EXPECT_EQ(read.plan.boil_minutes, c.boil_minutes);
        EXPECT_EQ(read.plan.notes, c.notes);
        ASSERT_EQ(read.plan.fermentation.size(), c.fermentation.size());
        for (size_t i = 0; i < c.fermentation.size(); i++) {
            std::string name = c.fermentation[i].name;
            std::replace(name.begin(), name.end(), '\t', ' ');
            EXPECT_EQ(read.plan.fermentation[i].name, name);
            EXPECT_EQ(read.plan.fermentation[i].temperature, c.fermentation[i].temperature);
            EXPECT_EQ(read.plan.fermentation[i].days, c.fermentation[i].days);
        }
        // Read again into a recipe that planned other steps: the file's steps replace them.
        read.plan.fermentation = {{"Ancienne", 10, 1}};
        ASSERT_TRUE(read_cvl_file("plan.cvl", read, nullptr));
        EXPECT_EQ(read.plan.fermentation.size(), c.fermentation.size());
    }
}

TEST(RecipeFile, EmptyOrUnreadablePlanFiguresMeanTheBrewerysSettings)
{
    ScratchDir dir;
    write_file(
        "plan.cvl",
        "TITRE\tx\nRENDEMENT\t\nTEMPS_EBULLITION\tlong\nNOTES\t\nMALT\tm\tPale\t1 KG\t5\t80\t\tEMPATAGE\t\n");
    Recipe read;
    ASSERT_TRUE(read_cvl_file("plan.cvl", read, nullptr));
    EXPECT_EQ(read.plan.efficiency, -1);
    EXPECT_EQ(read.plan.boil_minutes, -1);
    EXPECT_EQ(read.plan.notes, "");
    EXPECT_EQ(read.lines.size(), 1u); // keyword lines are no ingredient lines
}

// Water lines naming their profile, a salt, an acid in millilitres and the measured pH come back as saved;
// the pH's keyword line is written only when measured.
TEST(RecipeFile, WaterSaltAcidLinesAndTheMeasuredPhRoundTrip)
{
    ScratchDir dir;
    Recipe recipe;
    recipe.title = "Eau";
    const char* lines[][9] = {
        {"eau", "EAU", "Eau de Volvic", "18 L", "VOLVIC", "0", "0", "EMPATAGE", "0.25 L"},
        {"sel", "AUTRE", "Gypse", "3.5 G", "CASO4", "0", "0", "EMPATAGE", "0.02 G"},
        {"sel", "AUTRE", "Acide lactique à 80 %", "2.25 ML", "LACTIQUE", "80", "0", "EMPATAGE", "0.10 ML"},
    };
    for (const auto& l : lines) {
        RecipeLine line;
        std::string RecipeLine::*fields[] = {
            &RecipeLine::picture,  &RecipeLine::category, &RecipeLine::designation,
            &RecipeLine::quantity, &RecipeLine::value,    &RecipeLine::yield,
            &RecipeLine::time,     &RecipeLine::step,     &RecipeLine::price};
        for (int n = 0; n < 9; n++)
            line.*fields[n] = l[n];
        recipe.lines.push_back(line);
    }
    EXPECT_EQ(cvl_bytes(recipe).find("PH_MESURE"), std::string::npos);
    recipe.plan.measured_ph = 5.38;
    ASSERT_TRUE(write_cvl_file("eau.cvl", recipe, nullptr));
    Recipe read;
    read.plan.measured_ph = 4;
    ASSERT_TRUE(read_cvl_file("eau.cvl", read, nullptr));
    EXPECT_EQ(read.plan.measured_ph, 5.38);
    ASSERT_EQ(read.lines.size(), 3u);
    EXPECT_TRUE(same_recipe(read, recipe));
    EXPECT_EQ(read.lines[2].quantity, "2.25 ML");
    EXPECT_EQ(read.lines[0].value, "VOLVIC");

    Recipe unmeasured;
    ASSERT_TRUE(write_cvl_file("sans.cvl", unmeasured, nullptr));
    ASSERT_TRUE(read_cvl_file("sans.cvl", read, nullptr));
    EXPECT_LT(read.plan.measured_ph, 0); // a recipe without it does not keep the previous one's
}

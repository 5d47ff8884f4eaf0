// tests/cuvelo_calc_test.cpp — the cuvelo-calc program end to end: options, estimates, saving, errors.
#include "test_support.h"

#include <glib.h>
#include <glib/gstdio.h>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

static const std::string kData = std::string(CUVELO_TEST_DATA) + "/calc";

// The program sits in the staged application folder beside the build's tests folder.
static std::string program_path()
{
    if (const char* path = g_getenv("CUVELO_CALC"))
        return path;
    gchar* self = g_file_read_link("/proc/self/exe", nullptr);
    gchar* folder = g_path_get_dirname(self ? self : ".");
    std::string path = std::string(folder) + "/../stage/cuvelo-calc";
    g_free(folder);
    g_free(self);
    return path;
}

struct CalcRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs cuvelo-calc in the current working directory and waits for it. Its brewer's folder is
// "data-home/cuvelo" there, never the real user's.
static CalcRun run_calc(const std::vector<std::string>& arguments)
{
    gchar* cwd = g_get_current_dir();
    gchar** environment =
        g_environ_setenv(g_get_environ(), "XDG_DATA_HOME", (std::string(cwd) + "/data-home").c_str(), TRUE);
    g_free(cwd);
    std::vector<std::string> words = {program_path()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<gchar*> argv;
    for (std::string& word : words)
        argv.push_back(&word[0]);
    argv.push_back(nullptr);
    CalcRun run;
    gchar* out = nullptr;
    gchar* err = nullptr;
    gint wait_status = 0;
    GError* error = nullptr;
    const bool ran = g_spawn_sync(nullptr, argv.data(), environment, G_SPAWN_DEFAULT, nullptr, nullptr, &out,
                                  &err, &wait_status, &error);
    g_strfreev(environment);
    if (ran) {
        run.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
        run.out = out;
        run.err = err;
    } else {
        ADD_FAILURE() << "cannot run " << words[0] << ": " << error->message;
        g_error_free(error);
    }
    g_free(out);
    g_free(err);
    return run;
}

static int line_count_of(const std::string& text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

TEST(CuveloCalc, TsvOfTheWorkedExample)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "final_volume\t20.3\n"
                       "mash_water\t20\n"
                       "rinse_water\t10\n"
                       "malt_kg\t5\n"
                       "hop_kg\t0.04\n"
                       "initial_density\t1047.43\n"
                       "final_density\t1011.06\n"
                       "alcohol\t4.79\n"
                       "colour_ebc\t17.56\n"
                       "bitterness_ibu\t23.48\n"
                       "cost\t45.5\n" // 44.5 of ingredients and two hours of heating at 0.5
                       "sugar_per_litre\t6.26\n"
                       "extract_per_litre\t11.48\n"
                       // 0.41 / 4 L/kg × (65 − 20) + 65; 20 − 2 + 10 − 5 before the boil, 10 % boiled off
                       "strike_litres\t20\n"
                       "strike_temperature\t69.61\n"
                       "pre_boil_litres\t23\n"
                       "pre_boil_density\t1042.69\n"
                       "post_boil_litres\t20.7\n"
                       "fermenter_litres\t20.3\n"
                       // its water names no profile: no mash pH, no ions
                       "mash_ph\t0\nmash_ca\t0\nmash_mg\t0\nmash_na\t0\nmash_so4\t0\nmash_cl\t0\n"
                       "mash_hco3\t0\nso4_cl_ratio\t0\nresidual_alkalinity\t0\n");
}

// After the usual output: one row per recipe line whose figures add up to the totals above (17.56 EBC is
// 15.81 and the scale's 1.75), then the settings used.
TEST(CuveloCalc, ExplainAddsEachLinesShareAndTheSettings)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--explain", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string last = "residual_alkalinity\t0\n";
    const std::string rows = "1\tEau de source\t0\t0\t0\n"
                             "2\tEau de source\t0\t0\t0\n"
                             "3\tPale\t47.43\t15.81\t0\n"
                             "4\tSaaz\t0\t0\t23.48\n"
                             "5\tAle\t0\t0\t0\n";
    EXPECT_NE(run.out.find(last + rows), std::string::npos) << run.out;
    for (const char* setting : {"\nefficiency\t75\n", "\nfinal_volume\t20.3\n", "\nattenuation\t75\n",
                                "\ncolour_model\tlinear\n", "\ncolour_scale_base\t1.75\n"})
        EXPECT_NE(run.out.find(setting), std::string::npos) << setting;
    EXPECT_EQ(run.out.find("forced_volume"), std::string::npos); // only while the volume is forced
}

TEST(CuveloCalc, SummaryForPeople)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    const char* expected[] = {
        "Recette : Pale ale\n",
        "Volume final : 20.3 L\n",
        "Densité initiale : 1047.43\n",
        "Alcool : 4.79 %Vol.\n",
        "Amertume : 23.48 IBU\n",
        "Houblon : 40 G\n",
        "Coût : 45.5\n",
        "Pour une carbonatation de 2.5 VOL :\nIl faut par Litre :\n6.26 G de sucre en poudre"
        " ou 11.48 G d'extrait de malt.\n\nSoit au total pour cette recette :\n127.08 G de"
        " sucre en poudre ou 233.04 G d'extrait de malt.\n"};
    for (const char* text : expected)
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\nin:\n" << run.out;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
}

TEST(CuveloCalc, ForcedVolumeRewritesTheWaterAndIsSaved)
{
    ScratchDir dir;
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--save", "out", kData + "/forced.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("final_volume\t19.96\nmash_water\t15\nrinse_water\t14.13\n"), std::string::npos)
        << run.out;
    std::string saved = read_file(dir.path() + "/out.cvl"); // the extension is added
    EXPECT_NE(saved.find("CARBONATATION\t2.5 VOL\nFORCER_VOLUME\t20\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("EAU\teau\tEau de source\t15 L\t\t\t\tEMPATAGE\t0.01 L\n"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("EAU\teau\tEau de source\t14.13 L\t\t\t\tRINCAGE\t0.01 L\n"), std::string::npos)
        << saved;
}

TEST(CuveloCalc, MergeSortJoinsEqualIngredients)
{
    ScratchDir dir;
    CalcRun plain =
        run_calc({"--bases", kData + "/bases", "--tsv", "--save", "plain.cvl", kData + "/merge.cvl"});
    CalcRun merged = run_calc(
        {"--bases", kData + "/bases", "--tsv", "--merge-sort", "--save", "merged.cvl", kData + "/merge.cvl"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_NE(plain.out.find("malt_kg\t7\n"), std::string::npos) << plain.out;
    EXPECT_NE(merged.out.find("malt_kg\t7\n"), std::string::npos) << merged.out;
    // Each line's extract is divided by its own weight plus the volume, so one 7 kg line gives less than two.
    EXPECT_NE(plain.out, merged.out);
    EXPECT_EQ(line_count_of(read_file("plain.cvl")), 4 + 6);
    EXPECT_EQ(line_count_of(read_file("merged.cvl")), 4 + 5);
}

TEST(CuveloCalc, BasesDefaultToTheWorkingDirectory)
{
    ScratchDir dir;
    write_file("bases/configuration.txt", read_file(kData + "/bases/configuration.txt"));
    // A bases folder is the working one when it holds the ingredients; without them the shared
    // configuration, whose models differ, would be read instead.
    write_file("bases/ingredients.txt",
               read_file(std::string(CUVELO_TEST_DATA) + "/refdata/ingredients.txt"));
    CalcRun run = run_calc({"--tsv", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("initial_density\t1047.43\n"), std::string::npos) << run.out;
}

TEST(CuveloCalc, MissingConfigurationIsAWarningOnly)
{
    ScratchDir dir;
    CalcRun run = run_calc({"--bases", "vide", "--tsv", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(line_count_of(run.err), 1) << run.err;
    EXPECT_NE(run.out.find("final_volume\t30\n"), std::string::npos) << run.out; // no losses without settings
}

TEST(CuveloCalc, ErrorsGiveOneFrenchLineAndStatusTwo)
{
    ScratchDir dir;
    write_file("folder/placeholder", "");
    const std::vector<std::vector<std::string>> cases = {
        {"--bases", kData + "/bases", "absente.cvl"}, // missing recipe
        {"folder"},                                   // a folder is no recipe
        {"--vite", kData + "/worked.cvl"},            // unknown option
        {},                                           // no recipe
        {kData + "/worked.cvl", kData + "/forced.cvl"},
        {kData + "/worked.cvl", "--save"}, // option without its value
        {kData + "/worked.cvl", "--report"},
        {"--save", "out.cvl", "/dev/zero"}, // no regular file: refused at once
    };
    for (const std::vector<std::string>& arguments : cases) {
        CalcRun run = run_calc(arguments);
        std::string shown = arguments.empty() ? "(none)" : arguments[0];
        EXPECT_EQ(run.status, 2) << shown;
        EXPECT_EQ(line_count_of(run.err), 1) << shown << ": " << run.err;
        EXPECT_EQ(run.err.compare(0, 14, "cuvelo-calc : "), 0) << run.err;
        EXPECT_EQ(run.out, "") << shown;
    }
    EXPECT_FALSE(file_exists("out.cvl"));
}

TEST(CuveloCalc, HelpPrintsTheUsage)
{
    CalcRun run = run_calc({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.compare(0, 8, "Usage : "), 0) << run.out;
    EXPECT_NE(run.out.find("[--bases DIR] [--tsv] [--explain] [--merge-sort] [--save OUT.cvl] [--report "
                           "OUT.html] RECIPE.cvl"),
              std::string::npos);
}

TEST(CuveloCalc, FailedSaveStillPrintsAndGivesStatusOne)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--save", "/nonexistent-folder/out.cvl",
                            kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(line_count_of(run.err), 1) << run.err;
    EXPECT_NE(run.out.find("final_volume\t20.3\n"), std::string::npos);
}

TEST(CuveloCalc, ReportIsTheWindowsPageWithoutBrowser)
{
    ScratchDir dir;
    // A browser that leaves a trace: the report option must not start it.
    write_file("navigateur", "#!/bin/sh\n: > '" + dir.path() + "/browser-ran'\n");
    g_chmod("navigateur", 0755);
    write_file("bases/configuration.txt",
               read_file(kData + "/bases/configuration.txt") + "NAVIGATEUR\t" + dir.path() + "/navigateur\n");
    CalcRun run = run_calc({"--bases", "bases", "--tsv", "--report", "page.html", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("final_volume\t20.3\n"), std::string::npos) << run.out;
    EXPECT_EQ(read_file("page.html"), read_file(std::string(CUVELO_TEST_DATA) + "/report/worked.html"));
    EXPECT_FALSE(file_exists("browser-ran"));
    EXPECT_FALSE(file_exists("recette.html"));
}

TEST(CuveloCalc, BrewSheetOfTheWorkedExampleMatchesTheGoldenPage)
{
    ScratchDir dir;
    CalcRun run =
        run_calc({"--bases", kData + "/bases", "--tsv", "--brew-sheet", "sheet.html", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(read_file("sheet.html"),
              read_file(std::string(CUVELO_TEST_DATA) + "/report/brew_sheet_worked.html"));
}

TEST(CuveloCalc, UnwritableReportStillPrintsAndGivesStatusOne)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--report", "/nonexistent-folder/r.html",
                            kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(line_count_of(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("/nonexistent-folder/r.html"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("final_volume\t20.3\n"), std::string::npos);
}

// Results that never reach their file make the run a failure with the system's reason.
TEST(CuveloCalc, LostOutputGivesStatusOne)
{
    for (const char* option : {"--tsv", "--help"}) {
        const std::string command = "'" + program_path() + "' --bases '" + kData + "/bases' " + option +
                                    " '" + kData + "/worked.cvl' >/dev/full";
        gchar* err = nullptr;
        gint wait_status = 0;
        const gchar* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        ASSERT_TRUE(g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_DEFAULT, nullptr,
                                 nullptr, nullptr, &err, &wait_status, nullptr));
        EXPECT_TRUE(WIFEXITED(wait_status) && WEXITSTATUS(wait_status) == 1) << option;
        EXPECT_STREQ(err, "cuvelo-calc : impossible d'écrire les résultats : disque plein\n") << option;
        g_free(err);
    }
}

TEST(CuveloCalc, DoubleDashEndsTheOptions)
{
    ScratchDir dir;
    write_file("-r.cvl", read_file(kData + "/worked.cvl"));
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--", "-r.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("final_volume\t20.3\n"), std::string::npos) << run.out;
    EXPECT_EQ(run_calc({"--tsv", "-r.cvl"}).status, 2); // without "--" it is an unknown option
}

// A window-less run reads no picture, whatever the recipe names.
TEST(CuveloCalc, NoPictureIsRead)
{
    ScratchDir dir;
    write_file("images/malt1.png", "not read");
    write_file("images/style3.png", "not read");
    write_file(
        "r.cvl",
        "STYLE\tAle\tBlonde\t\t\t\t\t\t\t\t\tstyle3\t\nMALT\tmalt1\tPils\t5 KG\t3\t80\t\tEMPATAGE\t1\n");
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, "images", IN_OPEN), 0);
    CalcRun run = run_calc({"--tsv", "r.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    char events[4096];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "a picture file was opened";
    close(watch);
}

// A brewer's BeerXML file of two recipes: listed, the second one computed and exported (what an export keeps
// is the round trip's concern in the BeerXML tests).
TEST(CuveloCalc, BeerXmlFilesAreListedChosenAndExported)
{
    ScratchDir scratch;
    const std::string bases = kData + "/bases";
    const std::string two = std::string(CUVELO_TEST_DATA) + "/beerxml/several_top_level.xml";
    const CalcRun list = run_calc({"--list", two});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "1\tPremière\n2\tSeconde\n");

    const CalcRun second =
        run_calc({"--bases", bases, "--recipe", "2", "--tsv", "--export-beerxml", "out.xml", two});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.err.find("Recette « Seconde » lue dans un fichier BeerXML"), std::string::npos)
        << second.err;
    EXPECT_NE(second.out.find("final_volume\t18.9"), std::string::npos)
        << second.out; // the batch size, forced

    EXPECT_NE(read_file("out.xml").find("<NAME>Seconde</NAME>"), std::string::npos);

    // The hop's price (30 G at 0.10 a gram) comes from the database entry of the same name, as in the window;
    // the configuration's heating adds 1.
    write_file("priced/configuration.txt", read_file(bases + "/configuration.txt"));
    write_file("priced/ingredients.txt",
               "HOUBLONPELLET\thoublonpellet\tHoublons\tFuggle\t30 G\t4.5\t0\t60\tEBULLITION\t0.10 G\n");
    const CalcRun priced = run_calc({"--bases", "priced", "--tsv", two});
    EXPECT_NE(priced.out.find("cost\t4\n"), std::string::npos) << priced.out;

    const CalcRun beyond = run_calc({"--recipe", "3", two});
    EXPECT_EQ(beyond.status, 2);
    EXPECT_NE(beyond.err.find("ne contient que 2 recette(s)"), std::string::npos);
    const CalcRun refused =
        run_calc({"--list", std::string(CUVELO_TEST_DATA) + "/beerxml/ingredients_only.xml"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("aucune recette : 12 houblons, 30 malts"), std::string::npos) << refused.err;
    EXPECT_EQ(run_calc({"--recipe", "zéro", two}).status, 2);

    // Beyond 5,000 recipes a file is not read further, and the listing says so.
    std::string many;
    for (int i = 0; i < 5003; i++)
        many += "<RECIPE><NAME>R" + std::to_string(i + 1) + "</NAME></RECIPE>\n";
    write_file("many.xml", many);
    const CalcRun listed = run_calc({"--list", "many.xml"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 5000);
    EXPECT_NE(listed.out.find("5000\tR5000\n"), std::string::npos);
    EXPECT_NE(listed.err.find("3 recette(s) de plus, au-delà des 5000 premières"), std::string::npos)
        << listed.err;
}

// A brewer takes the worked pale ale to 25 L with Morey's colour, aims it at a stronger, more bitter beer,
// keeps the result, then asks for a colour the grist cannot give.
TEST(CuveloCalc, ScaledThenAimedThenSavedAndAColourOutOfReach)
{
    ScratchDir dir;
    write_file("bases/configuration.txt",
               read_file(kData + "/bases/configuration.txt") + "MODELE_COULEUR\tMOREY\n");
    CalcRun run =
        run_calc({"--bases", "bases", "--tsv", "--explain", "--scale-volume", "25", "--target",
                  "ibu=35,og=1055", "--save", "aimed.cvl", "--report", "aimed.html", kData + "/worked.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("initial_density\t1055"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bitterness_ibu\t35"), std::string::npos) << run.out;
    // 2.939 × (4.23 × 8 EBC × 7.041 kg / 23.95 L)^0.6859: the grain that 1055 takes drinks some water.
    EXPECT_NE(run.out.find("final_volume\t23.95\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("colour_ebc\t14.21\n"), std::string::npos) << run.out;
    const std::string saved = read_file("aimed.cvl");
    EXPECT_NE(saved.find("\t24.63 L\t"), std::string::npos) << saved;  // 20 L × 25 / 20.3
    EXPECT_NE(saved.find("\t7.041 KG\t"), std::string::npos) << saved; // 1055 weighed to the gram
    // The report and the breakdown show the recipe as it was saved: its malt line holds all the colour.
    EXPECT_NE(read_file("aimed.html").find("7.041 KG"), std::string::npos);
    EXPECT_NE(run.out.find("\tPale\t55\t14.21\t0\n"), std::string::npos) << run.out;

    run = run_calc({"--bases", "bases", "--target", "ebc=40", "--save", "dark.cvl", "--report", "dark.html",
                    "aimed.cvl"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.find("cuvelo-calc : Couleur 40 EBC hors d'atteinte"), 0u) << run.err;
    EXPECT_FALSE(file_exists("dark.cvl"));
    EXPECT_FALSE(file_exists("dark.html"));

    run = run_calc({"--bases", "bases", "--target", "srm=10", "aimed.cvl"});
    EXPECT_EQ(run.status, 2);
}

// The value of one row of --tsv output; NaN when the row is missing.
static double tsv_value(const std::string& out, const std::string& key)
{
    const size_t at = out.find(key + "\t");
    return at == std::string::npos ? NAN : g_ascii_strtod(out.c_str() + at + key.size() + 1, nullptr);
}

// Numbers are plain decimals (point or comma); anything else, or a value no brewer means, is refused naming
// the argument, with status 2, and nothing is written over the file --save names.
TEST(CuveloCalc, NumbersThatAreNotPlainDecimalsAreRefusedAndNothingIsSaved)
{
    ScratchDir dir;
    write_file("kept.cvl", "TITRE\tgardée\n");
    const struct {
        const char* option;
        const char* value;
        const char* says;
    } cases[] = {
        {"--scale-volume", "5abc",
         "--scale-volume attend un nombre décimal de litres (point ou virgule), pas « 5abc »"},
        {"--scale-volume", "0x20", "pas « 0x20 »"},
        {"--scale-volume", "1e308", "pas « 1e308 »"},
        {"--scale-volume", "0.0001", "attend un volume entre 0.5 et 10000 litres, pas « 0.0001 »"},
        {"--scale-volume", "-3", "attend un volume entre 0.5 et 10000 litres"},
        {"--scale-volume", "20000", "attend un volume entre 0.5 et 10000 litres"},
        {"--target", "og=0x400", "la cible « og=0x400 » attend un nombre décimal"},
        {"--target", "og=1e308", "la cible « og=1e308 » attend un nombre décimal"},
        {"--target", "og=-5", "une densité initiale n'est jamais négative"},
        {"--target", "ibu=-3", "une amertume n'est jamais négative"},
        {"--target", "ebc=9e9", "la cible « ebc=9e9 » attend un nombre décimal"},
    };
    for (const auto& c : cases) {
        const CalcRun run = run_calc(
            {"--bases", kData + "/bases", c.option, c.value, "--save", "kept.cvl", kData + "/worked.cvl"});
        EXPECT_EQ(run.status, 2) << c.value;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.value << ": " << run.err;
        EXPECT_EQ(run.err.find("boirait"), std::string::npos) << run.err;
        EXPECT_EQ(read_file("kept.cvl"), "TITRE\tgardée\n") << c.value;
    }
    // A decimal comma is a decimal, in the volume and in the targets.
    const CalcRun comma = run_calc({"--bases", kData + "/bases", "--tsv", "--scale-volume", "17,7",
                                    "--target", "og=1,050,ibu=20,5", kData + "/worked.cvl"});
    EXPECT_EQ(comma.status, 0) << comma.err;
    EXPECT_NEAR(tsv_value(comma.out, "final_volume"), 17.7, 0.3) << comma.out; // less the grain's drink
    EXPECT_NEAR(tsv_value(comma.out, "initial_density"), 1050, 0.5) << comma.out;
    EXPECT_NEAR(tsv_value(comma.out, "bitterness_ibu"), 20.5, 0.5) << comma.out;
}

// A recipe forced to 4 L whose 6 kg of grain take 18 L of mash water gives far more than 4 L: scaling goes
// from what it gives. Scaling that would weigh a line to nothing is an input error, and nothing is saved.
TEST(CuveloCalc, ScalingGoesFromTheVolumeTheRecipeGivesOrChangesNothing)
{
    ScratchDir dir;
    const std::string style =
        "STYLE\tPas de Catégorie\tPas de Style\t0\t9999\t0\t9999\t0\t9999\t0\t9999\tstyle0\t\n";
    write_file("forced4.cvl", "TITRE\tForcée à 4 L\n" + style +
                                  "FORCER_VOLUME\t4\n"
                                  "EAU\teau\tEau\t18 L\t\t\t\tEMPATAGE\t0\n"
                                  "EAU\teau\tEau\t0 L\t\t\t\tRINCAGE\t0\n"
                                  "MALT\tmalt\tPale\t6 KG\t8\t80\t\tEMPATAGE\t0\n"
                                  "HOUBLONCONE\thoublon\tSaaz\t40 G\t5\t\t60\tEBULLITION\t0\n");
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "forced4.cvl"});
    EXPECT_NE(run.out.find("final_volume\t8.78\n"), std::string::npos) << run.out;
    run = run_calc({"--bases", kData + "/bases", "--tsv", "--scale-volume", "17.7", "--save", "scaled.cvl",
                    "forced4.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NEAR(tsv_value(run.out, "final_volume"), 17.7, 0.3) << run.out;
    EXPECT_NE(read_file("scaled.cvl").find("\tPale\t12.096 KG\t"), std::string::npos)
        << read_file("scaled.cvl");

    write_file("salted.cvl",
               read_file(kData + "/worked.cvl") + "AUTRE\tsel\tSel\t0.1 G\t\t\t\tEBULLITION\t0\n");
    write_file("kept.cvl", "TITRE\tgardée\n");
    run =
        run_calc({"--bases", kData + "/bases", "--scale-volume", "0.5", "--save", "kept.cvl", "salted.cvl"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("« Sel » ne pèserait plus rien une fois arrondi"), std::string::npos) << run.err;
    EXPECT_EQ(read_file("kept.cvl"), "TITRE\tgardée\n");
}

// A recipe whose waters name bundled profiles, with gypsum and lactic acid: the pH, ions and ratio, and the
// breakdown's charge balance line by line.
TEST(CuveloCalc, WaterAndMashPh)
{
    CalcRun run = run_calc({"--bases", kData + "/bases", "--tsv", "--explain", kData + "/water.cvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* row : {"\nmash_ca\t86.56\n", "\nmash_so4\t131.58\n", "\nmash_cl\t10\n",
                            "\nso4_cl_ratio\t13.16\n", "\nmash_hco3\t61.02\n"})
        EXPECT_NE(run.out.find(row), std::string::npos) << row << "\nin:\n" << run.out;
    const size_t at = run.out.find("mash_ph\t");
    ASSERT_NE(at, std::string::npos);
    const double ph = g_ascii_strtod(run.out.c_str() + at + 8, nullptr);
    EXPECT_GT(ph, 5.2);
    EXPECT_LT(ph, 5.6);
    for (const char* row :
         {"Équilibre des charges au pH",
          "3 Pilsen (malt Pilsen, pH en eau distillée estimé 5.75) : ", "5 Gypse (gypse) : -",
          "6 Acide (acide lactique à 80 %) : -", "« Eau du puits » : profil d'eau inconnu"})
        EXPECT_NE(run.out.find(row), std::string::npos) << row << "\nin:\n" << run.out;
}

// tests/bad_input_test.cpp — files of any size or content are read, evaluated, shown, reported and saved
// without harm: bounded memory, the zero rules, and never "nan" or "inf" where the program writes a number.
#include "calc/evaluate.h"
#include "calc/format.h"
#include "calc/priming.h"
#include "calc/results_text.h"
#include "core/picture.h"
#include "core/text.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"
#include "recipe/formats/cvl.h"
#include "refdata/configuration.h"
#include "refdata/ingredients.h"
#include "refdata/menu_groups.h"
#include "refdata/styles.h"
#include "report/html_report.h"
#include "test_support.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib.h>
#include <gtest/gtest.h>

#include <cctype>

#include <algorithm>
#include <dirent.h>
#include <sys/resource.h>

#include <cfloat>
#include <cmath>
#include <sstream>
#include <vector>

namespace
{

std::string repeated(const std::string& text, size_t times)
{
    std::string result;
    result.reserve(text.size() * times);
    for (size_t i = 0; i < times; i++)
        result += text;
    return result;
}

std::string fixture(const std::string& path)
{
    return read_file(std::string(CUVELO_TEST_DATA) + "/" + path);
}

// A recipe, a configuration and a style database at once: every numeric field of each holds `n`.
std::string every_number_is(const std::string& n)
{
    std::string text;
    for (const char* key : {"RENDEMENT", "PERTE_EMPATAGE", "PERTE_GRAIN", "PERTE_EBULLITION", "PERTE_HOUBLON",
                            "ATTENUATION_MALT", "ATTENUATION_SUCRE", "RENDEMENT_PELLET", "TEMPS_EBULLITION",
                            "COUT_CHAUFFE", "LITRE_PAR_KILO", "TEMPS_PALIER_PROTEINE", "TEMPS_PALIER_ENZYME"})
        text += std::string(key) + "\t" + n + "\t" + n + "\n";
    text += "TITRE\t" + n + "\n";
    text += "STYLE\tAles\tPale\t" + repeated(n + "\t", 8) + "pale\tdesc\t\n";
    text += "Ales\tPale\t" + repeated(n + "\t", 8) + "pale\tstyle file line\n";
    text += "CARBONATATION\t" + n + " VOL\n";
    text += "FORCER_VOLUME\t" + n + "\n";
    text += "EAU\teau\tSource\t" + n + " L\t\t\t\tEMPATAGE\t" + n + " L\n";
    text += "EAU\teau\tSource\t" + n + " L\t\t\t\tRINCAGE\t" + n + " L\n";
    for (const char* category : {"MALT", "FLOCON", "SUCRE", "EXTRAITPOUDRE", "EXTRAITLIQUIDE"}) {
        const char* step =
            std::string(category) == "MALT" || std::string(category) == "FLOCON" ? "EMPATAGE" : "EBULLITION";
        text += std::string(category) + "\tx\tG\t" + n + " KG\t" + n + "\t" + n + "\t" + n + "\t" + step +
                "\t" + n + " KG\n";
    }
    text += "HOUBLONCONE\th\tHops\t" + n + " G\t" + n + "\t" + n + "\t" + n + "\tEBULLITION\t" + n + " KG\n";
    text +=
        "HOUBLONPELLET\th\tHops\t" + n + " KG\t" + n + "\t" + n + "\t" + n + "\tAMERISATION\t" + n + " G\n";
    text += "LEVURE\tl\tYeast\t" + n + " G\t" + n + "\t" + n + "\t\tFERMENTATION\t" + n + " G\n";
    return text;
}

// The worked pale ale with its water kept sane and `n` in every grain, sugar, hop and yeast figure.
std::string worked_recipe_with(const std::string& n)
{
    return "EAU\teau\tSource\t20 L\t\t\t\tEMPATAGE\t0\n"
           "EAU\teau\tSource\t10 L\t\t\t\tRINCAGE\t0\n"
           "MALT\tmalt\tPale\t" +
           n + " KG\t" + n + "\t" + n + "\t\tEMPATAGE\t2 KG\n" + "SUCRE\tsucre\tCandi\t" + n + " G\t" + n +
           "\t" + n + "\t\tEBULLITION\t1 KG\n" + "HOUBLONCONE\thoublon\tSaaz\t40 G\t" + n + "\t\t" + n +
           "\tEBULLITION\t30 KG\n" + "LEVURE\tlevure\tAle\t11 G\t\t" + n + "\t\tFERMENTATION\t0.4 G\n";
}

struct BadInput {
    std::string name;
    std::string bytes;
    bool not_a_recipe = false; // refused as a recipe file, the recipe left as it was
};

const char kNulFields[] = "TITRE\tA\0B\nEAU\0\teau\0x\tSource\t20\0 L\t\t\t\tEMPATAGE\t0\n"
                          "MALT\tmalt\0\tPale\t5 KG\t8\t80\t\tEMPATAGE\t2 KG\0\n";

std::vector<BadInput> bad_inputs()
{
    const std::string forty_hex_digits(40, 'F');
    std::vector<BadInput> inputs = {
        {"empty file", ""},
        {"NUL bytes", std::string(4096, '\0'), true},
        {"NUL bytes inside the fields", std::string(kNulFields, sizeof kNulFields - 1), true},
        {"invalid UTF-8", "TITRE\t\xff\xfe\xc3\x28\n\xa0\xa1\tMALT\t\xe2\x28\xa1\t\xf0\x28\x8c\xbc\t5 KG\n"
                          "MALT\t\xc0\xaf\t\xed\xa0\x80\t5 KG\t8\t80\t\tEMPATAGE\t\xf8\x88\x80\x80\x80\n"},
        {"a single 10 MB line without a line end", std::string(10 * 1024 * 1024, 'A'), true},
        {"a 10 MB line of commas and tabs", repeated(",\t", 5 * 1024 * 1024)},
        {"100,000 lines", repeated("MALT\tmalt\tPale\t5 KG\t8\t80\t\tEMPATAGE\t2 KG\n", 100000)},
        {"lone CRs",
         "TITRE\tLone\rEAU\teau\tSource\t20 L\t\t\t\tEMPATAGE\t0\rMALT\tmalt\tPale\t5 KG\t8\t80\r\r\r"},
        {"CR CR LF line ends",
         "TITRE\tDouble\r\r\nCARBONATATION\t2.5 VOL\r\r\n" + worked_recipe_with("5") + "\r\r\n"},
        {"a line of 10,000 tabs", std::string(10000, '\t') + "\nMALT" + std::string(10000, '\t') + "\n"},
        {"quantities of 1e308 KG",
         repeated("MALT\tmalt\tPale\t1e308 KG\t8\t80\t\tEMPATAGE\t1e308 KG\n", 4) +
             repeated("HOUBLONCONE\th\tSaaz\t1e308 KG\t5\t\t60\tEBULLITION\t1 G\n", 3) +
             "EAU\teau\tSource\t1e308 L\t\t\t\tEMPATAGE\t0\n"
             "EAU\teau\tSource\t1e308 L\t\t\t\tRINCAGE\t0\n"},
        {"negative times and volumes", "FORCER_VOLUME\t-20\nEAU\teau\tSource\t-20 L\t\t\t\tEMPATAGE\t0\n"
                                       "EAU\teau\tSource\t-10 L\t\t\t\tRINCAGE\t0\n"
                                       "MALT\tmalt\tPale\t5 KG\t8\t80\t-60\tEMPATAGE\t2 KG\n"
                                       "HOUBLONCONE\th\tSaaz\t40 G\t5\t\t-60\tEBULLITION\t30 KG\n"
                                       "HOUBLONCONE\th\tSaaz\t40 G\t5\t\t-1e308\tEBULLITION\t30 KG\n"
                                       "TEMPS_EBULLITION\t-60\nTEMPS_PALIER_MALTOSE\t65\t-1e308\n"
                                       "PERTE_EBULLITION\t-50\nPERTE_EMPATAGE\t-1e308\n"},
        {"negative volume forced from a file", "FORCER_VOLUME\t-1e400\n" + worked_recipe_with("5")},
        {"the recipe file's own keys only", "TITRE\nSTYLE\nCARBONATATION\nFORCER_VOLUME\n"},
    };
    for (const std::string& n :
         std::vector<std::string>{"1e400", "-1e400", "nan", "inf", "-inf", "NAN", "Infinity", "-nan(0x7)",
                                  "&H" + forty_hex_digits, "&h" + std::string(300, 'F'), "1e308", "-1e308",
                                  "4.9e-324", "1.7976931348623157e308", "1d400", "1,5e308"}) {
        inputs.push_back({"every number is " + n, every_number_is(n)});
        inputs.push_back({"the worked recipe with " + n, worked_recipe_with(n)});
    }
    return inputs;
}

// "nan" or "inf" in any case: what a number the program writes must never show.
bool holds_non_number(const std::string& text)
{
    // Whole words only: "infusion" is French for a mash step, not an infinite figure.
    std::string word;
    for (size_t i = 0; i <= text.size(); i++) {
        const char c = i < text.size() ? text[i] : ' ';
        if (std::isalpha(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        const std::string upper = upper_ascii(word);
        if (upper == "NAN" || upper == "INF" || upper == "INFINITY")
            return true;
        word.clear();
    }
    return false;
}

std::vector<std::string> lines_of(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// Estimates that make no sense are 0: a negative or undefined volume, density, alcohol or bitterness, and
// everything but the weights and waters when there is no water.
void expect_zero_rules(const std::string& context)
{
    const Estimates& e = ws.estimates;
    EXPECT_GE(e.final_volume, 0) << context;
    EXPECT_TRUE(e.initial_density == 0 || e.initial_density >= 1000) << context << e.initial_density;
    EXPECT_GE(e.final_density, 0) << context;
    EXPECT_GE(e.alcohol, 0) << context;
    EXPECT_GE(e.bitterness_ibu, 0) << context;
    EXPECT_LE(e.bitterness_ibu, 9999) << context;
    EXPECT_FALSE(std::isnan(e.colour_ebc)) << context;
    if (e.mash_water + e.rinse_water == 0) {
        EXPECT_EQ(e.initial_density, 0) << context;
        EXPECT_EQ(e.final_density, 0) << context;
        EXPECT_EQ(e.colour_ebc, 0) << context;
        EXPECT_EQ(e.alcohol, 0) << context;
        EXPECT_EQ(e.bitterness_ibu, 0) << context;
    }
}

// The results labels, the report and the saved file show numbers where the program writes them. When the
// input itself holds no "nan" or "inf", no text of them may hold one at all.
void expect_numbers_where_numbers_are_written(const std::string& context, bool input_clean)
{
    const ResultsText r = results_text_on_screen();
    for (int i = 1; i <= 18; i++) {
        const bool style_text = i == 5 || i == 9 || i == 13 || i == 17;
        if (!style_text || input_clean) {
            EXPECT_FALSE(holds_non_number(r.labels[i])) << context << ": label " << i << " " << r.labels[i];
        }
    }
    EXPECT_FALSE(holds_non_number(priming_text_on_screen())) << context;

    ASSERT_TRUE(write_html_report_file("page.html", recipe_report_on_screen())) << context;
    const std::string page = read_file("page.html");
    if (input_clean) {
        EXPECT_FALSE(holds_non_number(page)) << context;
    }
    bool estimates = false;
    bool breakdown = false;
    for (const std::string& line : lines_of(page)) {
        estimates = estimates || line == "<h3>Estimations :</h3>";
        breakdown = breakdown || line == "<h3>Détail des estimations :</h3>";
        // The breakdown's rows name their ingredients: only its figures, right-aligned, are numbers.
        const std::string numbers =
            breakdown && line.compare(0, 8, "<tr><td ") == 0
                ? line.substr(0, line.find("<td>")) + line.substr(line.find("</td>", line.find("<td>")))
                : line;
        if (estimates && line.compare(0, 19, "<br>Carbonatation :") != 0) {
            EXPECT_FALSE(holds_non_number(numbers)) << context << ": " << line;
        }
    }
    EXPECT_TRUE(estimates) << context;

    ASSERT_TRUE(save_recipe("saved.cvl")) << context;
    const std::string saved = read_file("saved.cvl");
    if (input_clean) {
        EXPECT_FALSE(holds_non_number(saved)) << context;
    }
    for (const std::string& line : lines_of(saved))
        if (line.compare(0, 14, "FORCER_VOLUME\t") == 0) {
            EXPECT_FALSE(holds_non_number(line)) << context << ": " << line;
        }
}

// Saving what was read back gives the very bytes that were saved.
void expect_stable_save(const std::string& context)
{
    ASSERT_TRUE(save_recipe("first.cvl")) << context;
    ASSERT_TRUE(load_recipe("first.cvl")) << context;
    ASSERT_TRUE(save_recipe("second.cvl")) << context;
    EXPECT_TRUE(read_file("first.cvl") == read_file("second.cvl")) << context;
}

// Reads the three reference files and the recipe file, then does what the window does with them.
void read_evaluate_report_and_save(const std::string& recipe_bytes, const std::string& context,
                                   bool input_clean, bool not_a_recipe = false)
{
    reset_workspace();
    load_ingredients();
    load_configuration();
    load_styles();
    set_recipe_start_values();
    EXPECT_LE(ws.ingredient_count, kIngredientCapacity) << context;
    EXPECT_GE(ws.style_count, 1) << context;
    EXPECT_LE(ws.style_count, kStyleCapacity) << context;
    for (const MenuGroup& group : ingredient_menu_groups())
        for (int e = group.first; e <= group.last; e++)
            ingredient_item_label(e);
    style_menu_groups();

    write_file("recipe.cvl", recipe_bytes);
    if (not_a_recipe) {
        // Refused, and the rules below run on the recipe that stayed.
        std::string why;
        EXPECT_FALSE(load_recipe("recipe.cvl", &why)) << context;
        EXPECT_EQ(why, kNotARecipe) << context;
        EXPECT_EQ(ws.line_count, 0) << context;
        EXPECT_EQ(ws.file_name, "") << context;
    } else {
        ASSERT_TRUE(load_recipe("recipe.cvl")) << context;
    }
    EXPECT_LE(ws.line_count, kLineCapacity) << context;
    evaluate_recipe();
    expect_zero_rules(context);
    expect_numbers_where_numbers_are_written(context, input_clean);
    merge_and_sort();
    evaluate_recipe();
    expect_zero_rules(context + " (merged and sorted)");
    expect_numbers_where_numbers_are_written(context + " (merged and sorted)", input_clean);
    expect_stable_save(context);
}

} // namespace

TEST(BadInput, ReadAsARecipeWithSaneSettings)
{
    for (const BadInput& input : bad_inputs()) {
        ScratchDir dir;
        write_file("bases/configuration.txt", fixture("calc/bases/configuration.txt"));
        read_evaluate_report_and_save(input.bytes, input.name + " as a recipe",
                                      !holds_non_number(input.bytes), input.not_a_recipe);
    }
}

TEST(BadInput, ReadAsEveryReferenceFileAndAsTheRecipe)
{
    for (const BadInput& input : bad_inputs()) {
        ScratchDir dir;
        for (const char* file : {"configuration.txt", "ingredients.txt", "styles.txt"})
            write_file(std::string("bases/") + file, input.bytes);
        read_evaluate_report_and_save(input.bytes, input.name + " as every file",
                                      !holds_non_number(input.bytes), input.not_a_recipe);
    }
}

TEST(BadInput, ReadAsTheSettingsOfTheWorkedRecipe)
{
    for (const BadInput& input : bad_inputs()) {
        ScratchDir dir;
        write_file("bases/configuration.txt", input.bytes);
        read_evaluate_report_and_save(fixture("calc/worked.cvl"), input.name + " as the settings",
                                      !holds_non_number(input.bytes));
    }
}

TEST(BadInput, FuzzFindingsReadAndSaveCleanly)
{
    const std::string folder = std::string(CUVELO_TEST_DATA) + "/bad_input";
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr);
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            names.push_back(entry->d_name);
    closedir(dir);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        const std::string bytes = read_file(folder + "/" + name);
        ScratchDir scratch;
        write_file("bases/configuration.txt", bytes);
        // A NUL byte makes a file no recipe: such a finding is refused, and read once more without its NULs.
        const bool holds_nul = bytes.find('\0') != std::string::npos;
        read_evaluate_report_and_save(bytes, name, !holds_non_number(bytes), holds_nul);
        if (holds_nul) {
            std::string without = bytes;
            without.erase(std::remove(without.begin(), without.end(), '\0'), without.end());
            read_evaluate_report_and_save(without, name + " without its NULs", !holds_non_number(without));
        }
    }
}

TEST(BadInput, RecipeOf300LinesKeepsTheFirst256AndLaterKeywords)
{
    ScratchDir dir;
    std::string file;
    for (int i = 1; i <= 300; i++)
        file += "MALT\tmalt\tMalt " + std::to_string(i) + "\t1 KG\t8\t80\t\tEMPATAGE\t2 KG\n";
    file += "TITRE\tAfter the lines\n";
    write_file("long.cvl", file);
    reset_workspace();
    ASSERT_TRUE(load_recipe("long.cvl"));
    EXPECT_EQ(ws.line_count, kLineCapacity);
    EXPECT_EQ(ws.lines[1].designation, "Malt 1");
    EXPECT_EQ(ws.lines[256].designation, "Malt 256");
    EXPECT_EQ(ws.title, "After the lines");
}

TEST(BadInput, IngredientFileOf1100LinesKeeps1024)
{
    ScratchDir dir;
    std::string file;
    for (int i = 1; i <= 1100; i++)
        file += "OTHER\tpicture\tGroup\tEntry " + std::to_string(i) + "\t1 KG\t\t\t\tEBULLITION\t1 KG\n";
    write_file("bases/ingredients.txt", file);
    reset_workspace();
    load_ingredients();
    EXPECT_EQ(ws.ingredient_count, kIngredientCapacity);
    EXPECT_EQ(ws.ingredients[1024].designation, "Entry 1024");
    EXPECT_EQ(ingredient_item_label(1024), "1 KG Entry 1024  ");
}

TEST(BadInput, StyleFileOf300LinesKeeps256WithTheBuiltInFirst)
{
    ScratchDir dir;
    std::string file;
    for (int i = 1; i <= 300; i++)
        file += "Family\tStyle " + std::to_string(i) + "\t1040\t1050\t1008\t1012\t5\t10\t20\t30\tp\td\n";
    write_file("bases/styles.txt", file);
    reset_workspace();
    load_styles();
    EXPECT_EQ(ws.style_count, kStyleCapacity);
    EXPECT_EQ(ws.styles[1].name, "Pas de Style");
    EXPECT_EQ(ws.styles[256].name, "Style 255");
}

// A file of millions of empty lines once took 50 bytes of memory per line.
TEST(BadInput, MillionsOfLinesTakeNoMoreMemoryThanOne)
{
    ScratchDir dir;
    write_file("lines.cvl", std::string(5 * 1000 * 1000, '\n'));
    rusage before;
    getrusage(RUSAGE_SELF, &before);
    reset_workspace();
    ASSERT_TRUE(load_recipe("lines.cvl"));
    rusage after;
    getrusage(RUSAGE_SELF, &after);
    EXPECT_EQ(ws.line_count, kLineCapacity);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 100 * 1024) << "kilobytes";
}

// Found by fuzzing: 16 digits of the largest doubles round past them and read back as infinite, and the
// text 1e+23 reads back as the double below it, whose text is 9.999999999999999e+22: a forced volume saved,
// read and saved again changed its text.
TEST(BadInput, WrittenNumbersReadBackToTheirOwnText)
{
    for (double x : {DBL_MAX, -DBL_MAX, std::nextafter(DBL_MAX, 0.0), 1.7976931348623155e308,
                     1.0000000000000001e23, 1e23, -1.0000000000000001e23, 1e-6, 5e-324, 0.1 + 0.2, 1e21}) {
        const std::string text = number_to_text(x);
        const double back = text_to_number(text);
        EXPECT_TRUE(std::isfinite(back)) << text;
        EXPECT_LE(std::fabs(back - x), 1e-15 * std::fabs(x)) << text;
        EXPECT_EQ(number_to_text(back), text) << x;
    }
    EXPECT_EQ(text_to_number(number_to_text(DBL_MAX)), DBL_MAX);
    EXPECT_EQ(number_to_text(1.0000000000000001e23), "9.999999999999999e+22");
    EXPECT_EQ(number_to_text(1e21), "1e+21");
    EXPECT_EQ(number_to_text(0.1 + 0.2), "0.3");
}

// Found by fuzzing: the double of 66.6 is 66.599999999999994, whose 16 digits cut after one decimal
// gave 66.5.
TEST(BadInput, RoundedNumbersKeepTheirLastDecimal)
{
    struct Case {
        double x;
        int decimals;
        const char* text;
    };
    static const Case kCases[] = {
        {66.6, 1, "66.6"},
        {0.69, 2, "0.69"},
        {8.11, 2, "8.11"},
        {1011.06, 2, "1011.06"},
        {9986228394520.6953, 1, "9986228394520.7"},
        {-9.5357541264213073e+117, 2, "-9.535754126421307e+117"},
        {1.5e20, 3, "1.5e+20"},
        {123456789012345.6, 3, "123456789012345.6"},
        {DBL_MAX, 2, "0"}, // the rounding overflows: written as 0, as every number that is not finite
    };
    for (const Case& c : kCases)
        EXPECT_EQ(format_decimals(c.x, c.decimals), c.text) << c.x;
    for (int hundredths = 0; hundredths <= 200000; hundredths++) {
        char expected[32];
        g_ascii_formatd(expected, sizeof expected, "%.2f", hundredths / 100.0);
        std::string text = expected;
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
        ASSERT_EQ(format_decimals(hundredths / 100.0, 2), text);
    }
}

// Found by fuzzing: a merged sum as large as 1e+38 was written in small letters and read back in capitals.
TEST(BadInput, MergedAndForcedQuantitiesAreInCapitals)
{
    ScratchDir dir;
    reset_workspace();
    add_recipe_line("malt", "MALT", "Pale", "5.555555555555556E37 KG", "8", "80", "", "EMPATAGE", "2 KG");
    add_recipe_line("malt", "MALT", "Pale", "5.555555555555556E37 KG", "8", "80", "", "EMPATAGE", "2 KG");
    add_recipe_line("eau", "EAU", "Source", "10 L", "", "", "", "RINCAGE", "0");
    merge_lines();
    ASSERT_EQ(ws.line_count, 2);
    EXPECT_EQ(ws.lines[1].quantity, "1.111111111111111E+38 KG");

    ws.settings.loss_boil = 10;
    ws.volume_forced = 1;
    ws.forced_volume = 1e20;
    evaluate_recipe();
    EXPECT_EQ(ws.lines[2].quantity, "1.111111111111111E+20 L");
    expect_stable_save("forced water of 1e20 litres");
}

// Found by fuzzing: a title or price ending in CR (lines ending CR CR LF) lost it on reading what was saved.
TEST(BadInput, LineEndingCarriageReturnsAreNotSaved)
{
    ScratchDir dir;
    write_file("crcr.cvl", "TITRE\tDouble\r\r\nEAU\teau\tSource\t20 L\t\t\t\tEMPATAGE\t0 L\r\r\r\n");
    reset_workspace();
    ASSERT_TRUE(load_recipe("crcr.cvl"));
    EXPECT_EQ(ws.title, "Double\r");
    ASSERT_TRUE(save_recipe("saved.cvl"));
    EXPECT_EQ(read_file("saved.cvl").substr(0, 13), "TITRE\tDouble\n");
    expect_stable_save("CR CR LF line ends");
}

// A NUL ended the picture path early and dropped ".png", so that "../../dev/stdin" and the like were read.
TEST(BadInput, PictureNameHoldingANulLoadsNothing)
{
    ScratchDir dir;
    write_file("images/.keep", "");
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 4, 4);
    ASSERT_TRUE(gdk_pixbuf_save(pixbuf, "images/real.png", "png", nullptr, nullptr));
    g_object_unref(pixbuf);
    // Without the NUL check this name opens "./images/real.png", ".png" and all.
    EXPECT_EQ(picture_for(std::string("real.png\0.x", 11)), nullptr);
    EXPECT_NE(picture_for("real"), nullptr);
}

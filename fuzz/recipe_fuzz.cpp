// fuzz/recipe_fuzz.cpp — a recipe file of any bytes: read, merged and sorted, evaluated, costed, shown,
// reported and saved; saving what was read back gives the same bytes.
#include "calc/cost.h"
#include "calc/evaluate.h"
#include "calc/results_text.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "fuzz_support.h"
#include "recipe/list_edit.h"
#include "recipe/merge_sort.h"
#include "recipe/formats/cvl.h"
#include "refdata/configuration.h"
#include "refdata/styles.h"
#include "report/html_report.h"

#include <glib.h>

#include <cmath>
#include <sstream>
#include <string>

// The labels that hold the estimates; 5, 9, 13 and 17 hold the style's own range texts.
static void check_results_labels(bool input_clean)
{
    const ResultsText r = results_text_on_screen();
    for (int i = 1; i <= 18; i++) {
        const bool copied_text = i == 5 || i == 9 || i == 13 || i == 17;
        if ((!copied_text || input_clean) && holds_non_number(r.labels[i]))
            property_failed("a results label shows no number", r.labels[i]);
    }
}

// A report line without the ingredient's name that a breakdown row carries in its one left-aligned cell.
static std::string without_designation(const std::string& line)
{
    const size_t name = line.find("<td>");
    if (line.compare(0, 8, "<tr><td ") != 0 || name == std::string::npos)
        return line;
    return line.substr(0, name) + line.substr(line.find("</td>", name));
}

// The report's lines from the estimates on, but the carbonation text, which is the recipe's own, and the
// ingredients' names in the breakdown.
static void check_report(bool input_clean)
{
    if (!write_html_report_file("recette.html", recipe_report_on_screen()))
        property_failed("the report could not be written", "recette.html");
    const std::string page = read_whole_file("recette.html");
    if (input_clean && holds_non_number(page))
        property_failed("the report shows no number", page);
    const size_t estimates = page.rfind("<h3>Estimations :</h3>");
    if (estimates == std::string::npos)
        property_failed("the report has no estimates", page);
    std::istringstream lines(page.substr(estimates));
    std::string line;
    while (std::getline(lines, line))
        if (line.compare(0, 19, "<br>Carbonatation :") != 0 && holds_non_number(without_designation(line)))
            property_failed("a report estimate shows no number", line);
}

static void check_saved(const std::string& saved, bool input_clean)
{
    if (input_clean && holds_non_number(saved))
        property_failed("the saved file shows no number", saved);
    const size_t forced = saved.find("\nFORCER_VOLUME\t");
    if (forced == std::string::npos)
        property_failed("the saved file has no forced volume line", saved);
    const std::string value = saved.substr(forced + 15, saved.find('\n', forced + 1) - forced - 15);
    if (holds_non_number(value))
        property_failed("the saved forced volume is no number", value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enter_private_folder();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const bool input_clean = !holds_non_number(input);
    // The same bytes are the configuration, so the settings vary with the recipe.
    write_input("bases/configuration.txt", data, size);
    write_input("recipe.cvl", data, size);
    reset_workspace();
    load_configuration();
    load_styles();
    set_recipe_start_values();

    std::string why;
    if (!load_recipe("recipe.cvl", &why)) {
        // Only a file that is no recipe may be refused, and it leaves the new recipe as it was.
        if (why != kNotARecipe)
            property_failed("a readable recipe file was refused", why);
        if (ws.line_count != 0 || !ws.file_name.empty())
            property_failed("a refused file changed the recipe", "recipe.cvl");
    }
    if (ws.line_count < 0 || ws.line_count > kLineCapacity)
        property_failed("line_count beyond the capacity", std::to_string(ws.line_count));
    const std::string title = window_title_text(ws.title, ws.file_name);
    if (!g_utf8_validate(title.c_str(), -1, nullptr) ||
        g_utf8_strlen(title.data(), -1) > 14 + static_cast<glong>(kMaxTitleCharacters) + 1)
        property_failed("the window title is not bounded valid UTF-8", title);
    merge_and_sort();
    evaluate_recipe();
    recipe_cost_on_screen();
    priming_text_on_screen();
    check_results_labels(input_clean);
    check_report(input_clean);

    if (!save_recipe("saved1.cvl") || !load_recipe("saved1.cvl") || !save_recipe("saved2.cvl"))
        property_failed("a recipe could not be saved or read back", "saved1.cvl");
    const std::string first = read_whole_file("saved1.cvl");
    const std::string second = read_whole_file("saved2.cvl");
    check_saved(first, input_clean);
    if (first != second) {
        size_t at = 0;
        while (at < first.size() && at < second.size() && first[at] == second[at])
            at++;
        const size_t from = at < 200 ? 0 : at - 200;
        property_failed("saving what was read back changes the file",
                        "byte " + std::to_string(at) + ":\n" + first.substr(from, 400) + "\n----\n" +
                            second.substr(from, 400));
    }
    return 0;
}

// recipe/formats/cvl.cpp — writes and reads ".cvl" recipe files; a save replaces a file only once complete.
#include "recipe/formats/cvl.h"

#include "core/line_reader.h"
#include "core/note_text.h"
#include "core/replace_file.h"
#include "core/system_reason.h"
#include "core/text.h"
#include "core/workspace.h"

#include <glib.h>

#include <cerrno>
#include <cstdio>

#include <algorithm>
#include <map>
#include <new>
#include <utility>
#include <vector>

std::string cvl_path(const std::string& path)
{
    const bool ends_with_cvl = path.size() >= 4 && path.compare(path.size() - 4, 4, ".cvl") == 0;
    return ends_with_cvl ? path : path + ".cvl";
}

// The file system path: every backslash taken as a slash, as for every file the program opens.
static std::string unix_path(const std::string& path)
{
    std::string result = path;
    for (char& c : result)
        if (c == '\\')
            c = '/';
    return result;
}

// CRs that end a line (a title or a price read from a file whose lines end in CR CR LF) would be taken for
// part of the line end when the file is read: they are left out, so the file reads back as it was saved.
static void write_recipe_line(std::string& bytes, std::string line)
{
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    bytes += line;
    bytes += '\n';
}

// The mash schedule's keyword: one line per step, in order; a file without it takes the brewery's rests.
static const char kMashStepKey[] = "PALIER";
// A recipe file holds at most this many steps: more is no mash schedule, and must not take memory.
static const size_t kMostMashSteps = 40;

static const struct {
    MashStepKind kind;
    const char* word;
} kMashKinds[] = {
    {MashStepKind::infusion, "INFUSION"},
    {MashStepKind::direct_heat, "CHAUFFE"},
    {MashStepKind::decoction, "DECOCTION"},
};

static void write_mash_lines(std::string& file, const std::vector<MashStep>& steps)
{
    for (const MashStep& step : steps) {
        std::string name = step.name;
        for (char& c : name)
            if (c == '\t' || c == '\n' || c == '\r')
                c = ' ';
        const char* kind = "INFUSION";
        for (const auto& k : kMashKinds)
            if (k.kind == step.kind)
                kind = k.word;
        write_recipe_line(file, std::string(kMashStepKey) + "\t" + name + "\t" +
                                    number_to_text(step.temperature) + "\t" + number_to_text(step.minutes) +
                                    "\t" + kind);
    }
}

// A step read from its keyword line; an unknown kind word is an infusion.
static MashStep mash_step_of(const std::string& line)
{
    MashStep step;
    step.name = tab_field(line, 2);
    step.temperature = text_to_number(tab_field(line, 3));
    step.minutes = text_to_number(tab_field(line, 4));
    const std::string word = upper_ascii(tab_field(line, 5));
    for (const auto& k : kMashKinds)
        if (word == k.word)
            step.kind = k.kind;
    return step;
}

// The fermentation's keyword: one line per step, in order ("ETAPE_FERMENTATION name °C days"), written only
// when the recipe plans one, so that a recipe without them writes the file it always did.
static const char kFermentationKey[] = "ETAPE_FERMENTATION";
static const size_t kMostFermentationSteps = 40;

static void write_fermentation_lines(std::string& file, const std::vector<FermentationStep>& steps)
{
    for (const FermentationStep& step : steps) {
        std::string name = step.name;
        for (char& c : name)
            if (c == '\t' || c == '\n' || c == '\r')
                c = ' ';
        write_recipe_line(file, std::string(kFermentationKey) + "\t" + name + "\t" +
                                    number_to_text(step.temperature) + "\t" + number_to_text(step.days));
    }
}

static FermentationStep fermentation_step_of(const std::string& line)
{
    FermentationStep step;
    step.name = tab_field(line, 2);
    step.temperature = text_to_number(tab_field(line, 3));
    step.days = std::max(0.0, text_to_number(tab_field(line, 4)));
    return step;
}

// The recipe's own efficiency, boil time and notes: a line each, only when the recipe sets it, so that a
// recipe without them writes the file it always did (and older programs read it).
constexpr const char* kEfficiencyKey = "RENDEMENT";
constexpr const char* kBoilKey = "TEMPS_EBULLITION";
constexpr const char* kNotesKey = "NOTES";
// The mash pH the brewer measured, written only when measured.
constexpr const char* kMeasuredPhKey = "PH_MESURE";

static bool is_plan_key(const std::string& key)
{
    return key == kEfficiencyKey || key == kBoilKey || key == kNotesKey || key == kMeasuredPhKey;
}

static void write_plan_lines(std::string& bytes, const BrewingPlan& plan)
{
    if (plan.efficiency >= 0)
        write_recipe_line(bytes, std::string(kEfficiencyKey) + "\t" + number_to_text(plan.efficiency));
    if (plan.boil_minutes >= 0)
        write_recipe_line(bytes, std::string(kBoilKey) + "\t" + number_to_text(plan.boil_minutes));
    if (!plan.notes.empty())
        write_recipe_line(bytes, std::string(kNotesKey) + "\t" + escaped_notes(plan.notes));
    if (plan.measured_ph > 0)
        write_recipe_line(bytes, std::string(kMeasuredPhKey) + "\t" + number_to_text(plan.measured_ph));
}

// The notes as they stand in their line: the field rule would split them at a tab, end them at a line end and
// turn their commas into points, so the line is read whole after its key.
static void read_plan_line(const std::string& key, const std::string& line, BrewingPlan& plan)
{
    if (key == kNotesKey) {
        plan.notes =
            unescaped_notes(line.size() > key.size() + 1 ? line.substr(key.size() + 1) : std::string());
        return;
    }
    const std::string field = tab_field(line, 2);
    const size_t first = field.find_first_not_of(' ');
    const bool starts_with_number = first != std::string::npos && g_ascii_isdigit(field[first]);
    const double figure = text_to_number(field);
    // An empty or unreadable figure means the brewery's setting, as no line at all does.
    const double value = starts_with_number && figure >= 0 ? figure : -1;
    if (key == kEfficiencyKey)
        plan.efficiency = value;
    else if (key == kMeasuredPhKey)
        plan.measured_ph = value > 0 && value < 14 ? value : -1;
    else
        plan.boil_minutes = value;
}

std::string cvl_bytes(const Recipe& recipe)
{
    std::string file;
    write_recipe_line(file, "TITRE\t" + recipe.title);
    const StyleEntry& s = recipe.style;
    std::string style = "STYLE\t";
    for (std::string StyleEntry::*field : kStyleFields)
        style += s.*field + "\t";
    write_recipe_line(file, style);
    write_recipe_line(file, "CARBONATATION\t" + recipe.carbonation);
    write_recipe_line(file, "FORCER_VOLUME\t" + number_to_text(recipe.forced.litres));
    write_plan_lines(file, recipe.plan);
    for (const RecipeLine& l : recipe.lines)
        write_recipe_line(file, l.category + "\t" + l.picture + "\t" + l.designation + "\t" + l.quantity +
                                    "\t" + l.value + "\t" + l.yield + "\t" + l.time + "\t" + l.step + "\t" +
                                    l.price);
    write_mash_lines(file, recipe.plan.mash);
    write_fermentation_lines(file, recipe.plan.fermentation);
    return file;
}

bool write_cvl_file(const std::string& path, const Recipe& recipe, std::string* why)
{
    return replace_file(unix_path(path), cvl_bytes(recipe), why);
}

// One line of a recipe file: a keyword line sets its field (a later one wins), any other is a recipe line.
static void apply_recipe_line(const std::string& line, Recipe& recipe)
{
    const std::string key = tab_field(line, 1);
    if (key == "STYLE") {
        int n = 2;
        for (std::string StyleEntry::*field : kStyleFields)
            recipe.style.*field = tab_field(line, n++);
    } else if (key == "CARBONATATION") {
        recipe.carbonation = tab_field(line, 2);
    } else if (key == "TITRE") {
        recipe.title = tab_field(line, 2);
    } else if (key == "FORCER_VOLUME") {
        recipe.forced.litres = text_to_number(tab_field(line, 2));
    } else if (key == kMashStepKey) {
        recipe.plan.mash.push_back(mash_step_of(line));
    } else if (key == kFermentationKey) {
        recipe.plan.fermentation.push_back(fermentation_step_of(line));
    } else if (is_plan_key(key)) {
        read_plan_line(key, line, recipe.plan);
    } else {
        RecipeLine read;
        read.category = key;
        read.picture = tab_field(line, 2);
        read.designation = tab_field(line, 3);
        read.quantity = tab_field(line, 4);
        read.value = tab_field(line, 5);
        read.yield = tab_field(line, 6);
        read.time = tab_field(line, 7);
        read.step = tab_field(line, 8);
        read.price = tab_field(line, 9);
        if (recipe.lines.size() < static_cast<size_t>(kLineCapacity))
            recipe.lines.push_back(stored_line(read));
    }
}

// The lines of a recipe file that can take effect, in the order they are applied: the first ingredient lines
// up to the capacity (later ones are ignored), then the last line of each keyword (a later one wins), so
// that a file of millions of lines takes no more memory than its longest line. False, with the reason, when
// the file could not be read to its end or memory ran out.
static bool read_effective_lines(const std::string& path, std::vector<std::string>& lines, std::string& why)
{
    try {
        LineReader file(path);
        std::map<std::string, std::string> keyword_lines;
        std::vector<std::string> mash_lines, fermentation_lines;
        std::string line;
        // Another kind of file chosen by mistake (a picture, a text) must not replace the recipe on screen,
        // nor be proposed to the next Save: it holds a NUL byte, or lines none of which a recipe file holds.
        bool holds_nul = false, holds_text = false, holds_recipe_line = false;
        while (file.next(line)) {
            holds_nul = holds_nul || line.find('\0') != std::string::npos;
            holds_text = holds_text || line.find_first_not_of(" \t") != std::string::npos;
            const std::string key = tab_field(line, 1);
            if (key == "STYLE" || key == "CARBONATATION" || key == "TITRE" || key == "FORCER_VOLUME" ||
                is_plan_key(key)) {
                holds_recipe_line = true;
                keyword_lines[key] = std::move(line);
            } else if (key == kMashStepKey) {
                holds_recipe_line = true;
                if (mash_lines.size() < kMostMashSteps)
                    mash_lines.push_back(std::move(line));
            } else if (key == kFermentationKey) {
                holds_recipe_line = true;
                if (fermentation_lines.size() < kMostFermentationSteps)
                    fermentation_lines.push_back(std::move(line));
            } else {
                holds_recipe_line = holds_recipe_line || std::count(line.begin(), line.end(), '\t') >= 8;
                if (lines.size() < static_cast<size_t>(kLineCapacity))
                    lines.push_back(std::move(line));
            }
        }
        why = file.why();
        if (file.failed())
            return false;
        if (holds_nul || (holds_text && !holds_recipe_line)) {
            why = kNotARecipe;
            return false;
        }
        for (auto& keyword_line : keyword_lines)
            lines.push_back(std::move(keyword_line.second));
        for (std::string& mash_line : mash_lines)
            lines.push_back(std::move(mash_line));
        for (std::string& fermentation_line : fermentation_lines)
            lines.push_back(std::move(fermentation_line));
        return true;
    } catch (const std::bad_alloc&) {
        lines.clear();
        lines.shrink_to_fit();
        why = system_reason(ENOMEM);
        return false;
    }
}

bool read_cvl_file(const std::string& path, Recipe& recipe, std::string* why)
{
    // The whole file is read before anything changes, so a file that cannot be opened or read to its end
    // (a folder, a FIFO, a failing disk, a line without end, memory run out) leaves the recipe as it was.
    std::vector<std::string> lines;
    std::string reason;
    if (!read_effective_lines(path, lines, reason)) {
        if (why)
            *why = reason;
        return false;
    }
    recipe.lines.clear();
    // What the brewer set for the previous recipe alone never carries over to this one.
    recipe.plan = BrewingPlan();
    for (const std::string& text : lines)
        apply_recipe_line(text, recipe);
    recipe.forced.on = recipe.forced.litres > 0;
    return true;
}

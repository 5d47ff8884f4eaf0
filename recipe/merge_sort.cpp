// recipe/merge_sort.cpp — merges lines of one ingredient and unit, then puts the lines in brewing order.
#include "recipe/merge_sort.h"

#include "core/keywords.h"
#include "core/quantity.h"
#include "core/text.h"
#include "core/workspace.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

bool same_ingredient(int a, int b)
{
    if (a == b)
        return false;
    const RecipeLine& x = ws.lines[a];
    const RecipeLine& y = ws.lines[b];
    return x.category == y.category && x.designation == y.designation && x.value == y.value &&
           x.yield == y.yield && x.time == y.time && x.step == y.step && x.price == y.price;
}

// Numbers the lines by their texts other than quantity and picture: equal numbers, same ingredient.
static std::vector<int> ingredient_classes()
{
    std::vector<int> classes(ws.line_count + 1, 0);
    std::unordered_map<std::string, int> known;
    std::string key;
    for (int k = 1; k <= ws.line_count; k++) {
        const RecipeLine& l = ws.lines[k];
        key.clear();
        // Each text is preceded by its length, so no two different lines give the same key.
        for (const std::string* text :
             {&l.category, &l.designation, &l.value, &l.yield, &l.time, &l.step, &l.price}) {
            const size_t size = text->size();
            key.append(reinterpret_cast<const char*>(&size), sizeof size);
            key += *text;
        }
        classes[k] = known.emplace(key, static_cast<int>(known.size())).first->second;
    }
    return classes;
}

// The merge's working state: the scan and its restarts run on line numbers alone, and a merged line leaves
// only this list; the records move once at the end. Deleting each merged line at once moved every record
// below it, up to 32,000 record copies for a full recipe of one ingredient.
struct MergeScan {
    std::vector<int> classes; // by line number before the merge
    std::vector<Unit> units;  // by line number before the merge
    std::vector<int> at;      // at[position] = the line's number before the merge
    int count = 0;
    long examined = 0;
};

// Merges the first mergeable pair found within the bound; false when a whole scan found none, or the
// bound was reached.
static bool merge_first_pair(MergeScan& scan)
{
    for (int i = 1; i <= scan.count; i++) {
        for (int j = 1; j <= scan.count; j++) {
            if (++scan.examined > kMergePairBound)
                return false;
            const int a = scan.at[i];
            const int b = scan.at[j];
            // Same ingredient and the same known unit; a merge keeps the unit, so the kinds stay valid.
            if (i == j || scan.classes[a] != scan.classes[b] || scan.units[a] != scan.units[b] ||
                scan.units[a] == Unit::none)
                continue;
            std::string& quantity = ws.lines[a].quantity;
            // "KG" read without a blank is written " KG".
            const double sum = text_to_number(quantity) + text_to_number(ws.lines[b].quantity);
            quantity = quantity_text(sum, scan.units[a]);
            scan.at.erase(scan.at.begin() + j);
            scan.count--;
            return true;
        }
    }
    return false;
}

void merge_lines()
{
    MergeScan scan;
    scan.classes = ingredient_classes();
    scan.units.resize(ws.line_count + 1);
    scan.at.resize(ws.line_count + 1);
    for (int k = 1; k <= ws.line_count; k++) {
        scan.units[k] = unit_of(ws.lines[k].quantity);
        scan.at[k] = k;
    }
    scan.count = ws.line_count;
    while (merge_first_pair(scan)) {
    }
    // Survivors keep their order, and each moves up at most once.
    for (int k = 1; k <= scan.count; k++)
        if (scan.at[k] != k)
            ws.lines[k] = std::move(ws.lines[scan.at[k]]);
    ws.line_count = scan.count;
}

// Rounds half to even (the default rounding mode) into an int32. A value beyond the int32 range is clamped
// to its end so that it still sorts on its side, and a NaN ("NAN" is a number to strtod) counts as 0.
static int32_t key_of(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    if (rounded >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    return static_cast<int32_t>(rounded);
}

int32_t sort_key_of(const RecipeLine& line)
{
    const Category category = category_of(line.category);
    const Step step = step_of(line.step);
    // Every rule that matches overrides the ones before it.
    int32_t key = 0;
    if (category == Category::water && step == Step::mash)
        key = 10000;
    if (is_grain(category) && step == Step::mash)
        key = key_of(text_to_number(line.value) + 20000);
    if (category == Category::water && step == Step::rinse)
        key = 30000;
    if (is_boil_step(step))
        key = key_of(39000 - text_to_number(line.time));
    if (step == Step::boil && category == Category::other_addition)
        key = 60000;
    if (step == Step::fermentation)
        key = 70000;
    return key;
}

// One row of the exchange sort over `count` entries: wherever the held key is below the entry's, the two
// trade places. Written without a branch: the outcome of each comparison is hard to foresee.
static void exchange_row(int32_t& key, int& line, int32_t* keys, int* at, int count)
{
    for (int j = 0; j < count; j++) {
        const int32_t other_key = keys[j];
        const int other_line = at[j];
        const bool below = key < other_key;
        keys[j] = below ? key : other_key;
        at[j] = below ? line : other_line;
        key = below ? other_key : key;
        line = below ? other_line : line;
    }
}

void sort_lines()
{
    const int n = ws.line_count;
    // The exchanges run on the keys and line numbers only, then each record moves once: exchanging whole
    // records cost up to 32,640 exchanges of nine texts each.
    std::vector<int32_t> keys(n + 1);
    std::vector<int> at(n + 1);
    for (int i = 1; i <= n; i++) {
        keys[i] = ws.lines[i].sort_key = sort_key_of(ws.lines[i]);
        at[i] = i;
    }
    // This exact exchange order decides where lines of equal keys end; it is not stable. Line i's key and
    // number are held aside during its row, and j = i never exchanges (a key is never below itself). The
    // first row leaves the largest key in place 1; from then on each row i ends its part j < i holding that
    // largest key, which is below no other, so its part j > i exchanges nothing and is not run.
    for (int i = 1; i <= n; i++) {
        int32_t key = keys[i];
        int line = at[i];
        exchange_row(key, line, keys.data() + 1, at.data() + 1, i - 1);
        if (i == 1)
            exchange_row(key, line, keys.data() + 2, at.data() + 2, n - 1);
        keys[i] = key;
        at[i] = line;
    }
    std::vector<RecipeLine> sorted;
    sorted.reserve(n);
    for (int i = 1; i <= n; i++)
        sorted.push_back(std::move(ws.lines[at[i]]));
    for (int i = 1; i <= n; i++)
        ws.lines[i] = std::move(sorted[i - 1]);
}

void merge_and_sort()
{
    if (ws.line_count == 0)
        return;
    const int32_t count_before = ws.line_count;
    merge_lines();
    sort_lines();
    // A selection may name a slot the merge emptied.
    if (ws.line_count < count_before)
        ws.selected_line = 0;
}

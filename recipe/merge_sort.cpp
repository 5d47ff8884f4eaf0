// recipe/merge_sort.cpp — merges lines of one ingredient and unit, then puts the lines in brewing order.
#include "recipe/merge_sort.h"

#include "core/quantity.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace
{

// The lines numbered from 1, as the merge and the sort count them, over an array numbered from 0.
struct Lines {
    RecipeLine* first;
    int count;
    RecipeLine& operator[](int k) const
    {
        return first[k - 1];
    }
};

} // namespace

bool same_ingredient(const RecipeLine& x, const RecipeLine& y)
{
    return x.category == y.category && x.designation == y.designation && x.value == y.value &&
           x.yield == y.yield && x.time == y.time && x.step == y.step && x.price == y.price;
}

// Numbers the lines by their texts other than quantity and picture: equal numbers, same ingredient.
static std::vector<int> ingredient_classes(Lines lines)
{
    std::vector<int> classes(lines.count + 1, 0);
    std::unordered_map<std::string, int> known;
    std::string key;
    for (int k = 1; k <= lines.count; k++) {
        const RecipeLine& l = lines[k];
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
    Lines lines;
    std::vector<int> classes;          // by line number before the merge
    std::vector<LineFigures>& figures; // by line number before the merge, kept as quantities are rewritten
    std::vector<Unit> units;           // the figures' units, close together for the scan
    std::vector<int> at;               // at[position] = the line's number before the merge
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
            const Unit unit = scan.units[a];
            if (i == j || scan.classes[a] != scan.classes[b] || unit != scan.units[b] || unit == Unit::none)
                continue;
            // "KG" read without a blank is written " KG"; the sum is read back as the text holds it.
            std::string& quantity = scan.lines[a].quantity;
            quantity = quantity_text(scan.figures[a].amount + scan.figures[b].amount, unit);
            scan.figures[a] = with_quantity(scan.figures[a], quantity);
            scan.at.erase(scan.at.begin() + j);
            scan.count--;
            return true;
        }
    }
    return false;
}

// The figures of the lines, by line number ([0] unused); the merge and the sort share them.
static std::vector<LineFigures> figures_of_lines(Lines lines)
{
    std::vector<LineFigures> figures;
    figures.reserve(lines.count + 1);
    figures.push_back(LineFigures{});
    for (int k = 1; k <= lines.count; k++)
        figures.push_back(brewing_figures_of(lines[k]));
    return figures;
}

// The merge over the lines' figures, which follow their lines; gives the count left.
static int merge_lines(Lines lines, std::vector<LineFigures>& figures)
{
    MergeScan scan{lines,
                   ingredient_classes(lines),
                   figures,
                   std::vector<Unit>(lines.count + 1),
                   std::vector<int>(lines.count + 1),
                   0,
                   0};
    for (int k = 1; k <= lines.count; k++) {
        scan.units[k] = figures[k].unit;
        scan.at[k] = k;
    }
    scan.count = lines.count;
    while (merge_first_pair(scan)) {
    }
    // Survivors keep their order, and each moves up at most once.
    for (int k = 1; k <= scan.count; k++)
        if (scan.at[k] != k) {
            lines[k] = std::move(lines[scan.at[k]]);
            figures[k] = figures[scan.at[k]];
        }
    return scan.count;
}

int merge_lines(RecipeLine* lines, int count)
{
    const Lines numbered{lines, count};
    std::vector<LineFigures> figures = figures_of_lines(numbered);
    return merge_lines(numbered, figures);
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

int32_t sort_key_of(const LineFigures& line)
{
    const Category category = line.category;
    const Step step = line.step;
    // Every rule that matches overrides the ones before it.
    int32_t key = 0;
    if (category == Category::water && step == Step::mash)
        key = 10000;
    if (is_grain(category) && step == Step::mash)
        key = key_of(line.colour_ebc + 20000);
    if (category == Category::water && step == Step::rinse)
        key = 30000;
    if (is_boil_step(step))
        key = key_of(39000 - line.minutes);
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

// The sort, its keys read from the lines' figures.
static void sort_lines(Lines lines, const std::vector<LineFigures>& figures)
{
    const int n = lines.count;
    // The exchanges run on the keys and line numbers only, then each record moves once: exchanging whole
    // records cost up to 32,640 exchanges of nine texts each.
    std::vector<int32_t> keys(n + 1);
    std::vector<int> at(n + 1);
    for (int i = 1; i <= n; i++) {
        keys[i] = lines[i].sort_key = sort_key_of(figures[i]);
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
        sorted.push_back(std::move(lines[at[i]]));
    for (int i = 1; i <= n; i++)
        lines[i] = std::move(sorted[i - 1]);
}

void sort_lines(RecipeLine* lines, int count)
{
    const Lines numbered{lines, count};
    sort_lines(numbered, figures_of_lines(numbered));
}

int32_t sort_key_of(const RecipeLine& line)
{
    return sort_key_of(brewing_figures_of(line));
}

int merge_and_sort(RecipeLine* lines, int count)
{
    // The lines are read once: the merge keeps the figures of the lines it rewrites and moves.
    std::vector<LineFigures> figures = figures_of_lines(Lines{lines, count});
    const int left = merge_lines(Lines{lines, count}, figures);
    sort_lines(Lines{lines, left}, figures);
    return left;
}

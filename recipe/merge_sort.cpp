// recipe/merge_sort.cpp — merges lines of one ingredient and unit, then puts the lines in brewing order.
#include "recipe/merge_sort.h"

#include "core/text.h"
#include "core/workspace.h"
#include "recipe/list_edit.h"

#include <cmath>
#include <utility>

bool same_ingredient(int a, int b)
{
    if (a == b)
        return false;
    const RecipeLine& x = ws.lines[a];
    const RecipeLine& y = ws.lines[b];
    return x.category == y.category && x.designation == y.designation && x.value == y.value &&
           x.yield == y.yield && x.time == y.time && x.step == y.step && x.price == y.price;
}

static bool unit_is(const std::string& quantity, const char* unit)
{
    return quantity.size() >= 2 && quantity.compare(quantity.size() - 2, 2, unit) == 0;
}

// The unit written after a sum of the two quantities, or null when their units differ or are unknown.
// Tested in this order on the first quantity, so at most one applies.
static const char* common_unit(const std::string& first, const std::string& second)
{
    if (unit_is(first, " L") && unit_is(second, " L"))
        return " L";
    if (unit_is(first, "KG") && unit_is(second, "KG"))
        return " KG";
    if (unit_is(first, " G") && unit_is(second, " G"))
        return " G";
    return nullptr;
}

// Merges the first mergeable pair found within the bound; false when a whole scan found none, or the
// bound was reached.
static bool merge_first_pair(long& examined)
{
    for (int i = 1; i <= ws.line_count; i++) {
        for (int j = 1; j <= ws.line_count; j++) {
            if (++examined > kMergePairBound)
                return false;
            if (!same_ingredient(i, j))
                continue;
            std::string& quantity = ws.lines[i].quantity;
            const char* unit = common_unit(quantity, ws.lines[j].quantity);
            if (!unit)
                continue;
            quantity = number_to_text(text_to_number(quantity) + text_to_number(ws.lines[j].quantity)) + unit;
            delete_line(j);
            return true;
        }
    }
    return false;
}

void merge_lines()
{
    long examined = 0;
    while (merge_first_pair(examined)) {
    }
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

static bool is_grain(const std::string& category)
{
    return category == "MALT" || category == "MALTFROMENT" || category == "MALTSPECIAL" ||
           category == "GRAIN" || category == "FLOCON";
}

int32_t sort_key_of(const RecipeLine& line)
{
    // Every rule that matches overrides the ones before it.
    int32_t key = 0;
    if (line.category == "EAU" && line.step == "EMPATAGE")
        key = 10000;
    if (is_grain(line.category) && line.step == "EMPATAGE")
        key = key_of(text_to_number(line.value) + 20000);
    if (line.category == "EAU" && line.step == "RINCAGE")
        key = 30000;
    if (line.step == "EBULLITION" || line.step == "AMERISATION" || line.step == "AROMATISATION")
        key = key_of(39000 - text_to_number(line.time));
    if (line.step == "EBULLITION" && line.category == "AUTRE")
        key = 60000;
    if (line.step == "FERMENTATION")
        key = 70000;
    return key;
}

void sort_lines()
{
    const int n = ws.line_count;
    for (int i = 1; i <= n; i++)
        ws.lines[i].sort_key = sort_key_of(ws.lines[i]);
    // This exact exchange order decides where lines of equal keys end; it is not stable.
    for (int i = 1; i <= n; i++)
        for (int j = 1; j <= n; j++)
            if (ws.lines[i].sort_key < ws.lines[j].sort_key)
                std::swap(ws.lines[i], ws.lines[j]);
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

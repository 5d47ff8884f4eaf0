// recipe/merge_sort.h — merges lines of the same ingredient and puts a recipe's lines in brewing order.
#pragma once

#include "core/line_figures.h"
#include "core/records.h"

#include <cstdint>

// Merges then sorts lines[0, count); gives the count the merge left.
int merge_and_sort(RecipeLine* lines, int count);

// Sums the quantities of equal ingredients with the same unit into the earlier line (bounded scan); the
// lines left move up, keeping their order. Gives their count.
int merge_lines(RecipeLine* lines, int count);

// Computes every sort key and orders lines[0, count) by it (the exact, non-stable exchange order).
void sort_lines(RecipeLine* lines, int count);

// At most this many pairs are examined by one merge, restarts included, so it ends whatever the data.
constexpr long kMergePairBound = 10000;

// The brewing-order key of a line: mash water, mash grains lightest first, rinse water, boil additions
// longest first, other boil additions, fermentation; 0 (first of all) for any other line.
int32_t sort_key_of(const LineFigures& line);
int32_t sort_key_of(const RecipeLine& line);

// True when all the texts of the two lines but quantity and picture are equal.
bool same_ingredient(const RecipeLine& a, const RecipeLine& b);

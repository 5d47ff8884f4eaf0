// recipe/merge_sort.h — merges lines of the same ingredient and puts the recipe in brewing order.
#pragma once

#include "core/line_figures.h"
#include "core/records.h"

#include <cstdint>

// The menu command: merge_lines then sort_lines; nothing on an empty recipe. Clears selected_line when
// the merge shortened the list.
void merge_and_sort();

// Sums the quantities of equal ingredients with the same unit into the earlier line (bounded scan).
void merge_lines();

// Computes every sort key and orders the lines by it (the exact, non-stable exchange order).
void sort_lines();

// At most this many pairs are examined by one merge, restarts included, so it ends whatever the data.
constexpr long kMergePairBound = 10000;

// The brewing-order key of a line: mash water, mash grains lightest first, rinse water, boil additions
// longest first, other boil additions, fermentation; 0 (first of all) for any other line.
int32_t sort_key_of(const LineFigures& line);
int32_t sort_key_of(const RecipeLine& line);

// True when lines a and b differ and all their texts but quantity and picture are equal.
bool same_ingredient(int a, int b);

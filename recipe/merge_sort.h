// recipe/merge_sort.h — merges lines of the same ingredient and puts the recipe in brewing order.
#pragma once

// The menu command: merge_lines then sort_lines; nothing on an empty recipe. Clears selected_line when
// the merge shortened the list.
void merge_and_sort();

// Sums the quantities of equal ingredients with the same unit into the earlier line (bounded scan).
void merge_lines();

// Computes every sort key and orders the lines by it (the exact, non-stable exchange order).
void sort_lines();

// True when lines a and b differ and all their texts but quantity and picture are equal.
bool same_ingredient(int a, int b);

#!/usr/bin/env bash
# Instructions per call of the library's hot operations, counted by callgrind: unlike times, the counts do not
# depend on what else the machine is doing. Writes markdown rows "| operation | case | instructions per call |".
# Usage: instructions.sh LIBRARY_BENCH
set -euo pipefail
bench=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One operation: the benchmark that runs it, the function that callgrind counts (a final "*" stands for the
# parameters), the row's two labels, and how the function's own line begins in callgrind_annotate's output.
count() {
    local filter=$1 function=$2 operation=$3 case=$4 line=$5 out="$work/callgrind.out"
    valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="$function" \
        "$bench" --benchmark_filter="$filter" --benchmark_min_time=0.01 >/dev/null 2>&1
    # Everything counted lies inside the function, so the total divided by its calls is the cost of one.
    local total calls
    total=$(awk '/^(summary|totals):/ {print $2; exit}' "$out")
    calls=$(callgrind_annotate --inclusive=yes --tree=calling "$out" 2>/dev/null | grep -F "???:$line" |
        grep -oE '\(([0-9,]+)x\)' | tr -d '(),x' | sort -n | tail -1 || true)
    awk -v t="$total" -v c="${calls:-0}" -v o="$operation" -v k="$case" 'BEGIN {
        if (c == 0) { printf "| %s | %s | (not counted) |\n", o, k; exit }
        n = sprintf("%d", t / c); s = ""
        while (length(n) > 3) { s = "," substr(n, length(n) - 2) s; n = substr(n, 1, length(n) - 3) }
        printf "| %s | %s | %s |\n", o, k, n s }'
}

echo "| operation | case | instructions per call |"
echo "|---|---|---|"
count 'BM_EvaluateRecipe256$' 'evaluate_recipe()' evaluate_recipe "256 lines" 'evaluate_recipe() ('
count 'BM_MergeAndSort256/0' 'merge_and_sort()' merge_and_sort "256 lines, no merge, descending keys" \
    'merge_and_sort() ('
count 'BM_MergeAndSort256/1' 'merge_and_sort()' merge_and_sort "256 lines, 255 merges" 'merge_and_sort() ('
count 'BM_MergeAndSort256/2' 'merge_and_sort()' merge_and_sort "256 lines, no common unit" 'merge_and_sort() ('
count 'BM_LoadRecipe256' 'load_recipe*' load_recipe "256 lines" 'load_recipe(std::'
count 'BM_LoadIngredients1024' 'load_ingredients()' load_ingredients "1,024 lines" 'load_ingredients() ('

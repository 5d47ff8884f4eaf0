#!/usr/bin/env bash
# Reads each hostile BeerXML file (bench/beerxml_files.h) with cuvelo-calc, as the window would (the file read,
# its first recipe imported and evaluated), and prints a markdown table of the time and the peak resident
# memory that /usr/bin/time -v reports. Usage: bench/beerxml_memory.sh BENCH_BUILD CUVELO_CALC [MEGABYTES...]
set -euo pipefail
bench=$1
calc=$2
shift 2
sizes=(1 4 16)
[ $# -gt 0 ] && sizes=("$@")
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$bench/beerxml_files" "$folder" "${sizes[@]}"
# The memory of the program reading a recipe file of its own, for the baseline.
printf 'TITRE\tVide\n' >"$folder/empty.cvl"
measure() { # prints "seconds(wall) seconds(user+system) kilobytes"
    /usr/bin/time -v "$calc" "$1" >/dev/null 2>"$folder/time.txt" || true
    awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); wall = t[n] + (n > 1 ? 60 * t[n-1] : 0) }
        /User time/ { cpu += $2 } /System time/ { cpu += $2 } /Maximum resident/ { kb = $2 }
        END { printf "%.2f %.2f %d\n", wall, cpu, kb }' "$folder/time.txt"
}
read -r _ _ base_kb <<<"$(measure "$folder/empty.cvl")"
echo "| file | size | wall time | CPU time | peak resident | above a 1-line recipe | × file size |"
echo "|---|---|---|---|---|---|---|"
for size in "${sizes[@]}"; do for file in "$folder"/*-"$size"MB.xml; do
    bytes=$(stat -c %s "$file")
    read -r wall cpu kb <<<"$(measure "$file")"
    name=$(basename "$file" .xml)
    awk -v n="${name%-*}" -v b="$bytes" -v w="$wall" -v c="$cpu" -v k="$kb" -v base="$base_kb" 'BEGIN {
        printf "| %s | %.1f MB | %.2f s | %.2f s | %.0f MB | %.0f MB | %.1f |\n",
            n, b / 1048576, w, c, k / 1024, (k - base) / 1024, (k - base) * 1024 / b }'
done; done

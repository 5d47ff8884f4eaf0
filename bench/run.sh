#!/usr/bin/env bash
# Builds the benchmarks in Release and writes the table (markdown) of start-up, memory, refresh and hot-path
# figures. Usage: bench/run.sh [RUNS]  (launches per program for the start-up medians, 11 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-11}

# The packages come from scripts/setup; it runs only when one of the tools is missing.
for tool in Xvfb xvfb-run cmake; do
    command -v "$tool" >/dev/null || { bash scripts/setup >/dev/null; break; }
done
pkg-config --exists benchmark x11 gtk+-2.0 || bash scripts/setup >/dev/null

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCUVELO_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
nice cmake --build build-bench -j2 >/dev/null
cmake --install build-bench --prefix "$PWD/build-bench/app" --component app >/dev/null
rm -rf build-bench/max && python3 bench/make_max_db.py build-bench/app build-bench/max

bench=build-bench/bench
# The medians of Google Benchmark's console lines, as "| name | wall time | CPU time | case |" rows.
rows() {
    grep -E "^BM_.*_median" | awk '{
        sub(/_median$/, "", $1)
        label = ""; for (i = 7; i <= NF; i++) label = label (label ? " " : "") $i
        printf "| %s | %s %s | %s %s | %s |\n", $1, $2, $3, $4, $5, label }'
}

echo "Machine: $(nproc) cores, shared with other work ($(uptime | sed 's/.*load average/load average/'))."
echo "Figures are medians."
echo
echo "### Start-up and memory ($runs launches of each, interleaved, one Xvfb)"
echo
# Raised priority (as root): the other work of a shared machine then weighs less on the launches.
nice -n -10 bash bench/startup.sh build-bench/app build-bench/max $bench/floor $bench/launch_timer "$runs"
echo
echo "### Refresh after a menu command, 256 lines (real main window under Xvfb)"
echo
echo "| benchmark (median of 5 repetitions) | wall time | CPU time | |"
echo "|---|---|---|---|"
xvfb-run -a $bench/refresh_bench build-bench/app --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    2>/dev/null | rows
echo
echo "### Library hot paths (Google Benchmark)"
echo
echo "| benchmark (median of 5 repetitions) | wall time | CPU time | case |"
echo "|---|---|---|---|"
$bench/library_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | rows
$bench/backwards_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null | rows
echo
echo "### BeerXML files up to the 16 MB cap (cuvelo-calc: time and peak memory)"
echo
bash bench/beerxml_memory.sh $bench build-bench/app/cuvelo-calc 1 16
echo
echo "### Library hot paths, instructions per call (callgrind; independent of the machine's load)"
echo
if command -v valgrind >/dev/null; then
    bash bench/instructions.sh $bench/library_bench
else
    echo "(valgrind is not installed: apt-get install valgrind)"
fi

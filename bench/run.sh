#!/usr/bin/env bash
# Builds the benchmarks in Release and writes the table of start-up, memory and hot-path figures.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup >/dev/null
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCUVELO_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
cmake --install build-bench --prefix "$PWD/build-bench/app" >/dev/null
rm -rf build-bench/max && python3 bench/make_max_db.py build-bench/app build-bench/max

echo "## Start-up"
bash bench/startup.sh build-bench/app build-bench/max build-bench/bench/floor 11
echo
echo "## Hot paths (Google Benchmark)"
build-bench/bench/library_bench --benchmark_format=console 2>/dev/null | grep -E "^BM_|^-|Benchmark"
if [ -x build-bench/bench/refresh_bench ]; then
    xvfb-run -a build-bench/bench/refresh_bench 2>/dev/null | grep -E "^BM_"
fi

#!/usr/bin/env bash
# Start-up time and resident memory: launch → mapped window titled "CUVELO V0.9", median of RUNS runs,
# for Cuvelo with the bundled database, Cuvelo with a maximal database, and the empty-window floor.
# Usage: startup.sh APP_FOLDER MAX_FOLDER FLOOR_PROGRAM [RUNS]
set -euo pipefail
app=$1 max=$2 floor=$3 runs=${4:-11}

display=:$((90 + RANDOM % 9))
Xvfb "$display" -noreset -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=$display
until xdpyinfo >/dev/null 2>&1; do sleep 0.05; done

# Prints "milliseconds kilobytes" for one run of a program started in a folder.
one_run() {
    local folder=$1 program=$2
    local start end pid rss
    start=$(date +%s%N)
    (cd "$folder" && exec "$program") &
    pid=$!
    until xdotool search --onlyvisible --name "CUVELO V0.9" >/dev/null 2>&1; do :; done
    end=$(date +%s%N)
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    while xdotool search --onlyvisible --name "CUVELO V0.9" >/dev/null 2>&1; do :; done
    echo "$(( (end - start) / 1000000 )) $rss"
}

# Prints "median_ms median_rss_kb" over the runs.
measure() {
    local folder=$1 program=$2 i results middle
    results=$(for ((i = 0; i < runs; i++)); do one_run "$folder" "$program"; done)
    middle=$(( (runs + 1) / 2 ))
    echo "$(cut -d' ' -f1 <<<"$results" | sort -n | sed -n "${middle}p") $(cut -d' ' -f2 <<<"$results" | sort -n | sed -n "${middle}p")"
}

one_run "$app" "$app/cuvelo" >/dev/null   # warm the file cache once for all three
read -r floor_ms floor_kb < <(measure "$app" "$(realpath "$floor")")
read -r bundled_ms bundled_kb < <(measure "$app" "$app/cuvelo")
read -r max_ms max_kb < <(measure "$max" "$(realpath "$app/cuvelo")")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
echo "| program | start-up (median of $runs) | ratio to floor | resident memory | above floor |"
echo "|---|---|---|---|---|"
echo "| floor: empty 720 × 630 window | $floor_ms ms | 1.00 | $(mb "$floor_kb") MB | 0.0 MB |"
echo "| cuvelo, bundled database | $bundled_ms ms | $(ratio "$bundled_ms" "$floor_ms") | $(mb "$bundled_kb") MB | $(mb $((bundled_kb - floor_kb))) MB |"
echo "| cuvelo, maximal database | $max_ms ms | $(ratio "$max_ms" "$floor_ms") | $(mb "$max_kb") MB | $(mb $((max_kb - floor_kb))) MB |"

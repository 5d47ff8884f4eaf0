#!/usr/bin/env bash
# Start-up time and resident memory: launch → viewable window titled "CUVELO V0.9", median of RUNS runs, for
# the empty-window floor, Cuvelo with the bundled database and Cuvelo with a maximal database. The three are
# launched in turn within each round, so a change of load on the machine weighs on all three alike. Also the
# launch → ready time (every menu built, which Cuvelo does in the idle moments after its window is drawn), the
# resident memory once mapped, and again half a second after it was ready.
# Usage: startup.sh APP_FOLDER MAX_FOLDER FLOOR_PROGRAM LAUNCH_TIMER [RUNS]
set -euo pipefail
app=$(realpath "$1") max=$(realpath "$2") floor=$(realpath "$3") timer=$(realpath "$4") runs=${5:-11}

# One virtual X server for every run; -noreset keeps it alive between the programs, -displayfd picks a
# free display number so that other X servers on the machine do not matter.
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
read -r number <"$fifo"
export DISPLAY=:$number

# Prints "milliseconds kilobytes kilobytes-settled ready-milliseconds" for one launch of a program in a folder,
# after a pause that lets the X server finish with the program before.
one_run() {
    sleep 0.2
    "$timer" "CUVELO V0.9" "$@"
}

# The median of a column of numbers, and the smallest: on a shared machine the other work only ever adds time,
# so the fastest launch is the one closest to the program's own cost.
median() {
    sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
smallest() {
    sort -g | head -n 1
}

# Warm the file cache and the server once for each program.
one_run "$app" "$floor" >/dev/null
one_run "$app" "$app/cuvelo" --ready >/dev/null
one_run "$max" "$app/cuvelo" --ready >/dev/null

floor_runs="" bundled_runs="" max_runs=""
for ((i = 0; i < runs; i++)); do
    floor_runs+="$(one_run "$app" "$floor")"$'\n'
    bundled_runs+="$(one_run "$app" "$app/cuvelo" --ready)"$'\n'
    max_runs+="$(one_run "$max" "$app/cuvelo" --ready)"$'\n'
done

column() { awk -v c="$2" 'NF {print $c}' <<<"$1" | median; }
fastest() { awk -v c="$2" 'NF {print $c}' <<<"$1" | smallest; }
floor_ms=$(column "$floor_runs" 1) bundled_ms=$(column "$bundled_runs" 1) max_ms=$(column "$max_runs" 1)
floor_min=$(fastest "$floor_runs" 1) bundled_min=$(fastest "$bundled_runs" 1) max_min=$(fastest "$max_runs" 1)
floor_kb=$(column "$floor_runs" 2) bundled_kb=$(column "$bundled_runs" 2) max_kb=$(column "$max_runs" 2)
floor_later=$(column "$floor_runs" 3) bundled_later=$(column "$bundled_runs" 3) max_later=$(column "$max_runs" 3)
bundled_ready=$(column "$bundled_runs" 4) max_ready=$(column "$max_runs" 4)
bundled_ready_min=$(fastest "$bundled_runs" 4) max_ready_min=$(fastest "$max_runs" 4)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
above() { awk -v k="$1" -v f="$2" 'BEGIN {printf "%+.1f", (k - f) / 1024}'; }
echo "| program | launch → mapped window: median (fastest) | ratio: median (fastest) |" \
     "launch → ready, every menu built: median (fastest) | resident once mapped (above floor) |" \
     "resident settled, after ready (above floor) |"
echo "|---|---|---|---|---|---|"
echo "| (c) floor: empty 720 × 630 GTK+ 2 window | $floor_ms ms ($floor_min ms) | 1.00 × floor | — |" \
     "$(mb "$floor_kb") MB | $(mb "$floor_later") MB |"
echo "| (a) cuvelo, bundled database | $bundled_ms ms ($bundled_min ms) |" \
     "$(ratio "$bundled_ms" "$floor_ms") × floor ($(ratio "$bundled_min" "$floor_min")) |" \
     "$bundled_ready ms ($bundled_ready_min ms) | $(mb "$bundled_kb") MB ($(above "$bundled_kb" "$floor_kb")) |" \
     "$(mb "$bundled_later") MB ($(above "$bundled_later" "$floor_later")) |"
echo "| (b) cuvelo, maximal database | $max_ms ms ($max_min ms) |" \
     "$(ratio "$max_ms" "$bundled_ms") × (a) ($(ratio "$max_min" "$bundled_min")) |" \
     "$max_ready ms ($max_ready_min ms) | $(mb "$max_kb") MB ($(above "$max_kb" "$floor_kb")) |" \
     "$(mb "$max_later") MB ($(above "$max_later" "$floor_later")) |"

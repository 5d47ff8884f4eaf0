#!/usr/bin/env bash
# Starts the built program from its application folder, waits for its window, closes it through the window
# manager protocol and checks that the program ended with status 0.
# Usage (under an X server): end_to_end.sh PATH/TO/cuvelo PATH/TO/close_window
set -euo pipefail
program=$1 close_window=$2

cd "$(dirname "$program")"
./cuvelo &
pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name "CUVELO V0.9" | head -n 1)
title=$(xdotool getwindowname "$window")
if [ "$title" != "CUVELO V0.9 : Créateur de recette de bière" ]; then
    echo "unexpected window title: $title"
    kill "$pid"
    exit 1
fi

"$close_window" "$window"
status=0
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
    echo "cuvelo ended with status $status after WM_DELETE_WINDOW"
    exit 1
fi
echo "cuvelo opened \"$title\" and ended with status 0 when its window was closed"

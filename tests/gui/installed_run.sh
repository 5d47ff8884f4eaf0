#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts both programs from an unrelated folder, as a new user
# would: the desktop program copies the shared bases into the brewer's folder and opens its window without a
# word, cuvelo-calc then computes with that configuration, a damaged configuration is named by both, a recipe
# given to the desktop program is open in its window; a program with no database anywhere says where it
# looked.
# Usage (under an X server): installed_run.sh BUILD_DIR CLOSE_WINDOW RECIPE.cvl RECIPE_TITLE
set -euo pipefail
build=$1 close_window=$2 recipe=$3 recipe_title=$4

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    exit 1
}

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
export HOME=$scratch/home XDG_DATA_HOME=$scratch/home/.local/share
mkdir -p "$HOME" "$scratch/elsewhere"
cd "$scratch/elsewhere"
shared=$prefix/share/cuvelo brewer=$XDG_DATA_HOME/cuvelo

# Waits for the main window of a program started in the background, then closes it; its stderr goes to $2.
run_window() {
    "$1" 2>"$2" &
    pids+=($!)
    local window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "CUVELO V0.9" | head -n 1)
    [ -n "$window" ] || fail "$1 showed no window"
    "$close_window" "$window"
}

run_window "$prefix/bin/cuvelo" gui.err
wait "${pids[-1]}" || fail "cuvelo ended with status $?"
! grep -q "Aucune base" gui.err || fail "cuvelo did not find its database: $(cat gui.err)"
for base in configuration.txt ingredients.txt styles.txt; do
    cmp -s "$brewer/bases/$base" "$shared/bases/$base" || fail "bases/$base was not copied into $brewer"
done

expected=$("$prefix/bin/cuvelo-calc" --bases "$shared/bases" --tsv "$recipe")
found=$("$prefix/bin/cuvelo-calc" --tsv "$recipe" 2>calc.err) || fail "cuvelo-calc failed: $(cat calc.err)"
[ "$found" = "$expected" ] && [ ! -s calc.err ] || fail "cuvelo-calc did not use the brewer's configuration"

# A damaged configuration (emptied, as a copy cut short would be) is named in a French warning, by
# cuvelo-calc and in the window, and the shared configuration's values stand in for it.
: >"$brewer/bases/configuration.txt"
found=$("$prefix/bin/cuvelo-calc" --tsv "$recipe" 2>calc.err) || fail "cuvelo-calc failed: $(cat calc.err)"
[ "$found" = "$expected" ] || fail "cuvelo-calc did not take the shared configuration's values"
grep -q "configuration « $brewer/bases/configuration.txt » ne contient aucun réglage reconnu" calc.err ||
    fail "cuvelo-calc did not name the damaged configuration: $(cat calc.err)"
"$prefix/bin/cuvelo" 2>gui.err &
pids+=($!)
timeout 60 xdotool search --sync --onlyvisible --name "^CUVELO$" >/dev/null || fail "cuvelo showed no warning"
grep -q "configuration « $brewer/bases/configuration.txt » ne contient aucun réglage reconnu" gui.err ||
    fail "cuvelo did not name the damaged configuration: $(cat gui.err)"
kill "${pids[-1]}"
cp "$shared/bases/configuration.txt" "$brewer/bases/configuration.txt"

# A recipe given on the command line (as the menu entry and the file manager give it) is open at start-up.
"$prefix/bin/cuvelo" "$recipe" 2>gui.err &
pids+=($!)
window=$(timeout 60 xdotool search --sync --onlyvisible --name "CUVELO V0.9" | head -n 1)
for _ in $(seq 50); do [[ "$(xdotool getwindowname "$window")" == *"$recipe_title" ]] && break; sleep 0.1; done
[[ "$(xdotool getwindowname "$window")" == *"$recipe_title" ]] ||
    fail "cuvelo did not open $recipe: $(xdotool getwindowname "$window")"
"$close_window" "$window"

# The programs alone, without any data: both say where they looked.
rm -rf "$brewer"
mkdir -p "$scratch/bare/bin"
cp "$prefix/bin/cuvelo" "$prefix/bin/cuvelo-calc" "$scratch/bare/bin/"
"$scratch/bare/bin/cuvelo-calc" --tsv "$recipe" >/dev/null 2>calc.err || true
grep -q "Aucune base" calc.err && grep -qF "$brewer/bases" calc.err && grep -qF "$scratch/bare/share/cuvelo/bases" calc.err ||
    fail "cuvelo-calc did not say where it looked: $(cat calc.err)"
"$scratch/bare/bin/cuvelo" 2>gui.err &
pids+=($!)
timeout 60 xdotool search --sync --onlyvisible --name "CUVELO V0.9" >/dev/null
for _ in $(seq 100); do grep -q "Aucune base" gui.err && break; sleep 0.1; done
grep -qF "$scratch/elsewhere/bases" gui.err || fail "cuvelo did not say where it looked: $(cat gui.err)"
echo "installed programs started from an unrelated folder found their data, or said where they looked"

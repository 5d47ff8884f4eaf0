#!/bin/sh
# bench/gather_accuracy_samples.sh — rebuilds the folder of real BeerXML files that bench/accuracy_report.py
# measures, from bare git mirrors of the repositories listed in tests/data/accuracy/sources.tsv.
#
# Usage: bench/gather_accuracy_samples.sh MIRRORS_DIR OUT_DIR
#   MIRRORS_DIR holds one bare mirror per repository, named owner+name (owner+name/repo or
#   owner+name/repo/.git is the git directory); OUT_DIR receives one folder per writing program.
# The files are other programs' output: they stay outside the repository.
set -eu
mirrors=${1:?MIRRORS_DIR}
out=${2:?OUT_DIR}
list=$(dirname "$0")/../tests/data/accuracy/sources.tsv
grep -v '^#' "$list" | while IFS='	' read -r program repo commit path licence; do
    git_dir="$mirrors/$(echo "$repo" | tr / +)/repo"
    [ -d "$git_dir/.git" ] && git_dir="$git_dir/.git"
    folder="$out/$(echo "$program" | tr -c 'A-Za-z0-9\n' '_')"
    name="$(echo "$repo" | tr / _)__$(echo "$path" | tr '/ ' '__')"
    mkdir -p "$folder"
    if ! git --git-dir="$git_dir" show "$commit:$path" >"$folder/$name" 2>/dev/null; then
        rm -f "$folder/$name"
        echo "absent : $repo $commit $path" >&2
    fi
done
echo "fichiers écrits dans $out"

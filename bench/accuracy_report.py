#!/usr/bin/env python3
# bench/accuracy_report.py — how close Cuvelo's estimates come to those that other brewing programs state in
# the BeerXML files they write: for each figure, the median of Cuvelo ÷ writer and the share of recipes
# within ±10 %.
#
# Usage: bench/accuracy_report.py CUVELO_CALC BASES_DIR FILE_OR_FOLDER...
#   e.g. bench/accuracy_report.py build/stage/cuvelo-calc data/bases ~/beerxml-samples
# The samples are real files of other programs; where their licence is unknown they stay outside the
# repository (see the README of bench/).
import os
import re
import statistics
import subprocess
import sys

# The lines cuvelo-calc prints for a BeerXML recipe: "<figure> : <stated> ; Cuvelo : <estimate>".
FIGURES = [
    ("Densité initiale", "densité initiale (points)", True),
    ("Densité finale", "densité finale (points)", True),
    ("Couleur", "couleur (EBC)", False),
    ("Amertume", "amertume (IBU)", False),
    ("Alcool", "alcool (%)", False),
]
NUMBER = r"(-?[0-9]+(?:[.,][0-9]+)?)"


def number(text):
    return float(text.replace(",", "."))


def recipe_count(calc, bases, path):
    run = subprocess.run([calc, "--bases", bases, "--list", path], capture_output=True, text=True)
    return max(1, len([l for l in run.stdout.splitlines() if re.match(r"\s*[0-9]+", l)]))


def stated_and_estimated(calc, bases, path, n):
    run = subprocess.run([calc, "--bases", bases, "--recipe", str(n), path], capture_output=True, text=True)
    text = run.stdout + run.stderr
    found = {}
    for label, _, points in FIGURES:
        m = re.search(re.escape(label) + r" : " + NUMBER + r"[^;\n]* ; Cuvelo : " + NUMBER, text)
        if not m:
            continue
        stated, estimated = number(m.group(1)), number(m.group(2))
        if points:  # densities compare by their points above water
            stated = (stated * 1000 if stated < 2 else stated) - 1000
            estimated = estimated - 1000
        if stated > 0 and estimated >= 0:
            found[label] = estimated / stated
    return found


def files_of(arguments):
    for argument in arguments:
        if os.path.isdir(argument):
            for root, _, names in os.walk(argument):
                for name in sorted(names):
                    if name.lower().endswith(".xml"):
                        yield os.path.join(root, name)
        else:
            yield argument


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__ or "usage: accuracy_report.py CUVELO_CALC BASES_DIR FILE_OR_FOLDER...")
    calc, bases = sys.argv[1], sys.argv[2]
    ratios = {label: [] for label, _, _ in FIGURES}
    recipes = 0
    for path in files_of(sys.argv[3:]):
        for n in range(1, recipe_count(calc, bases, path) + 1):
            found = stated_and_estimated(calc, bases, path, n)
            if found:
                recipes += 1
            for label, ratio in found.items():
                ratios[label].append(ratio)
    print(f"{recipes} recettes")
    print(f"{'estimation':28} {'n':>4} {'médiane':>8} {'±10 %':>7}")
    for label, name, _ in FIGURES:
        values = ratios[label]
        if not values:
            print(f"{name:28} {0:>4} {'—':>8} {'—':>7}")
            continue
        within = sum(1 for r in values if abs(r - 1) <= 0.10) / len(values)
        print(f"{name:28} {len(values):>4} {statistics.median(values):>8.3f} {100 * within:>6.0f}%")


if __name__ == "__main__":
    main()

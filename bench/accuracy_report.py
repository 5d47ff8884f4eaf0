#!/usr/bin/env python3
# bench/accuracy_report.py — how close Cuvelo's estimates come to those that other brewing programs state in
# the BeerXML files they write: for each figure, the median of Cuvelo ÷ writer and the share of recipes
# within ±10 %, per writing program and over all recipes.
#
# Usage: bench/accuracy_report.py [--detail] CUVELO_CALC BASES_DIR FILE_OR_FOLDER...
#   e.g. bench/accuracy_report.py build/stage/cuvelo-calc data/bases /work/samples
# A file's program is the name of the folder that holds it (bench/gather_accuracy_samples.sh puts each
# writer's files in a folder of its name). --detail also prints one line per recipe and figure.
# The samples are real files of other programs; they stay outside the repository (see
# tests/data/accuracy/README.md for where each came from).
import os
import re
import statistics
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

# The lines cuvelo-calc prints for a BeerXML recipe: "<figure> : <stated> ; Cuvelo : <estimate>".
FIGURES = [
    ("Densité initiale", "densité initiale (points)", True),
    ("Densité finale", "densité finale (points)", True),
    ("Couleur", "couleur (EBC)", False),
    ("Amertume", "amertume (IBU)", False),
    ("Alcool", "alcool (%)", False),
]
NUMBER = r"(-?[0-9]+(?:[.,][0-9]+)?)"
TARGET_MEDIAN = 0.05  # the median of Cuvelo ÷ writer within 5 %
TARGET_SHARE = 0.80  # at least 80 % of recipes within ±10 %


def number(text):
    return float(text.replace(",", "."))


def recipe_names(calc, bases, path):
    run = subprocess.run([calc, "--bases", bases, "--list", path], capture_output=True, text=True)
    names = []
    for line in run.stdout.splitlines():
        m = re.match(r"\s*([0-9]+)\s*[.:)\t ]\s*(.*)", line)
        if m:
            names.append(m.group(2).strip())
    return names or [os.path.basename(path)]


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
            found[label] = (stated, estimated)
    return found


def files_of(arguments):
    for argument in arguments:
        if os.path.isdir(argument):
            for root, folders, names in os.walk(argument):
                folders.sort()
                for name in sorted(names):
                    if name.lower().endswith(".xml"):
                        yield os.path.join(root, name)
        else:
            yield argument


def summary_rows(ratios):
    rows = []
    for label, name, _ in FIGURES:
        values = ratios.get(label, [])
        if not values:
            rows.append((name, 0, None, None))
            continue
        within = sum(1 for r in values if abs(r - 1) <= 0.10) / len(values)
        rows.append((name, len(values), statistics.median(values), within))
    return rows


def print_table(title, recipes, ratios, verdict):
    print(f"\n{title} : {recipes} recette(s)")
    print(f"  {'estimation':28} {'n':>4} {'médiane':>8} {'±10 %':>7}")
    for name, n, median, within in summary_rows(ratios):
        if n == 0:
            print(f"  {name:28} {0:>4} {'—':>8} {'—':>7}")
            continue
        mark = ""
        if verdict:
            met = abs(median - 1) <= TARGET_MEDIAN and within >= TARGET_SHARE
            mark = "  atteint" if met else "  manqué"
        print(f"  {name:28} {n:>4} {median:>8.3f} {100 * within:>6.0f}%{mark}")


def main():
    arguments = sys.argv[1:]
    detail = "--detail" in arguments
    arguments = [a for a in arguments if a != "--detail"]
    if len(arguments) < 3:
        sys.exit("usage: accuracy_report.py [--detail] CUVELO_CALC BASES_DIR FILE_OR_FOLDER...")
    calc, bases = arguments[0], arguments[1]

    jobs = []  # (program, path, n, name)
    for path in files_of(arguments[2:]):
        program = os.path.basename(os.path.dirname(os.path.abspath(path)))
        for n, name in enumerate(recipe_names(calc, bases, path), start=1):
            jobs.append((program, path, n, name))
    with ThreadPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(lambda j: stated_and_estimated(calc, bases, j[1], j[2]), jobs))

    by_program = {}
    everything = {label: [] for label, _, _ in FIGURES}
    counted = {}
    for (program, path, n, name), found in zip(jobs, results):
        if not found:
            continue
        counted[program] = counted.get(program, 0) + 1
        ratios = by_program.setdefault(program, {label: [] for label, _, _ in FIGURES})
        for label, (stated, estimated) in found.items():
            ratios[label].append(estimated / stated)
            everything[label].append(estimated / stated)
            if detail:
                flag = "" if abs(estimated / stated - 1) <= 0.10 else "  *"
                print(f"{program}\t{os.path.basename(path)}#{n}\t{name[:40]}\t{label}\t{stated:g}\t"
                      f"{estimated:g}\t{estimated / stated:.3f}{flag}")

    print(f"Configuration : {bases}")
    for program in sorted(by_program):
        print_table(program, counted[program], by_program[program], False)
    print_table("Toutes les recettes", sum(counted.values()), everything, True)
    print(f"\nCibles : médiane de Cuvelo ÷ programme à ±{100 * TARGET_MEDIAN:.0f} % et au moins "
          f"{100 * TARGET_SHARE:.0f} % des recettes à ±10 %, pour chaque estimation.")


if __name__ == "__main__":
    main()

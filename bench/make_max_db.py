#!/usr/bin/env python3
"""Writes a maximal database into a folder: 1,024 ingredients, 255 styles and 300 distinct picture files.

Usage: make_max_db.py APP_FOLDER OUT_FOLDER
The pictures are copies, under new names, of the application folder's own pictures, so each is a distinct file
that the program must decode.
"""
import os
import shutil
import sys

app, out = sys.argv[1], sys.argv[2]
os.makedirs(os.path.join(out, "bases"), exist_ok=True)
os.makedirs(os.path.join(out, "images"), exist_ok=True)

sources = sorted(f for f in os.listdir(os.path.join(app, "images")) if f.endswith(".png"))
for name in sources:  # the program's own pictures keep their names
    shutil.copy(os.path.join(app, "images", name), os.path.join(out, "images", name))
pictures = []
for i in range(300):
    name = "max%03d" % i
    shutil.copy(os.path.join(app, "images", sources[i % len(sources)]), os.path.join(out, "images", name + ".png"))
    pictures.append(name)

shutil.copy(os.path.join(app, "bases", "configuration.txt"), os.path.join(out, "bases", "configuration.txt"))

# 99 identified entries in each of the five groups (a 100th would be left out), then 529 entries of a
# category outside the groups: they are stored too (identifier 0) and listed in the menu of the group before
# them, so all 1,024 entries are stored and shown.
groups = [("EAU", "EMPATAGE", "20 L"), ("MALT", "EMPATAGE", "5 KG"), ("HOUBLONPELLET", "EBULLITION", "40 G"),
          ("SUCRE", "EBULLITION", "500 G"), ("LEVURE", "FERMENTATION", "11 G")]
lines = []
for g, (category, step, quantity) in enumerate(groups):
    for i in range(99):
        n = len(lines)
        lines.append("\t".join([category, pictures[n % 300], "Groupe %d-%d" % (g, i // 12),
                                "Ingrédient %d" % n, quantity, str(3 + i % 40), "80", "60", step, "2.40 KG"]))
while len(lines) < 1024:
    n = len(lines)
    lines.append("\t".join(["DIVERS", pictures[n % 300], "Divers %d" % (n // 20), "Autre %d" % n, "1 KG",
                            "1", "1", "1", "EBULLITION", "1 KG"]))
with open(os.path.join(out, "bases", "ingredients.txt"), "w", encoding="utf-8") as f:
    f.write("\n".join(lines) + "\n")

with open(os.path.join(out, "bases", "styles.txt"), "w", encoding="utf-8") as f:
    for i in range(255):
        f.write("\t".join(["Famille %d" % (i // 10), "Style %d" % i, "1040", "1060", "1008", "1014",
                           str(4 + i % 60), str(10 + i % 80), "15", "45", pictures[(i * 7) % 300],
                           "Description du style %d" % i]) + "\n")

#!/usr/bin/env python3
"""Spelling check of the shipped German material against hunspell's de_DE.

Checks the words of the course's levels 2 and 3, of every exercise (all
levels) and of every free text, as the program ships them (data/, Windows-1252),
and prints for each file the share of words the dictionary knows. Words it
does not know must be deliberate (names, places, foreign words, drills):
they are listed in tools/course/known_words.txt. With --strict the script
fails when a file has an unknown word that is not listed there, so a new
misspelling cannot slip in.

    python3 tools/spellcheck_data.py            # the table
    python3 tools/spellcheck_data.py --strict   # the table, and fail on news
Needs the Debian packages hunspell and hunspell-de-de (tools/setup.sh).
"""

import os
import re
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DATA = os.path.join(ROOT, "data")
ALLOWED = os.path.join(ROOT, "tools", "course", "known_words.txt")
WORD = re.compile(r"[A-Za-zÄÖÜäöüßéèêáàâíìîóòôúùû]+(?:-[A-Za-zÄÖÜäöüß]+)*")


def entries(path, levels):
    """The values of the given levels of a .lez file."""
    out, level = [], 0
    with open(path, encoding="cp1252", newline="") as f:
        for line in f.read().split("\r\n"):
            m = re.match(r"^\[Livello(\d)\]$", line)
            if m:
                level = int(m.group(1))
            elif "=" in line and not line.startswith(";") and level in levels:
                out.append(line.split("=", 1)[1].replace("\u00a6\u00a6", " "))
    return out


def words_of(texts):
    words = []
    for t in texts:
        for w in WORD.findall(t):
            words.extend(p for p in w.split("-") if len(p) > 1)
    return words


def unknown(words):
    if not words:
        return set()
    run = subprocess.run(["hunspell", "-d", "de_DE", "-l", "-i", "utf-8"],
                         input="\n".join(words), capture_output=True, text=True, check=True)
    return set(run.stdout.split())


def main():
    strict = "--strict" in sys.argv[1:]
    allowed = set()
    if os.path.exists(ALLOWED):
        with open(ALLOWED, encoding="utf-8") as f:
            allowed = {l.strip() for l in f if l.strip() and not l.startswith("#")}
    files = []
    course = os.path.join(DATA, "CorsoDattilo")
    for name in sorted(os.listdir(course)):
        if name.endswith(".lez"):
            files.append((f"CorsoDattilo/{name}", entries(os.path.join(course, name), {2, 3})))
    ex = os.path.join(DATA, "Esercizi")
    for name in sorted(os.listdir(ex)):
        path = os.path.join(ex, name)
        if name.endswith(".lez"):
            files.append((f"Esercizi/{name}", entries(path, {1, 2, 3})))
        elif name.endswith(".txt"):
            with open(path, encoding="cp1252") as f:
                files.append((f"Esercizi/{name}", [f.read()]))
    news = {}
    total = known_total = 0
    print(f"{'file':50} {'words':>6} {'known':>7}  not in the dictionary")
    for name, texts in files:
        words = words_of(texts)
        bad = unknown(words)
        known = sum(1 for w in words if w not in bad)
        total += len(words)
        known_total += known
        share = 100.0 * known / len(words) if words else 100.0
        print(f"{name:50} {len(words):6} {share:6.1f}%  {' '.join(sorted(bad))}")
        fresh = sorted(bad - allowed)
        if fresh:
            news[name] = fresh
    print(f"{'all files':50} {total:6} {100.0 * known_total / max(total, 1):6.1f}%")
    if news:
        print("\nnot in the dictionary and not listed in tools/course/known_words.txt:")
        for name, words in news.items():
            print(f"  {name}: {' '.join(words)}")
        if strict:
            sys.exit(1)


if __name__ == "__main__":
    main()

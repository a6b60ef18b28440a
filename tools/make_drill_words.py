#!/usr/bin/env python3
"""Builds data/stats/words.txt, the German words the weak-key drill is made of.

Deterministic: the same Debian packages give the same list.
  Sources: /usr/share/dict/ngerman (package wngerman, every inflected form)
           /usr/share/hunspell/de_DE.dic (package hunspell-de-de, base forms)

A word is taken when it is a base form in both, 4 to 10 letters long, made
only of letters the program's keyboard map types (a-z, ä, ö, ü, ß, a capital
first letter), and not on the short list of names and fragments below.
Without a frequency list in the distribution, how common a word is comes
from the dictionary itself: everyday words are the stems of many compounds
and derivations (Haus: Rathaus, Hausaufgabe, ...), rare ones of few. Words
are ranked by the number of longer dictionary entries that begin or end with
them (at least three letters longer, so inflections do not count) and the
first 3000 are kept, written in alphabetical order.

Usage: tools/make_drill_words.py [OUTPUT]   (default data/stats/words.txt)
"""
import bisect
import re
import sys

NGERMAN = "/usr/share/dict/ngerman"
HUNSPELL = "/usr/share/hunspell/de_DE.dic"
COUNT = 3000

# Names, abbreviation-like stems and fragments the ranking lifts too high.
EXCLUDED = {
    "Hera", "Schi", "Hinz", "Lars", "Heine", "Ionen", "Gene", "Tran", "Rens",
    "Elle", "Ellen", "Lende", "Lenden", "Dung", "Tiger", "Lungen", "Hoch",
    "Abbe", "Kunz", "Thor", "Gera", "Rhein", "Mosel", "Elbe", "Oder", "Isar",
    "Rosa", "Anna", "Berta", "Emma", "Otto", "Hans", "Karl", "Paul", "Peter",
}

LETTERS = re.compile(r"^[A-ZÄÖÜa-zäöüß][a-zäöüß]{3,9}$")
VOWEL = re.compile(r"[aeiouyäöü]")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "data/stats/words.txt"
    with open(NGERMAN, encoding="utf-8") as f:
        words = [w.strip() for w in f if w.strip()]
    lemmas = set()
    with open(HUNSPELL, encoding="utf-8") as f:
        for line in f:
            if line[:1] in ("\t", " "):
                continue
            lemmas.add(line.strip().split("/")[0])
    forward = sorted({w.lower() for w in words})
    backward = sorted(w[::-1] for w in forward)

    def longer(sorted_words, prefix, min_length):
        i = bisect.bisect_left(sorted_words, prefix)
        n = 0
        while i < len(sorted_words) and sorted_words[i].startswith(prefix):
            n += len(sorted_words[i]) >= min_length
            i += 1
        return n

    ranked = []
    for w in sorted(set(words)):
        if not LETTERS.match(w) or w not in lemmas or w in EXCLUDED:
            continue
        if not VOWEL.search(w.lower()):
            continue
        low = w.lower()
        score = longer(forward, low, len(w) + 3) + longer(backward, low[::-1], len(w) + 3)
        ranked.append((-score, w))
    ranked.sort()
    chosen = sorted((w for _, w in ranked[:COUNT]), key=lambda w: (w.lower(), w))
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write("# German words for the weak-key drill, one a line, UTF-8.\n")
        f.write("# Made by tools/make_drill_words.py from wngerman and hunspell-de-de.\n")
        for w in chosen:
            f.write(w + "\n")


if __name__ == "__main__":
    main()

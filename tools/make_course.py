#!/usr/bin/env python3
"""Writes the typing course, the themed exercises and the free texts.

What it does
    tools/course/lessons.txt     -> data/CorsoDattilo/<NN name>.lez
    tools/course/exercises/*.txt -> data/Esercizi/<name>.lez
    tools/course/texts/*.txt     -> data/Esercizi/<name>.txt

All sources are UTF-8 with LF line ends and are written by hand; the output
is Windows-1252 with CR LF, as the program reads it. Only two things are
made here rather than written by hand:

  * level 1 of a letter lesson, when its source says "level1: auto": short
    key drills of the new keys, first from the finger's home key, then in
    pairs, then in groups mixed with the keys learned before;
  * level 2, when its source says "level2: auto N": N lines of real words
    typeable with the keys learned so far that use at least one new key.
    Words come from the German word list of Debian's wngerman package
    (/usr/share/dict/ngerman). Words that also occur in the hand-written
    material come first, most frequent first; then short dictionary words.
    tools/course/word_blocklist.txt keeps out words a teacher would not
    want in a beginner's lesson. Before the Shift lesson only words the
    list writes in lower case are taken, so no noun is ever lower-cased.

Everything is deterministic: the drills use a random generator seeded with
the lesson number, and words are ordered by frequency and then by name.

The script refuses to write (and says why) when a lesson uses a character
not introduced in it or before it, when a level does not have 5 or 15
entries, when an entry repeats within its level or a level-3 sentence
repeats within the course, or when a line is longer than LINE_LIMIT
characters (the data test then checks the real width on screen).

Run it from anywhere, after tools/setup.sh has installed wngerman:
    python3 tools/make_course.py          # write the files
    python3 tools/make_course.py --check  # only check the sources
"""

import collections
import hashlib
import os
import random
import re
import sys
import unicodedata

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SRC = os.path.join(ROOT, "tools", "course")
COURSE_OUT = os.path.join(ROOT, "data", "CorsoDattilo")
EXERCISE_OUT = os.path.join(ROOT, "data", "Esercizi")
WORDLIST = "/usr/share/dict/ngerman"

SPLIT = "\u00a6\u00a6"  # "¦¦": the two lines of a level-3 entry
LINE_LIMIT = 58  # characters of one typed line; a safe bound for the sentence area
TEXT_MIN, TEXT_MAX, TEXT_BYTES = 1500, 6000, 26000

# Names used in the "new:" lines for the two characters that are not visible.
NAMED_CHARS = {"Leertaste": " ", "Enter": "\r"}

# The 125 characters of the German keyboard that exercises may ask for.
TYPEABLE = set(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
    ",;.:-_°µ1!²2\"@3§³4$5%6&]7/{8([9)0=ß?<>|ÖöÄä\\#'~üÜ}+*€ \r"
    "âêîôûèàìòùáéíóú^`´"
)
assert len(TYPEABLE) == 125

# The home-row key from which each finger reaches a key of the lesson.
ANCHOR = {
    "e": "d", "i": "k", "r": "f", "u": "j", "t": "f", "z": "j", "g": "f", "h": "j",
    "n": "j", "m": "j", "w": "s", "o": "l", "c": "d", "b": "f", "v": "f", "p": "ö",
    "ü": "ö", "ä": "ö", "ß": "ö", "q": "a", "x": "s", "y": "a",
}


class SourceError(Exception):
    pass


def fail(where, message):
    raise SourceError(f"{where}: {message}")


PROBLEMS = []


def problem(where, message):
    """A fault in one entry: collected, so that one run reports them all."""
    PROBLEMS.append(f"{where}: {message}")


# --- Reading the lesson source -----------------------------------------------


class Lesson:
    def __init__(self, name, where):
        self.name = name  # file name without extension, e.g. "01 Grundreihe"
        self.where = where
        self.title = ""
        self.new = []  # characters introduced here, in teaching order
        self.levels = {1: None, 2: None, 3: None}  # list of lines or ("auto", n, opts)


def parse_new(text, where):
    chars = []
    for token in text.split():
        if token in NAMED_CHARS:
            chars.append(NAMED_CHARS[token])
        elif len(token) == 1:
            chars.append(token)
        else:
            fail(where, f"'{token}' in new: is neither one character nor a key name")
    for c in chars:
        if c not in TYPEABLE:
            fail(where, f"'{c}' has no key")
    return chars


def read_blocks(path):
    """Yields (header, where, lines) for each "@lesson" block of a source file."""
    header, where, lines = None, None, []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip()
            if line.startswith("# ") or line == "#":
                continue  # a note for the author
            if line.startswith("@lesson "):
                if header is not None:
                    yield header, where, lines
                header, where, lines = line[1:].strip(), f"{os.path.basename(path)}:{number}", []
            elif header is not None:
                lines.append((number, line))
    if header is not None:
        yield header, where, lines


def parse_levels(lines, where, target):
    """Fills target.levels (and title/new for lessons) from "key:" lines."""
    current = None
    for number, line in lines:
        here = f"{where.split(':')[0]}:{number}"
        m = re.match(r"^(title|new|level[123]):\s*(.*)$", line)
        if m:
            key, value = m.groups()
            if key == "title":
                target.title = value
                current = None
            elif key == "new":
                target.new = parse_new(value, here)
                current = None
            else:
                level = int(key[-1])
                if value.startswith("auto"):
                    parts = value.split()
                    opts = dict(p.split("=") for p in parts[2:]) if len(parts) > 2 else {}
                    count = int(parts[1]) if len(parts) > 1 else 5
                    target.levels[level] = ("auto", count, opts)
                    current = None
                else:
                    target.levels[level] = []
                    current = level
            continue
        if not line:
            continue
        if current is None:
            fail(here, f"text outside a level: {line!r}")
        target.levels[current].append(line.strip())


def read_lessons():
    path = os.path.join(SRC, "lessons.txt")
    lessons = []
    for header, where, lines in read_blocks(path):
        m = re.match(r"^lesson\s+(\d\d .+)$", header)
        if not m:
            fail(where, f"expected '@lesson NN name', got {header!r}")
        lesson = Lesson(m.group(1), where)
        parse_levels(lines, where, lesson)
        lessons.append(lesson)
    return lessons


# --- Words ---------------------------------------------------------------------


def load_wordlist():
    if not os.path.exists(WORDLIST):
        sys.exit(f"{WORDLIST} is missing: install the Debian package wngerman (tools/setup.sh)")
    with open(WORDLIST, encoding="utf-8") as f:
        return [w.strip() for w in f if w.strip()]


def load_lines(name):
    path = os.path.join(SRC, name)
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [l.strip() for l in f if l.strip() and not l.startswith("#")]


WORD_RE = re.compile(r"[A-Za-zÄÖÜäöüßéèêáàâíìîóòôúùû]+")


def corpus_counts(lessons, exercise_sources, text_sources):
    """How often each word occurs in the hand-written material."""
    counts = collections.Counter()

    def add(text):
        counts.update(WORD_RE.findall(text))

    for lesson in lessons:
        for level in (2, 3):
            lines = lesson.levels[level]
            if isinstance(lines, list):
                for line in lines:
                    add(line)
    for _, ex in exercise_sources:
        for level in (1, 2, 3):
            for line in ex.levels[level] or []:
                add(line)
    for _, text in text_sources:
        add(text)
    return counts


# Dictionary forms that are correct but odd in a list for beginners: poetic
# shortenings ("fördre", "fessle") and the second person of the past and
# plural ("fielst", "hattet").
RARE_FORM = re.compile(r"([^aeiouäöüylr][lr]e|st|tet|det)$")


_DICTIONARY_SET = {}


def dictionary_words(dictionary):
    """The word list as a set, made once."""
    key = id(dictionary)
    if key not in _DICTIONARY_SET:
        _DICTIONARY_SET[key] = sorted(set(dictionary))
    return _DICTIONARY_SET[key]


def stable_hash(word):
    return hashlib.sha1(word.encode("utf-8")).hexdigest()


def pick_words(dictionary, counts, blocked, allowed, new_letters, count, opts, used):
    """Words for `count` level-2 lines, in the order they are to be typed."""
    min_len = int(opts.get("min", 2))
    max_len = int(opts.get("max", 14))
    capitals_known = any(c.isupper() for c in allowed)
    need_new = [c for c in new_letters if c.isalpha()]
    candidates = []
    for w in dictionary:
        if not (min_len <= len(w) <= max_len) or w in blocked or w in used:
            continue
        if not set(w) <= allowed:
            continue
        if not capitals_known and w != w.lower():
            continue
        if len(w) > 1 and w.isupper():
            continue  # abbreviations
        if not re.search("[aeiouäöüy]", w.lower()):
            continue
        if need_new and not any(c in w or c.upper() in w for c in need_new):
            continue
        candidates.append(w)
    known = sorted((w for w in candidates if counts[w] > 0), key=lambda w: (-counts[w], w))
    if not need_new:
        # A review lesson: every word may come back, taken from the
        # hand-written material only, in an order of the lesson's own.
        pool = sorted((w for w in dictionary_words(dictionary)
                       if counts[w] > 0 and min_len <= len(w) <= max_len and w not in blocked
                       and set(w) <= allowed),
                      key=lambda w: stable_hash(f"{opts.get('seed', '')}{w}"))
        return pool
    rest = sorted((w for w in candidates
                   if counts[w] == 0 and len(w) <= max(9, min_len + 3) and not RARE_FORM.search(w)),
                  key=lambda w: (abs(len(w) - 6), stable_hash(w)))
    return known + rest


def word_lines(words, count, where, target_len=44):
    """Fills `count` lines of about target_len characters, no line twice.

    Words are taken in their order of preference; when the list runs out it
    starts again, reshuffled with a fixed seed so that lines differ."""
    if not words:
        fail(where, "no words can be typed with the keys of this lesson")
    rng = random.Random(len(words))
    pool = list(words)
    lines = []
    i = 0
    for _ in range(count * 50):
        line = []
        while True:
            if i == len(pool):
                i = 0
                rng.shuffle(pool)
            w = pool[i]
            if w in line or (line and len(" ".join(line + [w])) > target_len):
                break
            line.append(w)
            i += 1
            if len(" ".join(line)) >= target_len - 3:
                break
        text = " ".join(line)
        if text not in lines:
            lines.append(text)
        if len(lines) == count:
            return lines
    fail(where, "too few words for distinct lines")


# --- Drills --------------------------------------------------------------------


def fill(groups, width=42):
    """Repeats the groups until the line is about `width` characters long."""
    out = []
    while len(" ".join(out)) < width - 4:
        out.append(groups[len(out) % len(groups)])
    return " ".join(out)


def drill_lines(lesson_no, new, known):
    """Five drill lines for new letters, from the home keys outwards."""
    rng = random.Random(lesson_no)
    letters = [c for c in new if c.isalpha() and c.islower()]
    capitals = [c for c in new if c.isalpha() and c.isupper()]
    vowels = sorted(c for c in known if c in "aeiouäöü")
    consonants = sorted(c for c in known if c.isalpha() and c.islower() and c not in vowels)
    lines = []
    reach, pairs = [], []
    for c in letters:
        a = ANCHOR.get(c, c)
        reach += [a * 3, c * 3, a + c + a, c + a + c]
        pairs += [a + c, c + a]
    for c in letters:
        for d in letters:
            if c != d:
                pairs.append(c + d)
    lines.append(fill(reach))
    lines.append(fill(pairs))
    if capitals:
        lines.append(fill([c + c.lower() for c in capitals] +
                          [c + v for c in capitals for v in vowels[:3]]))
    # Syllables that put each new key next to vowels and known consonants.
    while len(lines) < 5:
        groups = []
        while len(" ".join(groups)) < 38:
            c = rng.choice(letters)
            v = rng.choice(vowels) if c not in vowels else rng.choice(consonants)
            k = rng.choice(consonants) if c not in vowels else rng.choice(vowels)
            pattern = rng.choice(("nvk", "kvn", "vn", "nv", "nvkv", "kvnv"))
            groups.append("".join({"n": c, "v": v, "k": k}[x] for x in pattern))
        line = " ".join(groups)
        if line not in lines:
            lines.append(line)
    return lines


# --- Checks --------------------------------------------------------------------


def typed_lines(entry):
    return entry.split(SPLIT)


def check_entry(entry, allowed, where, level):
    if SPLIT in entry and level != 3:
        problem(where, f"only level 3 may have two lines: {entry!r}")
    if entry.count(SPLIT) > 1:
        problem(where, f"more than two lines: {entry!r}")
    for part in typed_lines(entry):
        if part != part.strip() or not part:
            problem(where, f"blank around a line break or empty line: {entry!r}")
        if len(part) > LINE_LIMIT:
            problem(where, f"line of {len(part)} characters (at most {LINE_LIMIT}): {part!r}")
        missing = sorted(set(part) - allowed)
        if missing:
            problem(where, f"characters not yet introduced {missing}: {part!r}")
    if SPLIT in entry and "\r" not in allowed:
        problem(where, f"two lines before Enter is introduced: {entry!r}")


def check_level(lines, where, level):
    if len(lines) not in (5, 15):
        problem(where, f"level {level} has {len(lines)} entries, not 5 or 15")
    seen = set()
    for line in lines:
        if line in seen:
            problem(where, f"level {level} repeats {line!r}")
        seen.add(line)


# --- Writing -------------------------------------------------------------------


def encode(text):
    text = unicodedata.normalize("NFC", text)
    try:
        return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")
    except UnicodeEncodeError as e:
        raise SourceError(f"not Windows-1252: {text[e.start:e.end]!r}")


def lez_text(comments, levels):
    out = [f"; {c}" for c in comments]
    for level in (1, 2, 3):
        out.append(f"[Livello{level}]")
        for key, entry in enumerate(levels[level], 1):
            out.append(f"{key}={entry}")
    return "\n".join(out) + "\n"


def new_chars_text(chars):
    names = {v: k for k, v in NAMED_CHARS.items()}
    return " ".join(names.get(c, c) for c in chars)


def build_course(lessons, dictionary, counts, blocked):
    files = {}
    allowed = set()
    sentences = {}
    used_words = set()
    introduced = collections.Counter()
    for no, lesson in enumerate(lessons, 1):
        where = lesson.where
        if not lesson.name.startswith(f"{no:02d} "):
            fail(where, f"lesson {no} is named {lesson.name!r}")
        if "." in lesson.name:
            fail(where, "a lesson name must not contain '.' (the list cuts at the first dot)")
        for c in lesson.new:
            if c in allowed:
                fail(where, f"'{c}' was introduced before")
            introduced[c] += 1
        allowed |= set(lesson.new)
        levels = {}
        for level in (1, 2, 3):
            plan = lesson.levels[level]
            if plan is None:
                fail(where, f"level {level} is missing")
            if isinstance(plan, tuple):
                _, count, opts = plan
                if level == 1:
                    lines = drill_lines(no, lesson.new, allowed)
                else:
                    words = pick_words(dictionary, counts, blocked, allowed, lesson.new,
                                       count, dict(opts, seed=str(no)), used_words)
                    lines = word_lines(words, count, where)
                    for line in lines:
                        used_words.update(line.split())
            else:
                lines = plan
            check_level(lines, where, level)
            for line in lines:
                check_entry(line, allowed, where, level)
                if level == 3:
                    if line in sentences:
                        problem(where, f"sentence also in {sentences[line]}: {line!r}")
                    sentences[line] = lesson.name
            levels[level] = lines
        comments = [f"Lektion {no} von {len(lessons)}: {lesson.title}",
                    f"Neue Zeichen: {new_chars_text(lesson.new) or '(keine)'}"]
        files[os.path.join(COURSE_OUT, lesson.name + ".lez")] = lez_text(comments, levels)
    missing = TYPEABLE - allowed
    if missing:
        fail("lessons.txt", f"never introduced: {sorted(missing)}")
    return files


class Exercise:
    def __init__(self):
        self.title = ""
        self.new = []
        self.levels = {1: None, 2: None, 3: None}


def read_exercises():
    folder = os.path.join(SRC, "exercises")
    result = []
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".txt"):
            continue
        path = os.path.join(folder, name)
        ex = Exercise()
        lines = []
        with open(path, encoding="utf-8") as f:
            for number, raw in enumerate(f, 1):
                line = raw.rstrip("\n").rstrip()
                if line.startswith("#"):
                    continue
                lines.append((number, line))
        parse_levels(lines, f"exercises/{name}:1", ex)
        result.append((name[:-4], ex))
    return result


def build_exercises(exercises):
    files = {}
    for name, ex in exercises:
        where = f"exercises/{name}.txt"
        levels = {}
        for level in (1, 2, 3):
            lines = ex.levels[level]
            if not isinstance(lines, list):
                fail(where, f"level {level} must be written out")
            check_level(lines, where, level)
            for line in lines:
                check_entry(line, TYPEABLE, where, level)
            levels[level] = lines
        files[os.path.join(EXERCISE_OUT, name + ".lez")] = lez_text([ex.title], levels)
    return files


def read_texts():
    folder = os.path.join(SRC, "texts")
    result = []
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                result.append((name, f.read().strip("\n") + "\n"))
    return result


def build_texts(texts):
    files = {}
    for name, text in texts:
        where = f"texts/{name}"
        bad = sorted(set(text) - TYPEABLE - {"\n"})
        if bad:
            fail(where, f"characters without a key: {bad}")
        # What the learner types: line breaks become blanks.
        typed = re.sub(r" ?\n", " ", text).strip()
        if not TEXT_MIN <= len(typed) <= TEXT_MAX:
            fail(where, f"{len(typed)} characters to type, not {TEXT_MIN}..{TEXT_MAX}")
        data = encode(text)
        if len(data) >= TEXT_BYTES:
            fail(where, f"{len(data)} bytes")
        files[os.path.join(EXERCISE_OUT, name)] = text
    return files


def main():
    check_only = "--check" in sys.argv[1:]
    try:
        lessons = read_lessons()
        exercises = read_exercises()
        texts = read_texts()
        counts = corpus_counts(lessons, exercises, texts)
        blocked = set(load_lines("word_blocklist.txt"))
        files = {}
        files.update(build_course(lessons, load_wordlist(), counts, blocked))
        files.update(build_exercises(exercises))
        files.update(build_texts(texts))
        encoded = {path: encode(text) for path, text in files.items()}
    except SourceError as e:
        PROBLEMS.append(str(e))
    if PROBLEMS:
        sys.exit("\n".join(f"error: {p}" for p in PROBLEMS))
    if check_only:
        print(f"{len(lessons)} lessons, {len(exercises)} exercises, {len(texts)} texts: sources ok")
        return
    for folder, pattern in ((COURSE_OUT, ".lez"), (EXERCISE_OUT, ".lez"), (EXERCISE_OUT, ".txt")):
        os.makedirs(folder, exist_ok=True)
        for name in os.listdir(folder):
            path = os.path.join(folder, name)
            if name.endswith(pattern) and path not in encoded:
                os.remove(path)  # a file no source makes any more
    for path, data in sorted(encoded.items()):
        with open(path, "wb") as f:
            f.write(data)
    print(f"wrote {len(lessons)} lessons, {len(exercises)} exercises, {len(texts)} texts")


if __name__ == "__main__":
    main()

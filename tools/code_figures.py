#!/usr/bin/env python3
"""Figures of the code base that a clean-up is measured by.

Prints, for the folders of src/ (and tests/ with --tests):
  - the include graph between folders: "from -> to  (number of #include lines)",
    with any cycle named;
  - the uses of appState() per folder;
  - the largest source files by lines.

    tools/code_figures.py [--tests] [--largest N]
"""
import argparse
import collections
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = (".cpp", ".h")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.M)
APP_STATE = re.compile(r"\bappState\(\)")


def files_under(folder):
    return sorted(p for p in folder.rglob("*") if p.suffix in SOURCES and p.is_file())


def folder_of(path, base):
    return path.relative_to(base).parts[0]


def include_graph(src):
    edges = collections.Counter()
    for path in files_under(src):
        here = folder_of(path, src)
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            if target != here and (src / target).is_dir():
                edges[(here, target)] += 1
    return edges


def cycles(edges):
    graph = collections.defaultdict(set)
    for a, b in edges:
        graph[a].add(b)
    found, state = [], {}

    def visit(node, path):
        state[node] = 1
        for nxt in sorted(graph[node]):
            if state.get(nxt) == 1:
                found.append(path[path.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt, path + [nxt])
        state[node] = 2

    for node in sorted(graph):
        if node not in state:
            visit(node, [node])
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tests", action="store_true", help="count appState() in tests/ too")
    parser.add_argument("--largest", type=int, default=10, help="how many of the largest files")
    args = parser.parse_args()
    src = ROOT / "src"

    edges = include_graph(src)
    print("Include graph of src/ folders (from -> to: #include lines)")
    for (a, b), n in sorted(edges.items()):
        print(f"  {a} -> {b}: {n}")
    loops = cycles(edges)
    print("  cycles: " + ("; ".join(" -> ".join(c) for c in loops) if loops else "none"))

    bases = [src] + ([ROOT / "tests"] if args.tests else [])
    print("\nappState() uses per folder")
    for base in bases:
        uses = collections.Counter()
        for path in files_under(base):
            uses[folder_of(path, base)] += len(APP_STATE.findall(path.read_text(errors="replace")))
        total = sum(uses.values())
        print(f"  {base.name}/ total {total}")
        for folder, n in sorted(uses.items()):
            if n:
                print(f"    {folder}: {n}")

    print(f"\nLargest files of src/ (lines)")
    sizes = [(len(p.read_text(errors="replace").splitlines()), p.relative_to(ROOT)) for p in files_under(src)]
    for lines, path in sorted(sizes, reverse=True)[: args.largest]:
        print(f"  {lines:5d}  {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

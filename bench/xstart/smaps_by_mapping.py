#!/usr/bin/env python3
"""Resident memory of a running process by mapping (file, heap, anonymous),
largest first, with the private and shared part of each.
  smaps_by_mapping.py PID [lines]"""
import collections
import sys


def main():
    pid = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 25
    rss = collections.Counter()
    private = collections.Counter()
    name = None
    with open(f"/proc/{pid}/smaps") as smaps:
        for line in smaps:
            fields = line.split()
            if "-" in fields[0] and ":" not in fields[0]:
                name = fields[5] if len(fields) > 5 else "[anonymous]"
            elif fields[0] == "Rss:":
                rss[name] += int(fields[1])
            elif fields[0] in ("Private_Clean:", "Private_Dirty:"):
                private[name] += int(fields[1])
    total = sum(rss.values())
    print(f"{'resident kB':>11} {'private kB':>10}  mapping   (total {total} kB)")
    for mapping, kb in rss.most_common(lines):
        print(f"{kb:>11} {private[mapping]:>10}  {mapping}")


if __name__ == "__main__":
    main()

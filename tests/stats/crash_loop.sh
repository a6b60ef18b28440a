#!/usr/bin/env bash
# Kills a process that records sentences with SIGKILL at random moments, RUNS
# times, and after each kill checks that the database passes
# PRAGMA integrity_check and holds every sentence the writer reported as
# recorded (it reports only after the commit has returned).
#   crash_loop.sh WRITER [RUNS]     (the test suite runs 25; the long form 200)
set -euo pipefail
writer=$1
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db=$work/TastolinoStats.sqlite

for ((i = 1; i <= runs; i++)); do
  "$writer" write "$db" >"$work/out.$i" 2>"$work/err.$i" &
  pid=$!
  # Anywhere from before the first open to well into the recording.
  sleep "0.$(printf '%03d' $((RANDOM % 250)))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [ -s "$work/err.$i" ]; then
    echo "run $i: the writer failed:"; cat "$work/err.$i"; exit 1
  fi
  if ! "$writer" check "$db" "$work"/out.* >"$work/check" 2>&1; then
    echo "run $i: check failed:"; cat "$work/check"; exit 1
  fi
done
echo "$runs kills: $(cat "$work/check")"

#!/bin/bash
# The keyboard layout around a run of the real program under Xvfb:
#  - with "us" current, the German layout is current while the program runs
#    and "us" is back after the program has closed (end of session);
#  - with "de" current, nothing is loaded and nothing given back.
#   program_layout.sh <program>
set -uo pipefail
program=${1:?program}
export QT_QPA_PLATFORM=xcb

for tool in Xvfb setxkbmap xdpyinfo xdotool; do
  command -v $tool >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

for n in $(seq 400 499); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }
done
Xvfb "$disp" -screen 0 800x600x24 -noreset >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do xdpyinfo -display "$disp" >/dev/null 2>&1 && break; sleep 0.1; done
export DISPLAY=$disp

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
layout() { setxkbmap -query | awk '/^layout:/ {print $2}'; }

# Starts a fresh copy of the program, waits for its window, records the
# layout while it runs in $during, then ends it as a desktop session would.
run_program() {
  rm -rf "$work/app"
  cp -r "$(dirname "$program")" "$work/app"
  rm -f "$work/app/Tastolino.ini"
  "$work/app/$(basename "$program")" >"$work/run.log" 2>&1 &
  local pid=$! i
  for i in $(seq 150); do
    xdotool search --onlyvisible --name '^Tastolino$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.5
  during=$(layout)
  kill -TERM "$pid"
  for i in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    fail "the program did not end on SIGTERM"
    kill -KILL "$pid"
  fi
  wait "$pid" 2>/dev/null
}

setxkbmap us
run_program
[ "$during" = de ] || fail "with us current: layout '$during' while running, want de"
[ "$(layout)" = us ] || fail "with us current: layout '$(layout)' after the end, want us"

setxkbmap de
run_program
[ "$during" = de ] || fail "with de current: layout '$during' while running, want de"
[ "$(layout)" = de ] || fail "with de current: layout '$(layout)' after the end, want de"

[ $failures -eq 0 ] && echo "program layout: all checks passed" || cat "$work/run.log"
exit $((failures > 0))

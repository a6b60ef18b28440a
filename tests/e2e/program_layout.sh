#!/bin/bash
# The keyboard layout around a run of the real program under Xvfb:
#  - with "us" current, the German layout is current while the program runs
#    and "us" is back after the program has closed (end of session);
#  - with "de" current, nothing is loaded and nothing given back;
#  - with "de neo" current (a German variant, not the German layout), the
#    plain German layout is current while the program runs and "de neo",
#    with its options, is back after it has closed.
#   program_layout.sh <program>
set -uo pipefail
program=${1:?program}
source "$(dirname "$0")/lib.sh"
e2e_init setxkbmap xdotool
e2e_start_display 400 499 800x600

layout() { setxkbmap -query | awk '/^layout:/ {print $2}'; }

# Starts a fresh copy of the program, waits for its window, records the
# layout while it runs in $during, then ends it as a desktop session would.
run_program() {
  e2e_fresh_copy "$program"
  "$app" >"$work/run.log" 2>&1 &
  local pid=$! i
  for i in $(seq 150); do
    xdotool search --onlyvisible --name '^Tastolino$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.5
  during=$(layout)
  during_query=$(setxkbmap -query)
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

setxkbmap de neo -option compose:menu
run_program
[ "$during" = de ] || fail "with de neo current: layout '$during' while running, want de"
grep -q 'variant: *[^ ]' <<<"$during_query" &&
  fail "with de neo current: a variant while running: $during_query"
query=$(setxkbmap -query)
grep -q 'layout: *de$' <<<"$query" && grep -q 'variant: *neo$' <<<"$query" &&
  grep -q 'options: *compose:menu$' <<<"$query" ||
  fail "with de neo current: after the end $query"
setxkbmap -option

[ $failures -eq 0 ] && echo "program layout: all checks passed" || cat "$work/run.log"
exit $((failures > 0))

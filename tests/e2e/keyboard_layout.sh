#!/bin/bash
# The keyboard layout at start and exit, on a real X server (Xvfb):
#  - with "us" current, the program makes the German layout current and
#    gives "us" back when it closes;
#  - with "de" already current, nothing is loaded and nothing restored;
#  - with "us,de" configured, it only switches to the German group and
#    switches back.
#   keyboard_layout.sh <program>
set -uo pipefail
program=${1:?program}
source "$(dirname "$0")/lib.sh"
e2e_init setxkbmap
e2e_start_display 120 199 800x600
disp=$DISPLAY

layout() { setxkbmap -display "$disp" -query | awk '/^layout:/ {print $2}'; }

# Runs the program for a moment; the layout while it runs goes to $during,
# its report lines to $report.
run_program() {
  local log
  log=$(mktemp)
  DISPLAY=$disp "$program" --exit-after 1500 >"$log" 2>&1 &
  local pid=$!
  for _ in $(seq 100); do grep -q '^active=' "$log" && break; sleep 0.05; done
  during=$(layout)
  wait $pid || fail "program exited with $?"
  report=$(cat "$log")
  rm -f "$log"
}

# 1. Another layout current: German for the program, the old one back after.
setxkbmap -display "$disp" us
run_program
[ "$during" = de ] || fail "while running: layout '$during', want de"
grep -q '^active=00000407 remembered=00000409$' <<<"$report" || fail "report: $report"
[ "$(layout)" = us ] || fail "after exit: layout '$(layout)', want us"

# 2. German already current: nothing loaded, nothing remembered or restored.
setxkbmap -display "$disp" de
run_program
[ "$during" = de ] || fail "while running: layout '$during', want de"
grep -q '^active=00000407 remembered=$' <<<"$report" || fail "report: $report"
grep -q '^restored=$' <<<"$report" || fail "report: $report"
[ "$(layout)" = de ] || fail "after exit: layout '$(layout)', want de"

# 3. German configured as a second group: switch groups, keep the keymap.
setxkbmap -display "$disp" -layout us,de
run_program
[ "$during" = us,de ] || fail "while running: layout '$during', want us,de"
grep -q '^active=00000407 remembered=00000409$' <<<"$report" || fail "report: $report"
[ "$(layout)" = us,de ] || fail "after exit: layout '$(layout)', want us,de"

# 4. A layout with a variant comes back with its variant.
setxkbmap -display "$disp" -layout fr -variant azerty
run_program
[ "$during" = de ] || fail "while running: layout '$during', want de"
query=$(setxkbmap -display "$disp" -query)
grep -q 'layout: *fr' <<<"$query" && grep -q 'variant: *azerty' <<<"$query" ||
  fail "after exit: $query"

[ $failures -eq 0 ] && echo "keyboard layout: all checks passed"
exit $((failures > 0))

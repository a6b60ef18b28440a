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
export QT_QPA_PLATFORM=xcb

for tool in Xvfb setxkbmap xdpyinfo; do
  command -v $tool >/dev/null || { echo "missing $tool"; exit 1; }
done

# A display nobody else uses: tests run in parallel.
for n in $(seq 120 199); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }
done
# -noreset: without it the keymap falls back to "us" when the last client leaves.
Xvfb "$disp" -screen 0 800x600x24 -noreset >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do xdpyinfo -display "$disp" >/dev/null 2>&1 && break; sleep 0.1; done

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
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

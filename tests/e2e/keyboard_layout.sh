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
  during_query=$(setxkbmap -display "$disp" -query)
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

# 5. A German variant is not the German layout: the plain one is loaded and
#    the variant, with its options, comes back exactly.
for variant in neo nodeadkeys dvorak; do
  setxkbmap -display "$disp" -layout de -variant "$variant" -option compose:menu
  run_program
  query=$(setxkbmap -display "$disp" -query)
  [ "$during" = de ] || fail "de $variant: layout '$during' while running, want de"
  grep -q 'variant: *[^ ]' <<<"$during_query" && fail "de $variant while running: $during_query"
  grep -q "^active=00000407 remembered=xkb:de($variant)\$" <<<"$report" ||
    fail "de $variant: report $report"
  grep -q 'layout: *de$' <<<"$query" && grep -q "variant: *$variant\$" <<<"$query" &&
    grep -q 'options: *compose:menu$' <<<"$query" || fail "de $variant after exit: $query"
  setxkbmap -display "$disp" -option
done

# 6. The plain German layout as a second group beside a German variant:
#    that group is chosen, the keymap stays.
setxkbmap -display "$disp" -layout de,de -variant neo,
run_program
query=$(setxkbmap -display "$disp" -query)
grep -q '^active=00000407 remembered=xkb:de(neo)$' <<<"$report" || fail "de(neo),de: $report"
[ "$during" = de,de ] || fail "de(neo),de: layout '$during' while running, want de,de"
grep -q 'layout: *de,de$' <<<"$query" && grep -q 'variant: *neo,$' <<<"$query" ||
  fail "de(neo),de after exit: $query"

[ $failures -eq 0 ] && echo "keyboard layout: all checks passed"
exit $((failures > 0))

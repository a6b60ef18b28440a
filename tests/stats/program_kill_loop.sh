#!/bin/bash
# The real program, typing an exercise under Xvfb on the German layout,
# killed with SIGKILL at a random moment, RUNS times over the same folder.
# A sentence counts as recorded once the window has finished it (it records
# before it invites the next Enter); after every kill the database must pass
# PRAGMA integrity_check and hold at least every sentence counted so far.
#   program_kill_loop.sh PROGRAM CHECKER [RUNS]
#     CHECKER: stats_crash_writer (its "count" mode); RUNS: 200 by default
set -uo pipefail
program=${1:?program}
checker=${2:?checker}
runs=${3:-200}
source "$(dirname "$0")/../e2e/lib.sh"
sw=800
sh=600
e2e_init xdotool xwininfo xprop setxkbmap
pid=
e2e_on_exit='[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null && wait "$pid" 2>/dev/null'

e2e_start_display 1000 1049 "${sw}x${sh}"
setxkbmap de || { echo "cannot set the German layout"; exit 1; }

e2e_fresh_copy "$program"
mkdir -p "$work/app/Esercizi"
# Short plain sentences, so that many are finished between two kills.
{
  for level in 1 2 3; do
    printf '[Livello%d]\r\n' "$level"
    for n in 1 2 3 4 5; do printf '%d=ja so geht es\r\n' "$n"; done
  done
} >"$work/app/Esercizi/kill.lez"
db=$work/app/TastolinoStats.sqlite

alive() { kill -0 "$pid" 2>/dev/null; }

counted=0
start=$(date +%s)
for ((run = 1; run <= runs; run++)); do
  "$app" /kill.lez >"$work/run.log" 2>&1 &
  pid=$!
  # Anywhere from the start-up to a few sentences in.
  ( sleep "$((1 + RANDOM % 8)).$((RANDOM % 10))"; kill -KILL "$pid" 2>/dev/null ) &
  killer=$!
  main=
  named=
  while alive; do
    if [ -z "$main" ]; then
      main=$(e2e_find_main 1) || main=
      continue
    fi
    if d=$(e2e_dialog_id); then
      # The user name first, then the results window after each level
      # ("Continua" is its default button).
      xdotool windowfocus --sync "$d" 2>/dev/null
      [ -z "$named" ] && xdotool type --delay 5 "kill" 2>/dev/null && named=1
      xdotool key Return 2>/dev/null
      sleep 0.2
      continue
    fi
    case "$(e2e_input_state "$main")" in
      start)
        xdotool windowfocus --sync "$main" 2>/dev/null
        xdotool key Return 2>/dev/null
        for _ in $(seq 40); do
          [ "$(e2e_input_state "$main")" = start ] && alive || break
          sleep 0.05
        done
        ;;
      typing)
        xdotool type --delay 8 -- "ja so geht es" 2>/dev/null
        # Finished once the window waits for Enter again: it records before.
        for _ in $(seq 100); do
          alive || break
          if [ "$(e2e_input_state "$main")" = start ]; then
            alive && counted=$((counted + 1))
            break
          fi
          sleep 0.05
        done
        ;;
      *) sleep 0.05 ;;
    esac
  done
  wait "$killer" 2>/dev/null
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
  stored=$("$checker" count "$db" 2>"$work/check.err") || {
    echo "run $run: the database fails the integrity check"; cat "$work/check.err"; exit 1; }
  stored=${stored:-0}
  if [ "$stored" -lt "$counted" ]; then
    echo "run $run: $counted sentences finished in the window, $stored in the database"
    exit 1
  fi
  # The count so far is what the database holds (a sentence finished just
  # before a kill may be there without having been seen).
  counted=$stored
done
echo "$runs kills in $(( $(date +%s) - start )) s: the database is sound and holds all $counted sentences finished"

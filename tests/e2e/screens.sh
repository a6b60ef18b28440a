#!/bin/bash
# The real program at the screen sizes it meets, from the smallest to the
# large ones and those in between where the enlargement shrinks: once the
# start is over (the cover bubble at rest), the bubble lies on the screen;
# a double click on a finger icon shows the external key map. Screenshots of
# both moments at each size go to the screenshot folder, for the eye.
#   screens.sh <program> [screenshot folder] [sizes...]
set -uo pipefail
program=${1:?program}
shots=${2:-$(mktemp -d)}
shift 2 2>/dev/null || shift $#
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(800x600 1000x750 1024x768 1280x720 1366x768 1280x1024)
mkdir -p "$shots"
source "$(dirname "$0")/lib.sh"
e2e_init xdotool xwininfo xprop setxkbmap import
pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null'

geometry_of() {  # id -> "x y w h"
  xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# The centre of finger icon 0 (on key A), in screen pixels: the notebook is
# centred 20 pixels above the middle, the keyboard lies in it, icon 0 in
# the lower right corner of key A. On large screens every position grows
# by the layout's factors (at most 1.41 across and 1.31 down).
finger_icon() {  # W H -> "x y"
  awk -v W="$1" -v H="$2" 'function r(v) { return int(v + 0.5) }
    BEGIN {
      large = (W > 1000 || H > 750)
      sx = 1; sy = 1; d = 4
      if (large) {
        sx = W / 800; if (sx > 1.41) sx = 1.41; if (sx < 1) sx = 1
        sy = H / 600; if (sy > 1.31) sy = 1.31; if (sy < 1) sy = 1
        d = 0
      }
      nx = int((W - r(760 * sx)) / 2); ny = int((H - r(480 * sy)) / 2) - 20
      px = nx + r(12 * sx); py = ny + r(243 * sy)
      kx = r(67 * sx); ky = r(89 * sy); kw = r(29 * sx); kh = r(33 * sy)
      printf "%d %d\n", px + kx + kw - 32 + d + 16, py + ky + kh - 32 + d + 16
    }'
}

for size in "${sizes[@]}"; do
  w=${size%x*}
  h=${size#*x}
  e2e_start_display 700 799 "$size"
  setxkbmap de
  e2e_fresh_copy "$program"
  "$app" >"$work/run.log" 2>&1 &
  pid=$!
  sw=$w
  sh=$h
  main=$(e2e_find_main 15) || { fail "$size: no main window"; kill "$pid"; wait "$pid"; pid=; continue; }
  if dialog=$(e2e_wait_dialog 15); then
    xdotool windowfocus --sync "$dialog" 2>/dev/null
    xdotool type --delay 20 "anna"
    xdotool key Return
  else
    fail "$size: no user name dialog"
  fi
  e2e_wait_input_state "$main" start 60 || fail "$size: the start did not end"

  # The cover bubble: a window of the program other than the main window.
  cover=
  for id in $(xdotool search --onlyvisible --class tastolino 2>/dev/null); do
    [ "$id" = "$main" ] && continue
    read -r cx cy cw ch <<<"$(geometry_of "$id")"
    [ "$cw" -gt 200 ] && [ "$cw" -lt "$w" ] && cover=$id
  done
  if [ -n "$cover" ]; then
    read -r cx cy cw ch <<<"$(geometry_of "$cover")"
    { [ "$cx" -ge 0 ] && [ "$cy" -ge 0 ] && [ $((cx + cw)) -le "$w" ] && [ $((cy + ch)) -le "$h" ]; } ||
      fail "$size: the cover bubble ($cw x $ch at $cx,$cy) leaves the screen"
  else
    fail "$size: no cover bubble"
  fi
  import -window root "$shots/$size-start.png"

  # The external key map, instead of the finger icons.
  read -r fx fy <<<"$(finger_icon "$w" "$h")"
  xdotool mousemove "$fx" "$fy" click --repeat 2 --delay 80 1
  sleep 0.5
  import -window root "$shots/$size-keymap.png"

  kill -TERM "$pid"
  wait "$pid" || fail "$size: exit code $? on SIGTERM"
  pid=
done

echo "screenshots in $shots"
[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; cat "$work/run.log"; }
exit $((failures > 0))

#!/bin/bash
# The real program under Xvfb:
#  - at 800x600 it shows the full-screen window "Tastolino", asks for the
#    user name, greets; a second start meanwhile ends at once, showing
#    nothing; the end of the session (SIGTERM) saves the settings;
#  - at 1280x1024 it starts enlarged (screenshot only);
#  - at 799x600 it shows the resolution message and ends after it.
#   startup.sh <program> [screenshot folder]
set -uo pipefail
program=${1:?program}
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
source "$(dirname "$0")/lib.sh"
e2e_init xdotool xwininfo xprop import
fresh_copy() { e2e_fresh_copy "$program"; }
start_display() { e2e_start_display 200 299 "$1"; }  # WxH

# Visible windows titled exactly "Tastolino", as "id width height" lines.
windows() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Tastolino$' 2>/dev/null); do
    echo "$id $(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
  done
}

# Waits until a window of the given size class appears: "full" or "dialog".
wait_window() {  # kind screenW screenH -> prints the id
  local kind=$1 sw=$2 sh=$3 line id w h
  for _ in $(seq 150); do
    while read -r id w h; do
      [ -z "$id" ] && continue
      if [ "$kind" = full ] && [ "$w" -eq "$sw" ] && [ "$h" -eq "$sh" ]; then echo "$id"; return 0; fi
      if [ "$kind" = dialog ] && [ "$w" -lt "$sw" ]; then echo "$id"; return 0; fi
    done < <(windows)
    sleep 0.1
  done
  return 1
}

wait_exit() {  # pid seconds -> exit code, or 124 when still running
  local pid=$1 i
  for i in $(seq $(($2 * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; return $?; fi
    sleep 0.1
  done
  return 124
}

# 1. 800 x 600: window, name, welcome; second copy; end of session.
start_display 800x600
fresh_copy
"$app" >"$work/run1.log" 2>&1 &
pid=$!
main=$(wait_window full 800 600) || fail "no full-screen window titled Tastolino"
dialog=$(wait_window dialog 800 600) || fail "no user name dialog"
import -window root "$shots/800x600-name.png"
if [ -n "$dialog" ]; then
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --delay 20 "mario rossi"
  xdotool key Return
fi
# The greeting is over once the window says Enter starts.
e2e_wait_input_state "$main" start 60 || fail "the start-up did not end"
import -window root "$shots/800x600-welcome.png"
[ -n "$(windows | awk -v sw=800 '$2 < sw')" ] && fail "the dialog is still open"

count_before=$(windows | wc -l)
"$app" >"$work/second.log" 2>&1 &
second=$!
wait_exit "$second" 5
code=$?
[ $code -eq 0 ] || fail "second copy: exit code $code, want 0 at once"
[ "$(windows | wc -l)" -eq "$count_before" ] || fail "second copy showed a window"

# Only the user name is stored on the way; the options wait for the end.
grep -qs '^\[Options\]' "$work/app/Tastolino.ini" && fail "options written before the end"
kill -TERM "$pid"
wait_exit "$pid" 10
code=$?
[ $code -eq 0 ] || fail "after SIGTERM: exit code $code"
ini=$work/app/Tastolino.ini
if [ -f "$ini" ]; then
  sections=$(tr -d '\r' <"$ini" | grep '^\[' | sort | tr '\n' ' ')
  [ "$sections" = "[AccessName] [Language] [Options] " ] || fail "sections: $sections"
  grep -q $'^Song=1\r$' "$ini" || fail "Song not written with CR LF"
else
  fail "no settings file after SIGTERM"
fi

# 2. 1280 x 1024: enlarged window (for the eye).
start_display 1280x1024
fresh_copy
"$app" >"$work/run2.log" 2>&1 &
pid=$!
main=$(wait_window full 1280 1024) || fail "no full-screen window at 1280x1024"
dialog=$(wait_window dialog 1280 1024) && {
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --delay 20 "anna"
  xdotool key Return
}
[ -n "$main" ] && { e2e_wait_input_state "$main" start 60 || fail "1280x1024: the start-up did not end"; }
import -window root "$shots/1280x1024-welcome.png"
kill -TERM "$pid"
wait_exit "$pid" 10 || fail "1280x1024 run did not end on SIGTERM"

# 3. 799 x 600: the message, then the end.
start_display 799x600
fresh_copy
"$app" >"$work/run3.log" 2>&1 &
pid=$!
box=
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^Tastolino$' 2>/dev/null | head -1)
  [ -n "$box" ] && break
  sleep 0.1
done
if [ -n "$box" ]; then
  import -window root "$shots/799x600-message.png"
  read -r _ w h <<<"$(windows | head -1)"
  [ "${w:-0}" -lt 799 ] || fail "at 799x600 a full-screen window appeared"
  kill -0 "$pid" 2>/dev/null || fail "the program ended before the message was dismissed"
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
else
  fail "no resolution message at 799x600"
fi
wait_exit "$pid" 10
code=$?
[ $code -eq 1 ] || fail "at 799x600: exit code $code, want 1"
[ -f "$work/app/Tastolino.ini" ] && fail "settings written at 799x600"

echo "screenshots in $shots"
[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; cat "$work"/*.log; }
exit $((failures > 0))

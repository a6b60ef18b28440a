#!/bin/bash
# The program installed the way a package installs it, and the portable
# program folder of the build tree, both run under Xvfb with a scratch HOME:
#  - `cmake --install` with DESTDIR into a scratch root, the whole tree made
#    read-only; the installed binary asks for the name, the name is
#    remembered and the background colour changed, the program ends and
#    starts again: name and colour are back, read from
#    ~/.config/tastolino/Tastolino.ini, and nothing changed in the installed
#    tree;
#  - the portable folder still writes Tastolino.ini beside the executable,
#    with exactly the bytes it always wrote, and nothing into the user's
#    folders;
#  - a lesson given by its path (absolute and relative, blanks and umlauts
#    in the name) is played; a path that is not there gets a message first.
#   installed.sh <build folder> [screenshot folder]
set -uo pipefail
build=${1:?build folder}
shots=${2:-}
source "$(dirname "$0")/lib.sh"
e2e_init xdotool xwininfo setxkbmap cmake
pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; chmod -R u+w "$work" 2>/dev/null'
shot() { [ -n "$shots" ] && import -window root "$shots/$1.png"; }
[ -n "$shots" ] && mkdir -p "$shots"

e2e_start_display 500 599 800x600
setxkbmap de || { echo "cannot set the German layout"; exit 1; }

# The user's folders at their defaults below a scratch HOME.
export HOME=$work/home
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { fail "cmake --install"; cat "$work/install.log"; exit 1; }
installed=$root/usr/bin/tastolino
[ -x "$installed" ] || { fail "no $installed"; exit 1; }
[ -f "$root/usr/share/tastolino/Lang/English.lng" ] || fail "no data folder in share/tastolino"
for guide in help help/English help/German help/French help/Spanish; do
  [ -f "$root/usr/share/tastolino/$guide/index.html" ] || fail "no $guide in share/tastolino"
done
chmod -R a-w "$root"
tree_state() { find "$root" -printf '%p %s %T@ %m\n' | sort; }
before=$(tree_state)

# Windows titled "Tastolino" (the main window, or a dialog or message box
# that is smaller than the screen).
main_id() {
  local id w h
  for id in $(xdotool search --onlyvisible --name '^Tastolino' 2>/dev/null); do
    read -r w h <<<"$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
    [ "${w:-0}" -eq 800 ] && [ "${h:-0}" -eq 600 ] && { echo "$id"; return 0; }
  done
  return 1
}
dialog_id() {
  local id w
  for id in $(xdotool search --onlyvisible --name '^Tastolino$' 2>/dev/null); do
    w=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
    [ "${w:-800}" -lt 800 ] && { echo "$id"; return 0; }
  done
  return 1
}
wait_for() {  # function seconds -> prints the id
  local i
  for i in $(seq $(($2 * 10))); do
    "$1" && return 0
    sleep 0.1
  done
  return 1
}
wait_gone() {  # window id
  local i
  for i in $(seq 100); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  return 1
}
stop_program() {
  kill -TERM "$pid" 2>/dev/null
  local i
  for i in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { fail "the program did not end"; kill -KILL "$pid"; }
  wait "$pid" 2>/dev/null
  pid=
}

# Starts the program and answers the name dialog: with a name, the name is
# typed and remembered; with "-", the offered name is taken as it is.
start_and_greet() {  # label name program [argument]
  local label=$1 name=$2 dialog
  shift 2
  "$@" >"$work/$label.log" 2>&1 &
  pid=$!
  wait_for main_id 20 >/dev/null || { fail "$label: no main window"; return 1; }
  dialog=$(wait_for dialog_id 20) || { fail "$label: no name dialog"; return 1; }
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  if [ "$name" != - ]; then
    xdotool type --delay 20 "$name"
    xdotool key Tab space  # "remember my name"
  fi
  xdotool key Return
  wait_gone "$dialog" || fail "$label: the name dialog stayed"
  sleep 2.5  # the welcome
}

# Menu item 6 of the menu strip (background colour) at 800 x 600.
next_background() { xdotool mousemove 251 19 click 1; sleep 0.5; }

# Menu item 8 (statistics) at 800 x 600: the window comes from its module,
# which the program finds beside itself or where the install put it.
stats_id() { xdotool search --onlyvisible --name '^Statistiche di apprendimento$' 2>/dev/null | grep -m1 .; }
open_statistics() {  # label
  local stats
  xdotool mousemove 323 19 click 1
  stats=$(wait_for stats_id 20) || { fail "$1: no statistics window: $(cat "$work/$1.log")"; return; }
  shot "$1-statistics"
  xdotool windowfocus --sync "$stats" 2>/dev/null
  xdotool key Escape
  wait_gone "$stats" || fail "$1: the statistics window stayed"
}

expected_ini=$'[AccessName]\r\nRemember=1\r\nName=ANNA\r\n[Options]\r\nErgonomic=0\r\nSong=1\r\nKeyMap=1\r\nHighlight=1\r\nSimpleKeyb=0\r\nBackColor=1\r\nCategory=0\r\n[Language]\r\nCurrentLanguage=Italian\r\n'
same_bytes() {  # file -> true when it holds exactly $expected_ini
  [ -f "$1" ] && cmp -s "$1" <(printf '%s' "$expected_ini")
}

# 1. Installed, read-only: everything goes to the user's folders.
user_ini=$HOME/.config/tastolino/Tastolino.ini
start_and_greet installed1 anna "$installed" && {
  next_background
  shot installed-first-run
}
stop_program
same_bytes "$user_ini" || fail "installed, first run: $user_ini is not as expected: $(cat -A "$user_ini" 2>&1)"
[ "$(stat -c %a "$HOME/.config/tastolino")" = 700 ] || fail "the settings folder is not private"
[ -e "$HOME/.local/share/tastolino" ] && fail "a data folder was made though nothing was written"

start_and_greet installed2 - "$installed" && {
  shot installed-second-run
  open_statistics installed2
}
stop_program
same_bytes "$user_ini" || fail "installed, second run: name or colour not read back: $(cat -A "$user_ini" 2>&1)"
[ "$(tree_state)" = "$before" ] || fail "the installed tree changed"

[ -f "$HOME/.local/share/tastolino/TastolinoStats.sqlite" ] ||
  fail "installed: the statistics are not in the user's data folder"

# 2. Portable: beside the executable, byte for byte, nothing for the user.
rm -rf "$HOME/.config" "$HOME/.local/share/tastolino"
e2e_fresh_copy "$build/app/tastolino"
start_and_greet portable anna "$app" && {
  next_background
  open_statistics portable
}
stop_program
same_bytes "$work/app/Tastolino.ini" || fail "portable: Tastolino.ini not as expected: $(cat -A "$work/app/Tastolino.ini" 2>&1)"
for folder in "$HOME/.config/tastolino" "$HOME/.local/share/tastolino"; do
  [ -e "$folder" ] && fail "portable: $folder was made"
done

# 3. A lesson by its path, absolute and relative; a missing path.
lessons="$work/Meine Übungen"
mkdir -p "$lessons"
lesson="$lessons/Grüße aus Köln.lez"
printf '[Livello1]\r\n1=ab cd\r\n2=ef gh\r\n3=ij kl\r\n4=mn op\r\n5=qr st\r\n' >"$lesson"

# Starts with the argument, answers the name dialog, types the first line of
# the lesson: when the lesson is played the title names it and moves on to
# sentence 2.
title_is() {  # pattern -> presses Enter on the main window until the title matches
  local main i
  main=$(main_id) || return 1
  for i in $(seq 80); do
    case "$(xdotool getwindowname "$main")" in *"$1") return 0 ;; esac
    if ((i % 5 == 1)); then
      xdotool windowfocus --sync "$main" 2>/dev/null
      xdotool key Return
    fi
    sleep 0.1
  done
  return 1
}
play_lesson() {  # label argument
  start_and_greet "$1" - "$installed" "$2" || { stop_program; return; }
  if ! title_is "Grüße aus Köln.lez -  Primo livello: frase 1"; then
    fail "$1: lesson not started (title: $(xdotool getwindowname "$(main_id)"))"
  else
    sleep 0.8
    xdotool type --delay 40 "ab cd"
    sleep 0.5
    shot "$1"
    title_is "Grüße aus Köln.lez -  Primo livello: frase 2" ||
      fail "$1: the lesson's sentence was not taken (title: $(xdotool getwindowname "$(main_id)"))"
  fi
  stop_program
}
play_lesson lesson-absolute "$lesson"
cd "$work" || exit 1
play_lesson lesson-relative "Meine Übungen/Grüße aus Köln.lez"
cd - >/dev/null || exit 1

# A path that is not there: a message box comes first, then the name dialog.
"$installed" "$work/nicht da.lez" >"$work/missing.log" 2>&1 &
pid=$!
box=$(wait_for dialog_id 20) || fail "missing path: no message"
if [ -n "$box" ]; then
  shot missing-path-message
  xdotool windowfocus --sync "$box" 2>/dev/null
  xdotool key Return
  wait_gone "$box" || fail "missing path: the message stayed"
  wait_for dialog_id 20 >/dev/null || fail "missing path: no name dialog after the message"
fi
stop_program

[ "$(tree_state)" = "$before" ] || fail "the installed tree changed"
[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; cat "$work"/*.log; }
exit $((failures > 0))

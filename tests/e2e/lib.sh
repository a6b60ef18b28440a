# Shared by the end-to-end scripts: a private work folder, runtime folder
# and user folders (so the single-instance lock is the script's own and the
# user's settings stay out), failure counting, and an Xvfb display of the
# script's own number range (suites run in parallel).
#   source lib.sh; e2e_init TOOLS...; e2e_start_display FIRST LAST WxH

# The real X path, not the offscreen one that ctest sets for widget tests.
unset QT_QPA_PLATFORM
export QT_QPA_PLATFORM=xcb

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=
xvfb=
# Scripts may add a command of their own to run first at exit.
e2e_on_exit=
e2e_cleanup() {
  [ -n "$e2e_on_exit" ] && eval "$e2e_on_exit"
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
}

e2e_init() {  # tools the script needs
  local tool
  for tool in Xvfb xdpyinfo "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
  done
  work=$(mktemp -d)
  trap e2e_cleanup EXIT
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # The user's own settings and lessons stay out of the runs.
  export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
}

e2e_start_display() {  # first last WxH; sets and exports DISPLAY
  local first=$1 last=$2 geometry=$3 n disp=
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  for n in $(seq "$first" "$last"); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }
  done
  [ -n "$disp" ] || { echo "no free display"; exit 1; }
  # -noreset: without it the keymap falls back to "us" when the last client leaves.
  Xvfb "$disp" -screen 0 "${geometry}x24" -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do xdpyinfo -display "$disp" >/dev/null 2>&1 && break; sleep 0.1; done
  export DISPLAY=$disp
}

# A fresh copy of the program folder without settings; sets $app.
e2e_fresh_copy() {  # program
  rm -rf "$work/app"
  cp -r "$(dirname "$1")" "$work/app"
  rm -f "$work/app/Tastolino.ini"
  app=$work/app/$(basename "$1")
}

# What the keyboard does in the program's main window, as the window
# publishes it: "typing" (the input box takes the keys of a sentence),
# "start" (Enter starts) or "busy" (keys are swallowed); empty before the
# window has said.
e2e_input_state() {  # window id
  xprop -id "$1" _TASTOLINO_INPUT 2>/dev/null | sed -n 's/^_TASTOLINO_INPUT([^)]*) = "\(.*\)"$/\1/p'
}

# Waits until the main window reports the state; false after `seconds`.
e2e_wait_input_state() {  # window id, state, seconds
  local i
  for i in $(seq $(($3 * 20))); do
    [ "$(e2e_input_state "$1")" = "$2" ] && return 0
    sleep 0.05
  done
  return 1
}

# Starts the sentence whose window title ends in $2 and returns once the
# title shows it and the input box takes its keys, as the window itself
# says. Enter is pressed whenever the window waits for it (after a results
# window the next level starts without it); the end of a sentence swallows
# keys for a moment. False after a minute.
e2e_start_sentence() {  # main window id, title ending
  local i state
  for i in $(seq 1200); do
    state=$(e2e_input_state "$1")
    if [ "$state" = typing ]; then
      case "$(xdotool getwindowname "$1" 2>/dev/null)" in *"$2") return 0 ;; esac
    elif [ "$state" = start ]; then
      xdotool windowfocus --sync "$1" 2>/dev/null
      xdotool key Return
      # Once: until the window has taken this Enter.
      for _ in $(seq 200); do [ "$(e2e_input_state "$1")" = start ] || break; sleep 0.05; done
      continue
    fi
    sleep 0.05
  done
  return 1
}

# Waits until no dialog is open; false after `seconds`.
e2e_wait_no_dialog() {  # seconds
  local i
  for i in $(seq $(($1 * 20))); do
    e2e_dialog_id >/dev/null || return 0
    sleep 0.05
  done
  return 1
}

# Windows of the program, found by title and size on a screen of width $sw
# and height $sh (set by the script).
e2e_window_size() {  # id -> "width height"
  xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'
}
# The main window: the one titled "Tastolino..." that fills the screen.
e2e_find_main() {  # seconds; prints its id
  local i id w h
  for i in $(seq $(($1 * 10))); do
    for id in $(xdotool search --onlyvisible --name '^Tastolino' 2>/dev/null); do
      read -r w h <<<"$(e2e_window_size "$id")"
      [ "$w" -eq "$sw" ] && [ "$h" -eq "$sh" ] && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
# A dialog: the window titled "Tastolino" that is smaller than the screen.
e2e_dialog_id() {
  local id w h
  for id in $(xdotool search --onlyvisible --name '^Tastolino$' 2>/dev/null); do
    read -r w h <<<"$(e2e_window_size "$id")"
    [ "${w:-0}" -lt "$sw" ] && { echo "$id"; return 0; }
  done
  return 1
}
e2e_wait_dialog() {  # seconds; prints its id
  local i
  for i in $(seq $(($1 * 10))); do
    e2e_dialog_id && return 0
    sleep 0.1
  done
  return 1
}

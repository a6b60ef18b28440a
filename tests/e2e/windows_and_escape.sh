#!/bin/bash
# Windows and the Esc key on the real program under Xvfb:
#  - the free-text report stays open while "Crea file pdf" is pressed three
#    times, and each report on disk passes qpdf --check while it is open;
#    "Chiudi" takes the report away and ends the command-line exercise;
#  - Esc at the close question leaves the program running, with no second
#    question; Esc in the about window, in the keyboard print question and
#    on the open file list asks nothing at all.
#   windows_and_escape.sh <program>
set -uo pipefail
program=${1:?program}
source "$(dirname "$0")/lib.sh"
e2e_init xdotool xwininfo xprop setxkbmap import convert qpdf
sw=800
sh=600
pid=
cupsd_pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null'

e2e_start_display 600 699 "${sw}x${sh}"
setxkbmap de || { echo "cannot set the German layout"; exit 1; }
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR"

# A printer for the print question: a private CUPS scheduler with one
# queue that prints nowhere (the program only asks; Esc answers No).
start_printer() {
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || return 1
  local c=$work/cups
  mkdir -p "$c/conf" "$c/spool" "$c/tmp" "$c/cache" "$c/state"
  chmod 755 "$work"
  cat >"$c/conf/cupsd.conf" <<EOF
Listen $c/cups.sock
LogLevel warn
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
  cat >"$c/conf/cups-files.conf" <<EOF
ServerRoot $c/conf
RequestRoot $c/spool
TempDir $c/tmp
CacheDir $c/cache
StateDir $c/state
ErrorLog $c/error_log
AccessLog $c/access_log
PageLog $c/page_log
FileDevice Yes
Group lp
SystemGroup root
EOF
  cupsd -f -c "$c/conf/cupsd.conf" -s "$c/conf/cups-files.conf" >/dev/null 2>&1 &
  cupsd_pid=$!
  for _ in $(seq 100); do [ -S "$c/cups.sock" ] && break; sleep 0.05; done
  lpadmin -h "$c/cups.sock" -p Nowhere -E -v file:/dev/null -m raw >/dev/null 2>&1 &&
    lpadmin -h "$c/cups.sock" -d Nowhere >/dev/null 2>&1 || return 1
  export CUPS_SERVER=$c/cups.sock
}

title_of() { xdotool getwindowname "$1" 2>/dev/null; }

dialog_id() { e2e_dialog_id; }
wait_dialog() { e2e_wait_dialog "$1"; }
wait_no_dialog() { e2e_wait_no_dialog "$1"; }

# After an Esc that closed something else: no question comes up (for a
# while), the program runs on and Enter would start.
expect_no_question() {  # what
  wait_no_dialog 10 || { fail "$1: the window did not close"; return; }
  sleep 1.5
  if d=$(dialog_id); then
    fail "$1: a question came up ($(e2e_window_size "$d"))"
    xdotool windowfocus --sync "$d" 2>/dev/null
    xdotool key n  # "No" (do not close)
    wait_no_dialog 5
  fi
  kill -0 "$pid" 2>/dev/null || fail "$1: the program ended"
}

start_program() {  # arguments...
  "$app" "$@" >"$work/run.log" 2>&1 &
  pid=$!
  main=$(e2e_find_main 15) || { fail "no main window"; cat "$work/run.log"; exit 1; }
  local d
  d=$(wait_dialog 30) || { fail "no user name dialog"; exit 1; }
  xdotool windowfocus --sync "$d" 2>/dev/null
  xdotool type --delay 20 "tester"
  xdotool key Return
  e2e_wait_input_state "$main" start 30 || { fail "the program never got ready"; exit 1; }
}

click() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# --- 1. The free-text report and its PDF, three times --------------------
e2e_fresh_copy "$program"
mkdir -p "$work/app/Esercizi"
printf 'Ja, so ist es.\r\n' >"$work/app/Esercizi/e2e.txt"
start_program /e2e.txt
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key Return
e2e_wait_input_state "$main" typing 30 || fail "the free text did not start"
xdotool type --delay 30 "Ja, so ist es."
report=$(wait_dialog 30) || { fail "no free-text report"; cat "$work/run.log"; exit 1; }
# The report lies in a folder of its own in the temporary folder, which
# only the user can enter; the file is the user's alone.
report_pdf() { ls -d "$TMPDIR"/tastolino-??????/TESTER.pdf 2>/dev/null | head -1; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
for n in 1 2 3; do
  # A new file may get the number of the one it replaces: the time of its
  # last change tells them apart.
  before=$(stat -c '%i %.9Y' "$(report_pdf)" 2>/dev/null)
  # "Crea file pdf": left in the button bar along the bottom of the report.
  click "$report" 115 389
  ok=0
  for _ in $(seq 200); do
    pdf=$(report_pdf)
    if [ -s "$pdf" ] && [ "$(stat -c '%i %.9Y' "$pdf")" != "$before" ] &&
      qpdf --check "$pdf" >/dev/null 2>&1; then ok=1; break; fi
    sleep 0.05
  done
  [ $ok -eq 1 ] || fail "PDF $n: missing or broken ($(qpdf --check "$pdf" 2>&1 | tail -1))"
  [ "$(stat -c %a "$pdf" 2>/dev/null)/$(stat -c %a "$(dirname "$pdf")" 2>/dev/null)" = 600/700 ] ||
    fail "PDF $n: not private ($(ls -ld "$pdf" "$(dirname "$pdf")" 2>&1))"
  sleep 0.5
  viewable "$report" || { fail "the report closed after PDF $n"; break; }
  [ -s "$pdf" ] || fail "PDF $n gone while the report is open"
done
click "$report" 354 389  # "Chiudi", right in the button bar
wait_no_dialog 10 || fail "the report did not close on Chiudi"
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$pid" 2>/dev/null; then
  fail "the command-line free text did not end after its report"
  kill "$pid"
  wait "$pid"
else
  wait "$pid" || fail "exit code $? after the report"
fi
pid=
[ -e "$pdf" ] && fail "the report file outlived its window"
ls -d "$TMPDIR"/tastolino-* >/dev/null 2>&1 && fail "the report's folder outlived its window"

# --- 2. Esc ----------------------------------------------------------------
printer=0
start_printer && printer=1
e2e_fresh_copy "$program"
mkdir -p "$work/app/Esercizi"
printf '[Livello1]\r\n1=abc\r\n' >"$work/app/Esercizi/uno.lez"
start_program

# At the close question: Esc answers No, its release asks nothing.
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key Escape
q=$(wait_dialog 10) || fail "Esc on the main window did not ask to close"
if [ -n "$q" ]; then
  xdotool windowfocus --sync "$q" 2>/dev/null
  xdotool key Escape
  expect_no_question "Esc at the close question"
fi

# In the about window (menu item 2 of the strip at the top left).
click "$main" 107 19
a=$(wait_dialog 10) || fail "the about window did not open"
if [ -n "$a" ]; then
  xdotool windowfocus --sync "$a" 2>/dev/null
  xdotool key Escape
  expect_no_question "Esc in the about window"
fi

# In the keyboard print question, asked from the about window: the link
# "Stampa la tastiera di Tastolino!" is the lowest text in link colour.
if [ $printer -eq 1 ]; then
  click "$main" 107 19
  a=$(wait_dialog 10) || fail "the about window did not open again"
  if [ -n "$a" ]; then
    import -window "$a" "$work/about.png"
    read -r px py <<<"$(convert "$work/about.png" txt:- |
      awk -F'[ ,:]+' 'toupper($0) ~ /#0B3D91/ {print $1, $2}' |
      sort -k2,2n | awk '{x[NR]=$1; y[NR]=$2} END {
        last=y[NR]; n=0; sx=0; sy=0
        for (i=1; i<=NR; i++) if (y[i] >= last - 16) {sx+=x[i]; sy+=y[i]; n++}
        if (n) printf "%d %d\n", sx/n, sy/n}')"
    if [ -n "${px:-}" ]; then
      click "$a" "$px" "$py"
      pq=$(wait_dialog 10)
      if [ -n "$pq" ] && [ "$pq" != "$a" ]; then
        xdotool windowfocus --sync "$pq" 2>/dev/null
        xdotool key Escape
        expect_no_question "Esc in the print question"
      else
        fail "no print question"
      fi
    else
      fail "the print link was not found in the about window"
    fi
  fi
else
  echo "note: no private printer could be set up; the print question was not tried"
  [ "$(id -u)" -eq 0 ] && fail "cupsd could not be started as root"
fi

# On the open file list: "Esercizi" in the source menu, then the list.
click "$main" 700 114
sleep 0.3
click "$main" 719 185
sleep 0.5
xdotool key Escape
expect_no_question "Esc on the open file list"

kill -TERM "$pid"
wait "$pid"
pid=

[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; cat "$work/run.log"; }
exit $((failures > 0))

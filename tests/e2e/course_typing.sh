#!/bin/bash
# The shipped course typed through the real X keyboard path on the German
# layout: the first lesson, the middle test and the last lesson, each chosen
# through the source menu ("Corso dattilo") and the course bookmark, typed
# sentence by sentence from the lesson file itself (Enter between the two
# lines of an entry, dead keys for accents, AltGr symbols) through the
# results windows after sentences 5, 10 and 15. After the first and the
# middle lesson "Termina" asks about the bookmark and keeps the lesson; the
# last lesson of the course clears the bookmark without asking.
#   course_typing.sh <program> <data folder of the sources> [screenshot folder]
set -uo pipefail
program=${1:?program}
data=${2:?data folder}
shots=${3:-}
sw=800
sh=600
source "$(dirname "$0")/lib.sh"
# Characters, not bytes, for the entries with umlauts and accents.
export LC_ALL=C.UTF-8
e2e_init xdotool xwininfo xprop setxkbmap iconv
pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null'
shot() { [ -n "$shots" ] && import -window root "$shots/$1.png"; }
[ -n "$shots" ] && mkdir -p "$shots"

e2e_start_display 900 999 "${sw}x${sh}"
setxkbmap de || { echo "cannot set the German layout"; exit 1; }

# The course as shipped (a build tree may still hold lessons it once had).
e2e_fresh_copy "$program"
course=$work/app/CorsoDattilo
rm -rf "$course"
cp -r "$data/CorsoDattilo" "$course"
bookmark=$course/Tastolino.bmk
mapfile -t lessons < <(cd "$course" && ls -1 *.lez | LC_ALL=C sort)
[ ${#lessons[@]} -ge 40 ] || { fail "only ${#lessons[@]} lessons"; exit 1; }
first=${lessons[0]}
last=${lessons[-1]}
middle=
for l in "${lessons[@]}"; do case $l in *Zwischentest*) middle=$l ;; esac; done
[ -n "$middle" ] || { fail "no middle test lesson"; exit 1; }

upper() { local n=${1%%.*}; echo "${n^^}"; }
index_of() { local i; for i in "${!lessons[@]}"; do [ "${lessons[$i]}" = "$1" ] && echo "$i"; done; }

# Entry `key` of level `level` of a lesson, in UTF-8 ("¦¦" kept).
entry() {  # file level key
  iconv -f CP1252 -t UTF-8 "$course/$1" | tr -d '\r' |
    awk -v sec="[Livello$2]" -v key="$3" '
      /^\[/ { on = ($0 == sec); next }
      on && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

title_of() { xdotool getwindowname "$1" 2>/dev/null; }

# The colour of one pixel of the screen, as "#RRGGBB".
pixel() { import -window root -crop "1x1+$1+$2" txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -1; }

wait_dialog_gone() {
  local i
  for i in $(seq 150); do e2e_dialog_id >/dev/null || return 0; sleep 0.1; done
  return 1
}

start_sentence() {  # title ending
  e2e_start_sentence "$main" "$1" && return 0
  fail "sentence '$1' did not start (title: $(title_of "$main"), state: $(e2e_input_state "$main"))"
  return 1
}

# Types text the way a learner does on the German keyboard: accented vowels
# and the lone accents through the dead keys, Enter for the line break of a
# two-line entry, everything else as characters of the layout.
type_entry() {
  local text=$1 run= c i
  flush() { [ -n "$run" ] && xdotool type --delay 40 -- "$run"; run=; }
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    case $c in
      é | á | í | ó | ú | è | à | ì | ò | ù | ê | â | î | ô | û | ^ | ´ | '`' | ¦) flush ;;
    esac
    case $c in
      é) xdotool key dead_acute e ;;
      á) xdotool key dead_acute a ;;
      í) xdotool key dead_acute i ;;
      ó) xdotool key dead_acute o ;;
      ú) xdotool key dead_acute u ;;
      è) xdotool key dead_grave e ;;
      à) xdotool key dead_grave a ;;
      ì) xdotool key dead_grave i ;;
      ò) xdotool key dead_grave o ;;
      ù) xdotool key dead_grave u ;;
      ê) xdotool key dead_circumflex e ;;
      â) xdotool key dead_circumflex a ;;
      î) xdotool key dead_circumflex i ;;
      ô) xdotool key dead_circumflex o ;;
      û) xdotool key dead_circumflex u ;;
      ^) xdotool key dead_circumflex space ;;
      ´) xdotool key dead_acute dead_acute ;;
      '`') xdotool key dead_grave space ;;
      ¦) [ "${text:i+1:1}" = ¦ ] && { i=$((i + 1)); xdotool key Return; } ;;
      *) run+=$c ;;
    esac
  done
  flush
}

open_results() {  # n
  e2e_wait_input_state "$main" start 60 || { fail "Enter never ready after sentence $1"; return 1; }
  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key Return
  e2e_wait_dialog 30 >/dev/null && return 0
  fail "no results window after sentence $1"
  return 1
}

answer_results() {  # n continua|termina
  local d
  d=$(e2e_dialog_id) || { fail "no results window after sentence $1"; return 1; }
  shot "$lesson_tag-results-$1"
  xdotool windowfocus --sync "$d" 2>/dev/null
  if [ "$2" = continua ]; then
    xdotool key Return
  else
    xdotool key Tab space  # from "Continua" to "Termina"
  fi
  sleep 0.3
}

bookmark_of() {  # the user's bookmark, empty when there is none
  [ -f "$bookmark" ] || return 0
  tr -d '\r' <"$bookmark" | awk -F= 'tolower($1) == "bookmark" {print $2}'
}

# One run of the program: the lesson after the bookmark, typed to the end.
run_lesson() {  # lesson file
  local lesson=$1 at prev level n key text ending
  lesson_tag=$(upper "$lesson" | tr ' ' _)
  at=$(index_of "$lesson")
  rm -f "$bookmark"
  if [ "$at" -gt 0 ]; then
    prev=$(upper "${lessons[$((at - 1))]}")
    printf '[tester]\r\nBookmark=%s\r\n' "$(printf '%s' "$prev" | iconv -f UTF-8 -t CP1252)" >"$bookmark"
  fi

  "$app" >"$work/run.log" 2>&1 &
  pid=$!
  main=$(e2e_find_main 15) || { fail "no main window"; cat "$work/run.log"; return 1; }
  local dialog
  dialog=$(e2e_wait_dialog 20) || { fail "no user name dialog"; return 1; }
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --delay 40 "tester"
  xdotool key Return
  wait_dialog_gone || { fail "user name dialog stays"; return 1; }

  # The welcome ends with Enter starting the lesson: a sentence started
  # before then would lose its input box, and the source menu takes clicks
  # only from then on. The window says when.
  e2e_wait_input_state "$main" start 60 || { fail "$lesson: the welcome never ended"; return 1; }
  # "Corso dattilo" in the source menu: the second option of the panel at
  # the top right of the exercise area; its dot shows it chosen.
  local chosen=0
  xdotool mousemove --window "$main" 658 92 click 1
  for i in $(seq 100); do
    case "$(pixel 655 91)" in '#'[0-6]*) chosen=1; break ;; esac
    sleep 0.05
  done
  # The pointer leaves the menu, so that no tooltip comes up over the input.
  xdotool mousemove 795 595
  shot "$lesson_tag-course-chosen"
  [ $chosen -eq 1 ] || { fail "$lesson: the course option is not chosen"; return 1; }

  for level in 1 2 3; do
    case $level in
      1) ending="Primo livello: frase " ;;
      2) ending="Secondo livello: frase  " ;;
      3) ending="Terzo livello: frase  " ;;
    esac
    for key in 1 2 3 4 5; do
      n=$(((level - 1) * 5 + key))
      start_sentence "$ending$key" || return 1
      case "$(title_of "$main")" in
        *"${lesson:0:20}"*) ;;
        *) fail "$lesson: title $(title_of "$main")"; return 1 ;;
      esac
      text=$(entry "$lesson" "$level" "$key")
      [ -n "$text" ] || { fail "$lesson: no entry $level/$key"; return 1; }
      type_entry "$text"
      [ $n -eq 13 ] && { sleep 0.3; shot "$lesson_tag-sentence-13"; }
    done
    # Enter after the fifth sentence of a level opens the results window;
    # keys are swallowed for a moment after a sentence, so press it until
    # the window shows.
    open_results $((level * 5)) || return 1
    if [ $level -lt 3 ]; then
      answer_results $((level * 5)) continua || return 1
    else
      answer_results 15 termina || return 1
    fi
  done
}

# After "Termina" the course asks whether to keep the bookmark (Yes keeps
# it), except after its last lesson, which clears it without asking.
finish_run() {  # lesson file, whether it is the last
  local ended=0
  if [ "$2" = no ]; then
    local q
    q=$(e2e_wait_dialog 20) || { fail "no bookmark question after $1"; return 1; }
    shot "$lesson_tag-bookmark-question"
    xdotool windowfocus --sync "$q" 2>/dev/null
    xdotool key Return
  fi
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { ended=1; break; }; sleep 0.1; done
  if [ $ended -eq 1 ]; then
    wait "$pid"; local code=$?; pid=
    [ $code -eq 0 ] || fail "exit code $code after $1"
  else
    fail "the program still runs after $1"
    return 1
  fi
  local mark
  mark=$(bookmark_of | iconv -f CP1252 -t UTF-8)
  if [ "$2" = no ]; then
    [ "$mark" = "$(upper "$1")" ] || fail "bookmark after $1: '$mark'"
  else
    [ -z "$mark" ] || fail "bookmark after the last lesson: '$mark'"
  fi
}

for l in "$first" "$middle" "$last"; do
  last_one=no
  [ "$l" = "$last" ] && last_one=yes
  if run_lesson "$l"; then
    finish_run "$l" "$last_one"
  else
    shot "failure"
    cat "$work/run.log"
    break
  fi
done

[ $failures -eq 0 ] && echo "PASS" || echo "$failures failure(s)"
exit $((failures > 0))

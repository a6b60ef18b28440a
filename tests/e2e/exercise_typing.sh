#!/bin/bash
# A whole exercise typed through the real X keyboard path on the German
# layout: a command-line exercise file of known sentences, level 1 and 2
# with umlauts and ß, level 3 with digits, AltGr and Shift symbols, Enter
# between the two lines and dead keys (é è â). The window title follows
# the sentences, the results window opens after sentences 5, 10 and 15,
# "Continua" goes on and "Termina" ends the program.
#   exercise_typing.sh <program> [screenshot folder] [WxH]
set -uo pipefail
program=${1:?program}
shots=${2:-}
geometry=${3:-800x600}
source "$(dirname "$0")/lib.sh"
sw=${geometry%x*}
sh=${geometry#*x}
e2e_init xdotool xwininfo xprop setxkbmap
pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null'
shot() { [ -n "$shots" ] && import -window root "$shots/$1.png"; }
[ -n "$shots" ] && mkdir -p "$shots"

e2e_start_display 300 399 "$geometry"
setxkbmap de || { echo "cannot set the German layout"; exit 1; }

# A fresh program folder with the exercise file (Windows-1252; "\xa6\xa6"
# splits a level-3 entry into its two lines).
e2e_fresh_copy "$program"
mkdir -p "$work/app/Esercizi"
printf '%b' \
  '[Livello1]\r\n' \
  '1=sch\xf6ne gr\xfc\xdfe\r\n' \
  '2=die b\xe4ume sind gr\xfcn\r\n' \
  '3=\xfcber die stra\xdfe\r\n' \
  '4=\xe4pfel und \xf6l\r\n' \
  '5=s\xfc\xdfe m\xf6hren, bitte\r\n' \
  '[Livello2]\r\n' \
  '1=Der Fu\xdf ist gro\xdf.\r\n' \
  '2=\xd6fter \xdcben!\r\n' \
  '3=\xc4rger: nie wieder.\r\n' \
  '4=Gr\xfc\xdfe an J\xfcrgen.\r\n' \
  '5=Das Ma\xdf ist voll!\r\n' \
  '[Livello3]\r\n' \
  '1=Mail: a@b.de, 20 \x80 f\xe4llig\xa6\xa6Preis {5} [7] \\ und |\r\n' \
  '2=Caf\xe9 und Cr\xe8me\xa6\xa6Ch\xe2teau 12 ~ 3\r\n' \
  '3=Summe: 3 * 4 = 12; 50 %\xa6\xa6"Ende" (x) & #1 $2?\r\n' \
  '4=Tel. 089/123-45\xa6\xa6Fax: 0 8 9\r\n' \
  '5=Ja_nein <ok> \xa6\xa6Gut so!\r\n' \
  >"$work/app/Esercizi/e2e.lez"

title_of() { xdotool getwindowname "$1" 2>/dev/null; }

dialog_id() { e2e_dialog_id; }
wait_dialog() { e2e_wait_dialog "$1"; }

start_sentence() {  # title ending
  e2e_start_sentence "$main" "$1" && return 0
  fail "sentence '$1' did not start (title: $(title_of "$main"), state: $(e2e_input_state "$main"))"
  return 1
}

# Enter after the last sentence of a level opens the results window.
finish_level() {  # level end
  e2e_wait_input_state "$main" start 30 || fail "Enter never ready after sentence $1"
  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key Return
}

type_text() { xdotool type --delay 25 -- "$1"; }

"$app" /e2e.lez >"$work/run.log" 2>&1 &
pid=$!

main=$(e2e_find_main 15) || { fail "no main window"; cat "$work/run.log"; exit 1; }

dialog=$(wait_dialog 15) || { fail "no user name dialog"; exit 1; }
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool type --delay 20 "tester"
xdotool key Return
for _ in $(seq 100); do dialog_id >/dev/null || break; sleep 0.1; done

# Level 1 and 2: umlauts and ß, typed as characters of the layout.
level1=("schöne grüße" "die bäume sind grün" "über die straße" "äpfel und öl" "süße möhren, bitte")
level2=("Der Fuß ist groß." "Öfter Üben!" "Ärger: nie wieder." "Grüße an Jürgen." "Das Maß ist voll!")

answer_results() {  # after sentence n: Continua (Return) or Termina
  local n=$1 answer=$2 d
  d=$(wait_dialog 15) || { fail "no results window after sentence $n"; return 1; }
  shot "results-after-$n"
  xdotool windowfocus --sync "$d" 2>/dev/null
  if [ "$answer" = continua ]; then
    xdotool key Return
  else
    xdotool key Tab space  # from "Continua" to "Termina"
  fi
  for _ in $(seq 100); do dialog_id >/dev/null || return 0; sleep 0.1; done
  fail "results window after sentence $n did not close"
}

n=0
for s in "${level1[@]}"; do
  n=$((n + 1))
  start_sentence "Primo livello: frase $n" || break
  if [ $n -eq 3 ] && [ -n "$shots" ]; then
    type_text "über die"
    sleep 0.5
    shot "sentence-half-typed"
    type_text " straße"
  else
    type_text "$s"
  fi
  [ $n -eq 3 ] && { sleep 0.3; shot "message-after-sentence"; }
done
case "$(title_of "$main")" in
  *"e2e.lez -  Primo livello: frase 5") ;;
  *) fail "title after level 1: $(title_of "$main")" ;;
esac

# Enter after sentence 5 opens the results window.
finish_level 5
answer_results 5 continua

n=0
for s in "${level2[@]}"; do
  n=$((n + 1))
  start_sentence "Secondo livello: frase  $n" || break
  type_text "$s"
done
finish_level 10
answer_results 10 continua

# Level 3: two lines each, Enter between them; AltGr and Shift symbols;
# dead keys for the accented letters.
level3() {
  case $1 in
    1) type_text "Mail: a@b.de, 20 € fällig"; xdotool key Return
       type_text "Preis {5} [7] \\ und |" ;;
    2) type_text "Caf"; xdotool key dead_acute e; type_text " und Cr"
       xdotool key dead_grave e; type_text "me"; xdotool key Return
       type_text "Ch"; xdotool key dead_circumflex a; type_text "teau 12 ~ 3" ;;
    3) type_text "Summe: 3 * 4 = 12; 50 %"; xdotool key Return
       type_text "\"Ende\" (x) & #1 \$2?" ;;
    4) type_text "Tel. 089/123-45"; xdotool key Return; type_text "Fax: 0 8 9" ;;
    5) type_text "Ja_nein <ok>"; xdotool key Return; type_text "Gut so!" ;;
  esac
}
for n in 1 2 3 4 5; do
  start_sentence "Terzo livello: frase  $n" || break
  level3 $n
done
finish_level 15
answer_results 15 termina

# "Termina" ends the program.
ended=0
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { ended=1; break; }; sleep 0.1; done
if [ $ended -eq 1 ]; then
  wait "$pid"; code=$?; pid=
  [ $code -eq 0 ] || fail "exit code $code after Termina"
else
  fail "the program still runs after Termina"
fi

[ $failures -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; cat "$work/run.log"; }
exit $((failures > 0))

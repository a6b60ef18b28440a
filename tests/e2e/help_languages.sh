#!/bin/bash
# The guide in each interface language, on the real program under Xvfb at
# 1024 x 768: for Italian and for every language file of the program folder
# that has a guide beside it, the program starts with that language in its
# settings, F1 is pressed in the main window and the guide's window comes
# up with the title of that language's first page.
#   help_languages.sh <program> [screenshot folder]
set -uo pipefail
program=${1:?program}
shots=${2:-}
source "$(dirname "$0")/lib.sh"
e2e_init xdotool xwininfo setxkbmap import
sw=1024
sh=768
pid=
e2e_on_exit='[ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null'
[ -n "$shots" ] && mkdir -p "$shots"

e2e_start_display 800 899 "${sw}x${sh}"
setxkbmap de || { echo "cannot set the German layout"; exit 1; }

folder=$(dirname "$program")
[ -f "$folder/help/index.html" ] || { fail "no guide beside $program"; exit 1; }

# The title of a guide's first page.
guide_title() {  # guide folder
  sed -n 's:.*<title>\(.*\)</title>.*:\1:p' "$1/index.html" | head -1
}

languages=(Italian)
for lng in "$folder"/Lang/*.lng; do
  [ -f "$lng" ] || continue
  name=$(basename "$lng" .lng)
  [ -d "$folder/help/$name" ] && languages+=("$name")
done
echo "languages: ${languages[*]}"

for language in "${languages[@]}"; do
  e2e_fresh_copy "$program"
  printf '[Language]\r\nCurrentLanguage=%s\r\n' "$language" >"$work/app/Tastolino.ini"
  guide=$work/app/help
  [ "$language" = Italian ] || guide=$guide/$language
  title=$(guide_title "$guide")
  [ -n "$title" ] || { fail "$language: no title in $guide/index.html"; continue; }

  "$app" >"$work/$language.log" 2>&1 &
  pid=$!
  main=$(e2e_find_main 30) || { fail "$language: no main window"; kill "$pid"; pid=; continue; }
  dialog=$(e2e_wait_dialog 30) || { fail "$language: no user name dialog"; kill "$pid"; pid=; continue; }
  xdotool windowfocus --sync "$dialog" 2>/dev/null
  xdotool type --delay 20 "anna"
  xdotool key Return
  e2e_wait_no_dialog 20 || fail "$language: the user name dialog stays"
  sleep 1  # the greeting settles

  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key F1
  viewer=
  for _ in $(seq 100); do
    viewer=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
    [ -n "$viewer" ] && break
    sleep 0.1
  done
  if [ -z "$viewer" ]; then
    fail "$language: F1 shows no window titled \"$title\""
  else
    echo "$language: F1 opens \"$title\""
    xdotool mousemove 1000 740 2>/dev/null  # no tooltip over the page
    sleep 0.5
    [ -n "$shots" ] && import -window root "$shots/help-$language.png"
  fi
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
done

[ "$failures" -eq 0 ] && echo "all help windows shown"
exit $((failures > 0))

#!/bin/bash
# Start-up, memory and idle processor time of the Release program under Xvfb
# at 800 x 600, 1024 x 768 and 1280 x 1024 on the German layout, with the
# settings of a learner who asked the program to remember the name (sounds
# on, everything else as shipped): per size the median of five second starts
# of the time from exec to the X server's first map event, then, with the
# name dialog answered and the Enter invitation blinking, resident, private
# and shared memory five seconds later and the processor time over the next
# ten seconds.
#   bench/xstart/run.sh [runs] [app folder]
# builds build/release when needed; an app folder (the program with its data,
# as a build tree's app/ holds it) measures that program instead, e.g. one
# built from an earlier commit.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
build=build/release
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target tastolino bench_xstart >/dev/null
app=$(realpath "${2:-$build/app}")

work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
cp -r "$app" "$work/app"
printf '[AccessName]\r\nRemember=1\r\nName=Lea\r\n' >"$work/app/Tastolino.ini"

for n in $(seq 120 160); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { disp=:$n; break; }
done
export DISPLAY=$disp
if [ -n "${2:-}" ]; then echo "$app"; else git log -1 --format='%h %s' 2>/dev/null || true; fi
for size in 800x600 1024x768 1280x1024; do
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  setxkbmap de
  printf '%-10s ' "$size"
  "$build/bin/bench_xstart" "$work/app/tastolino" "$runs"
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
  xvfb=
done

#!/bin/bash
# Screenshots of the keyboard panel under Xvfb at 800 x 600 and 1280 x 1024:
# finger map on and off, flat and 3D, "A" with its Shift, the carriage return
# with both Enter parts.
#   make_screenshots.sh <build dir> <output dir>
set -euo pipefail
build=${1:?build dir}
out=${2:?output dir}
demo=$build/bin/keyboard_demo
mkdir -p "$out"

shots=(
  "map-on-3d:"
  "map-off-3d:--map-off"
  "map-on-flat:--flat"
  "map-off-flat:--map-off --flat"
  "highlight-A-3d:--highlight A"
  "highlight-A-flat:--highlight A --flat"
  "highlight-CR-3d:--highlight CR"
  "highlight-CR-flat:--highlight CR --flat"
  "ergonomic-key-map:--ergonomic --key-map"
)
disp=:$((RANDOM % 100 + 150))
for size in 800x600 1280x1024; do
  Xvfb "$disp" -screen 0 "${size}x24" -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do xdpyinfo -display "$disp" >/dev/null 2>&1 && break; sleep 0.1; done
  for shot in "${shots[@]}"; do
    name=${shot%%:*}
    args=${shot#*:}
    # shellcheck disable=SC2086
    DISPLAY=$disp "$demo" --no-layout --exit-after 1500 $args &
    pid=$!
    sleep 1
    import -display "$disp" -window root "$out/$name-$size.png"
    wait $pid
  done
  kill $xvfb
  wait $xvfb 2>/dev/null || true
done
ls "$out"

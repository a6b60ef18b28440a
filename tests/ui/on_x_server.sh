#!/bin/bash
# Runs a widget test on an X server of its own (Xvfb) through the X path,
# for what only a real display does.
#   on_x_server.sh <test program> [arguments]
set -uo pipefail
source "$(dirname "$0")/../e2e/lib.sh"
e2e_init
e2e_start_display 1050 1099 640x480
"$@"

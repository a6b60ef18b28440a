#!/usr/bin/env bash
# Builds the Debian package: a Release build installed under /usr in
# build/package, packed with `cpack -G DEB`. Prints the package's path.
#   tools/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
tastolino_setup

build=build/package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" --target tastolino tastolino_desktop_files
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/tastolino_*.deb

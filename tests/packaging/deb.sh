#!/bin/bash
# The Debian package made from this build with CPack: the files a desktop
# install needs, the run-time dependencies, and no errors from lintian.
#   deb.sh <build folder>
set -uo pipefail
build=${1:?build folder}
source "$(dirname "$0")/lib.sh"
check_init cpack dpkg-deb dpkg-shlibdeps lintian

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/tastolino_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { cat "$work/cpack.log"; echo "FAIL: no package"; exit 1; }
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for path in ./usr/bin/tastolino \
  ./usr/share/tastolino/CorsoDattilo/ ./usr/share/tastolino/Esercizi/ \
  ./usr/share/tastolino/Lang/English.lng ./usr/share/tastolino/help/index.html \
  ./usr/share/tastolino/help/1001.html ./usr/share/tastolino/help/style.css \
  ./usr/share/tastolino/help/English/index.html ./usr/share/tastolino/help/English/1001.html \
  ./usr/share/tastolino/help/German/index.html ./usr/share/tastolino/help/German/1001.html \
  ./usr/share/tastolino/help/French/index.html ./usr/share/tastolino/help/French/1001.html \
  ./usr/share/tastolino/help/Spanish/index.html ./usr/share/tastolino/help/Spanish/1001.html \
  ./usr/share/applications/org.tastolino.Tastolino.desktop \
  ./usr/share/metainfo/org.tastolino.Tastolino.metainfo.xml \
  ./usr/share/mime/packages/org.tastolino.Tastolino.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.tastolino.Tastolino.svg \
  ./usr/share/icons/hicolor/48x48/apps/org.tastolino.Tastolino.png \
  ./usr/share/icons/hicolor/256x256/apps/org.tastolino.Tastolino.png \
  ./usr/share/man/man1/tastolino.1.gz \
  ./usr/share/doc/tastolino/copyright ./usr/share/doc/tastolino/changelog.Debian.gz; do
  grep -qxF "$path" <<<"$contents" || fail "missing in the package: $path"
done
grep -q '^\./usr/lib/[a-z0-9_-]*/tastolino/tastolino-statistics\.so$' <<<"$contents" ||
  fail "missing in the package: the statistics window's module"
grep -q '/\.keep$' <<<"$contents" && fail "placeholder files in the package"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libqt6widgets6 libqt6svg6 libqt6charts6 libx11-6 \
  fonts-liberation2 fonts-dejavu-core libasound2 libqt6sql6-sqlite; do
  grep -q "\b$dep\b" <<<"$depends" || fail "does not depend on $dep"
done

lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1
code=$?
cat "$work/lintian.log"
[ $code -eq 0 ] || fail "lintian reports errors"
grep -q '^E: ' "$work/lintian.log" && fail "lintian errors"

check_done

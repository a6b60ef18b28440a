#!/bin/bash
# The files the install gives the desktop, checked with the desktop's own
# tools: the desktop entry, the AppStream metadata, the .lez file type and
# the manual page; and the release named in the metadata and the Debian
# changelog is the program's version.
#   desktop_files.sh <packaging folder> <version>
set -uo pipefail
dir=${1:?packaging folder}
version=${2:?version}
id=org.tastolino.Tastolino
source "$(dirname "$0")/lib.sh"
check_init desktop-file-validate appstreamcli update-mime-database man

desktop=$dir/$id.desktop
out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx 'Exec=tastolino %f' "$desktop" || fail "Exec is not 'tastolino %f'"
grep -qx "Icon=$id" "$desktop" || fail "Icon is not $id"
grep -q '^Categories=.*Education;' "$desktop" || fail "not in the Education category"
grep -qx 'MimeType=application/x-tastolino-lesson;' "$desktop" || fail "MimeType"

appstreamcli validate --no-net "$dir/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$dir/$id.metainfo.xml" ||
  fail "no release $version in the AppStream metadata"
head -1 "$dir/debian/changelog" | grep -q "^tastolino ($version-1) " ||
  fail "the Debian changelog does not start with $version-1"

# *.lez is a lesson once the file type is installed.
mkdir -p "$work/mime/packages"
cp "$dir/$id.mime.xml" "$work/mime/packages/$id.xml"
out=$(XDG_DATA_DIRS=$work update-mime-database "$work/mime" 2>&1) || fail "update-mime-database: $out"
[ -z "$out" ] || fail "update-mime-database: $out"
grep -qx 'application/x-tastolino-lesson:\*\.lez' "$work/mime/globs" || fail "*.lez not in the globs"
grep -qx 'application/x-tastolino-lesson text/plain' "$work/mime/subclasses" ||
  fail "a lesson is not plain text"

# The manual page as lintian reads it: no warnings.
out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
  "$dir/tastolino.1" 2>&1 >/dev/null)
[ -z "$out" ] || fail "man: $out"

check_done

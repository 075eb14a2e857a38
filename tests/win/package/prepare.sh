#!/usr/bin/env bash
# prepare.sh BUILD_DIR OUT_DIR CMAKE: makes the packages of BUILD_DIR into OUT_DIR as
# make dist does, and unpacks the portable zip into a folder of the Wine prefix whose
# path has spaces and letters outside ASCII: C:\Zav Tést Ünïcode\ (in the prefix of
# every desktop the test holds, tools/wine-desktop.sh).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
build=$1 out=$2 cmake=$3

rm -rf "$out"
"$root/packaging/make-packages.sh" "$build" "$out"
zip=$(ls "$out"/ZAVCaption-*-portable.zip)

unpack() {
  local dest="${WINEPREFIX:-$root/build/wineprefix}/drive_c/Zav Tést Ünïcode"
  rm -rf "$dest"
  mkdir -p "$dest"
  (cd "$dest" && "$cmake" -E tar xf "$zip")
}
. "$root/tools/wine-desktop.sh"
for_each_desktop unpack

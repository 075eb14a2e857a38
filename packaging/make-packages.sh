#!/usr/bin/env bash
# make-packages.sh BUILD_DIR OUT_DIR: makes OUT_DIR/ZAVCaption-VERSION.msi and
# OUT_DIR/ZAVCaption-VERSION-portable.zip from a Windows build (ZAVCaption.exe,
# "ZAV Caption.jpg" and zav_version.txt, which CMake writes from the project's
# version). Both carry the same four files: the program (its symbol table stripped),
# the splash picture it opens from its own folder, README.txt and
# THIRD-PARTY-NOTICES.txt. zavplayer.dll is never packaged.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "${1:?usage: make-packages.sh BUILD_DIR OUT_DIR}" && pwd)
mkdir -p "${2:?usage: make-packages.sh BUILD_DIR OUT_DIR}"
out=$(cd "$2" && pwd)

version=$(tr -d ' \r\n' < "$build/zav_version.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "bad version '$version' in $build/zav_version.txt" >&2; exit 1; }
for f in ZAVCaption.exe "ZAV Caption.jpg"; do
  [ -f "$build/$f" ] || { echo "missing $build/$f: build the Windows side first" >&2; exit 1; }
done

name="ZAVCaption-$version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage="$work/$name"
mkdir "$stage"

# The program with its symbol table stripped: the build links statically and keeps
# the symbols, which only a debugger needs.
strip=$(command -v x86_64-w64-mingw32-strip || true)
if [ -n "$strip" ]; then
  "$strip" -o "$stage/ZAVCaption.exe" "$build/ZAVCaption.exe"
else
  cp "$build/ZAVCaption.exe" "$stage/"
fi
cp "$build/ZAV Caption.jpg" "$stage/"
# CRLF line ends, so that Notepad of any Windows shows the lines.
sed 's/\r*$/\r/' "$root/README.md" > "$stage/README.txt"
"$here/third-party-notices.sh" | sed 's/\r*$/\r/' > "$stage/THIRD-PARTY-NOTICES.txt"

# The MSI. wixl takes every file by a name relative to its working folder: the staged
# folder's files, and the icon shown in the list of installed programs.
cp "$root/resources/zavcaption.ico" "$work/"
if ! (cd "$work" && wixl -a x64 -D Version="$version" -D Files="$name" -o "$out/$name.msi.part" \
        "$here/zavcaption.wxs") 2> "$work/wixl.log"; then
  cat "$work/wixl.log" >&2
  rm -f "$out/$name.msi.part"
  exit 1
fi
# wixl reports a non-advertised shortcut as "unimplemented" yet writes it whole.
grep -v 'builder.vala:[0-9]*: unimplemented' "$work/wixl.log" >&2 || true
mv -f "$out/$name.msi.part" "$out/$name.msi"

# The zip: the same files in one folder, named after the version.
rm -f "$out/$name-portable.zip"
(cd "$work" && zip -q -X -r -9 "$out/$name-portable.zip" "$name")

for f in "$out/$name.msi" "$out/$name-portable.zip"; do
  printf '%s\t%s bytes\n' "$f" "$(stat -c %s "$f")"
done

#!/bin/sh
# Registers zavplayer.dll as the player's in-process server in the project's Wine
# prefix (tools/wine-run). Run it after every build and after a prefix update, which
# may restore Wine's own player.
# Under tools/on-desktop --every it registers the player on every desktop
# (tools/wine-desktop.sh).
# Usage: mediaplayer/register.sh [path/to/zavplayer.dll]   (default build/win/zavplayer.dll)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
dll=${1:-$root/build/win/zavplayer.dll}
case $dll in
  /*) ;;
  *) dll=$(pwd)/$dll ;;
esac
[ -f "$dll" ] || { echo "register.sh: $dll not found" >&2; exit 1; }
# Wine sees the Unix root as drive Z:.
windows_path="Z:$(printf '%s' "$dll" | tr '/' '\\')"
. "$root/tools/wine-desktop.sh"
for_each_desktop "$root/tools/wine-run" regsvr32 /s "$windows_path"

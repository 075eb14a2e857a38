#!/bin/sh
# Runs a command with the prefix's screen at another DPI (Wine's LogPixels) on a
# display of its own, large enough for the window at that DPI (1920 x 1200), and puts
# 96 back afterwards whatever the command did.
# Usage: at_dpi.sh DPI command...
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
dpi=$1
shift
setDpi() { "$root/tools/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'setDpi 96' EXIT
setDpi "$dpi"
ZAV_SCREEN=1920x1200 "$root/tools/xvfb-session" "$@"

# Sourced by the scripts that start Wine programs. Under tools/wine-desktops a Wine
# test runs on one of several desktops, each an Xvfb display and a Wine prefix of its
# own (tools/on-desktop hands them out).
#
# for_each_desktop COMMAND...: runs COMMAND once on every desktop a test holds
# (tools/on-desktop --every), or once on the current display and prefix when it holds
# none, and fails when one of them fails.

zav_use_desktop() {
  # $1: the desktop's number.
  eval "DISPLAY=\${ZAV_DESKTOP_${1}_DISPLAY} WINEPREFIX=\${ZAV_DESKTOP_${1}_PREFIX}"
  ZAV_DESKTOP=$1
  export ZAV_DESKTOP DISPLAY WINEPREFIX
}

for_each_desktop() {
  if [ -z "${ZAV_HELD_DESKTOPS:-}" ]; then
    "$@"
    return
  fi
  zav_status=0
  for zav_id in $ZAV_HELD_DESKTOPS; do
    (zav_use_desktop "$zav_id" && "$@") || zav_status=1
  done
  return $zav_status
}

# zav_start_xvfb SIZE: starts Xvfb with one screen of SIZE (1280x1024) on a display
# that is free, and sets DISPLAY to it and zav_xvfb_pid to its process. Xvfb picks
# the display itself and writes its number once it takes connections, so sessions
# started together never race for one.
zav_start_xvfb() {
  zav_fifo=$(mktemp -u) && mkfifo "$zav_fifo" || return 1
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "${1}x24" 3>"$zav_fifo" >/dev/null 2>&1 &
  zav_xvfb_pid=$!
  zav_number=
  read -r zav_number <"$zav_fifo"
  rm -f "$zav_fifo"
  [ -n "$zav_number" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=:$zav_number
  export DISPLAY
}

# Sourced by the scripts that start Wine programs (tools/wine-run, tools/xvfb-session
# and the tests' own scripts). Under tools/wine-desktops, CTest hands each Wine test one
# or more desktops (its resource "desktops"); a desktop is an Xvfb display and a Wine
# prefix of its own. This puts the programs of the test on the first desktop it was
# given, once: a script started by another keeps the desktop it was started on.
#
# for_each_desktop COMMAND...: runs COMMAND once on every desktop the test was given
# (once on the current display and prefix when it was given none), and fails when
# one of them fails.

zav_use_desktop() {
  # $1: the desktop's number, as CTest's allocation names it ("id:1,slots:1").
  zav_id=${1#id:}
  zav_id=${zav_id%%,*}
  case $zav_id in
    ''|*[!0-9]*) return 0 ;;
  esac
  eval "zav_display=\${ZAV_DESKTOP_${zav_id}_DISPLAY:-} zav_prefix=\${ZAV_DESKTOP_${zav_id}_PREFIX:-}"
  [ -n "$zav_display" ] && [ -n "$zav_prefix" ] || return 0
  ZAV_DESKTOP=$zav_id DISPLAY=$zav_display WINEPREFIX=$zav_prefix
  export ZAV_DESKTOP DISPLAY WINEPREFIX
}

if [ -z "${ZAV_DESKTOP:-}" ] && [ -n "${CTEST_RESOURCE_GROUP_0_DESKTOPS:-}" ]; then
  zav_use_desktop "$CTEST_RESOURCE_GROUP_0_DESKTOPS"
fi

for_each_desktop() {
  if [ -z "${CTEST_RESOURCE_GROUP_COUNT:-}" ]; then
    "$@"
    return
  fi
  zav_status=0
  zav_group=0
  while [ "$zav_group" -lt "$CTEST_RESOURCE_GROUP_COUNT" ]; do
    eval "zav_allocation=\${CTEST_RESOURCE_GROUP_${zav_group}_DESKTOPS:-}"
    (zav_use_desktop "$zav_allocation" && "$@") || zav_status=1
    zav_group=$((zav_group + 1))
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

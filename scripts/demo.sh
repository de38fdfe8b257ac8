#!/usr/bin/env bash
# The benchmark's main job on the emulated demo devices. With a display, Sektra.exe /DEMO
# starts under wine for you to work with; without one, the demo journey runs headless and
# prints its figures and where the CSV file and the screenshots are.
# Uses the programs that scripts/build.sh built (BUILD_ROOT, default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BUILD_ROOT=${BUILD_ROOT:-$root/build}
source "$root/scripts/wine-env.sh" /nonexistent
# wine runs 32-bit programs only where the kernel can; the 64-bit build is the same program.
tree=win32
[ "$SEKTRA_WINE32_OK" = 1 ] || tree=win64
"$root/scripts/tree.sh" "$tree" Sektra sektra_language window_probe demo_probe >/dev/null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  prefix=$BUILD_ROOT/demo-prefix
  "$root/scripts/wineprefix.sh" "$prefix"
  source "$root/scripts/wine-env.sh" "$prefix"
  # The settings file that Setup writes, when there is none yet.
  settings="$prefix/drive_c/users/${USER:-$(id -un)}/AppData/Local/Sektra"
  if [ ! -f "$settings/Sektra.ini" ]; then
    mkdir -p "$settings"
    printf '%s\r\n' TimerMode=1 ShowInterval=100 PerFrq=0 PerformCells=201 >"$settings/Sektra.ini"
  fi
  echo "demo: Sektra.exe /DEMO on $DISPLAY (emulated devices; nothing touches a real disk)"
  cd "$BUILD_ROOT/$tree/src/app/win32"
  exec "$SEKTRA_WINE" ./Sektra.exe /DEMO
fi

echo "demo: no display; running the demo journey headless"
JOURNEY_TREE=$tree exec "$root/test/journeys/demo.sh"

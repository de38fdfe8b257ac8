# Helpers for the journeys: whole-program runs of Sektra (and Setup) under wine on a private
# Xvfb, driven with xdotool and window_probe, with screenshots. Source it from a journey:
#
#   source "$(dirname "$0")/lib.sh"
#   journey_init main                    # scratch folder, display and wine prefix
#   journey_copy_programs "$J/bin"       # Sektra.exe and Sektra.jpn to run from
#   journey_settings                     # the settings file that Setup writes
#   journey_start "$J/bin/Sektra.exe" /DEMO
#   win=$(journey_wait_window '^Sektra')
#   journey_screenshot main.png
#
# Environment: BUILD_ROOT (default: the repository's build/) holds the build trees; JOURNEY_TREE
# picks one (default win32 when this machine runs 32-bit programs, else win64), or JOURNEY_BUILD
# names the tree itself; JOURNEY_OUT is where scratch folders and screenshots go (default
# $BUILD_ROOT/journeys). A journey exits 77 (skipped) when its programs cannot run here.
set -euo pipefail

JOURNEY_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$JOURNEY_REPO/scripts/wine-env.sh" /nonexistent  # for SEKTRA_WINE; the prefix comes later
source "$JOURNEY_REPO/scripts/xvfb.sh"
: "${BUILD_ROOT:=$JOURNEY_REPO/build}"
if [ -z "${JOURNEY_TREE:-}" ]; then
  if [ "$SEKTRA_WINE32_OK" = 1 ]; then JOURNEY_TREE=win32; else JOURNEY_TREE=win64; fi
fi
: "${JOURNEY_BUILD:=$BUILD_ROOT/$JOURNEY_TREE}"
: "${JOURNEY_OUT:=$BUILD_ROOT/journeys}"
JOURNEY_FAILURES=0
JOURNEY_PIDS=()

journey_log() { echo "[$(date +%H:%M:%S)] $*" >&2; }

# journey_check DESCRIPTION COMMAND...: runs the command, reports ok/FAILED, counts failures.
journey_check() {
  local what=$1; shift
  if "$@"; then journey_log "ok: $what"; else journey_log "FAILED: $what"; JOURNEY_FAILURES=$((JOURNEY_FAILURES + 1)); fi
}

# journey_init NAME: $J (scratch folder), a private Xvfb in DISPLAY, a fresh wine prefix in
# WINEPREFIX (copied from one made once per build root), and cleanup at exit.
journey_init() {
  if ! sektra_can_run "$JOURNEY_BUILD/src/app/win32/Sektra.exe"; then
    journey_log "journey $1: skipped"
    exit 77
  fi
  J=$JOURNEY_OUT/$1
  rm -rf "$J"
  mkdir -p "$J"
  trap journey_cleanup EXIT
  sektra_xvfb_start 1280x1024x24 || exit 1
  local base=$JOURNEY_OUT/prefix-base
  "$JOURNEY_REPO/scripts/wineprefix.sh" "$base"
  cp -a "$base" "$J/prefix"
  rm -f "$J/prefix/.sektra-ready"
  source "$JOURNEY_REPO/scripts/wine-env.sh" "$J/prefix"
  journey_log "journey $1: display $DISPLAY, prefix $WINEPREFIX, programs of $JOURNEY_BUILD"
}

journey_cleanup() {
  local pid
  for pid in "${JOURNEY_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "${WINEPREFIX:-}" ] && WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  sektra_xvfb_stop
}

# journey_copy_programs DIR: Sektra.exe with its language module, and window_probe.exe.
journey_copy_programs() {
  mkdir -p "$1"
  cp "$JOURNEY_BUILD/src/app/win32/Sektra.exe" "$JOURNEY_BUILD/src/app/win32/Sektra.jpn" "$1/"
  cp "$JOURNEY_BUILD/test/windows/app/window_probe.exe" "$J/"
}

# The local application-data folder of the prefix's user, as a Unix path.
journey_local_appdata() { echo "$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Local"; }

# journey_settings [LINE...]: writes Sektra's settings file (CR LF); without lines, what
# Setup writes.
journey_settings() {
  local dir
  dir="$(journey_local_appdata)/Sektra"
  mkdir -p "$dir"
  if [ $# -eq 0 ]; then set -- TimerMode=1 ShowInterval=100 PerFrq=0 PerformCells=201; fi
  printf '%s\r\n' "$@" > "$dir/Sektra.ini"
}

# journey_start PROGRAM ARGS...: runs it in the background; its pid in JOURNEY_PID. Variables
# set before the call (LANG=... journey_start ...) reach the program.
journey_start() {
  (cd "$(dirname "$1")" && exec "$SEKTRA_WINE" "$@") >>"$J/wine.log" 2>&1 &
  JOURNEY_PID=$!
  JOURNEY_PIDS+=("$JOURNEY_PID")
}

# journey_run SECONDS PROGRAM ARGS...: runs it in the foreground; prints its exit code.
journey_run() {
  local seconds=$1; shift
  local code=0
  (cd "$(dirname "$1")" && exec timeout "$seconds" "$SEKTRA_WINE" "$@") >>"$J/wine.log" 2>&1 || code=$?
  echo "$code"
}

# journey_wait_exit PID SECONDS: waits for a program journey_start started (call it in the
# journey's own shell, not in $(...)); its exit code in JOURNEY_CODE, 124 when it did not
# end in time.
journey_wait_exit() {
  local pid=$1 seconds=$2 i
  JOURNEY_CODE=124
  for i in $(seq 1 $((seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      JOURNEY_CODE=0
      wait "$pid" || JOURNEY_CODE=$?
      return
    fi
    sleep 0.1
  done
}

# journey_wait_window REGEX [SECONDS]: the X window id of the first window whose name
# matches, waiting up to SECONDS (default 60); empty output when none appeared.
journey_wait_window() {
  local pattern=$1 seconds=${2:-60} i id
  for i in $(seq 1 $((seconds * 5))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return; fi
    sleep 0.2
  done
}

# journey_wait_caption WINDOW SUFFIX: the window's caption once it ends with SUFFIX (after up to
# five minutes, whatever it is then).
journey_wait_caption() {
  local title=
  for _ in $(seq 1 600); do
    title=$(xdotool getwindowname "$1" 2>/dev/null || true)
    case $title in *"$2") break ;; esac
    sleep 0.5
  done
  echo "$title"
}

# journey_count_windows REGEX: how many visible windows match now.
journey_count_windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# journey_texts TITLE [MS]: the title and control texts of the program window titled exactly
# TITLE, one a line (window_probe runs inside the same wine session).
journey_texts() {
  (cd "$J" && "$SEKTRA_WINE" ./window_probe.exe texts "$1" "${2:-20000}") 2>>"$J/wine.log" | tr -d '\r'
}

# journey_post TITLE MESSAGE WPARAM: posts a message to the window titled exactly TITLE.
journey_post() { (cd "$J" && "$SEKTRA_WINE" ./window_probe.exe post "$1" "$2" "$3") 2>>"$J/wine.log"; }

# journey_click WINDOW X Y: a left click at (X, Y) of the window.
journey_click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

# journey_double_click WINDOW X Y
journey_double_click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 80 1; sleep 0.3; }

# journey_keys WINDOW KEY...: keystrokes to the window (xdotool key names).
journey_keys() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key --delay 120 "${@:2}"; sleep 0.3; }

# journey_screenshot NAME.png: the whole screen into $J.
journey_screenshot() { sleep 0.5; import -window root "$J/$1"; journey_log "screenshot $J/$1"; }

# journey_window_shot WINDOW NAME.png: the screen cut to the window's rectangle, into $J.
journey_window_shot() {
  sleep 0.5
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$J/$2"
  journey_log "screenshot $J/$2"
}

# journey_resource_string ID_NAME: a string of the language module, read from its source.
journey_resource_string() {
  sed -n "s/^ *$1 *\"\\(.*\\)\".*/\\1/p" "$JOURNEY_REPO/src/language/Strings.rc" | head -1
}

# journey_finish: exit status of the journey.
journey_finish() {
  if [ "$JOURNEY_FAILURES" -eq 0 ]; then journey_log "journey passed"; exit 0; fi
  journey_log "journey failed: $JOURNEY_FAILURES check(s)"
  exit 1
}

# journey_caption IDD_NAME: the caption of a dialog template of the language module.
journey_caption() {
  sed -n "/^$1 DIALOGEX/,/^BEGIN/s/^CAPTION \"\\(.*\\)\"/\\1/p" "$JOURNEY_REPO"/src/language/*.rc | head -1
}

# Sourced: sets the environment for running the project's Windows programs under wine.
# usage: source wine-env.sh PREFIX
export WINEPREFIX="$1"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
# Debian ships neither wine-mono nor wine-gecko: without mscoree and mshtml disabled, wine
# offers to download them in a dialog that blocks a headless run. winemenubuilder would turn
# every shortcut a program makes (Setup makes three) into .desktop and menu files in the
# host's home folder, and stay running after the test.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Some kernels cannot execute 32-bit ELF programs, and then the 32-bit wine loader cannot
# start: only 64-bit Windows programs run, through wine64. SEKTRA_WINE32_OK tells the callers
# which kind of machine this is, SEKTRA_WINE32_WHY why not; SEKTRA_NO_WINE32=1 makes a machine
# that can act as one that cannot, to try that path. SEKTRA_WINE starts any program this
# machine can run.
if [ "${SEKTRA_NO_WINE32:-0}" = 1 ]; then
  SEKTRA_WINE32_WHY="SEKTRA_NO_WINE32=1 is set"
elif [ ! -x /usr/lib/wine/wine ]; then
  SEKTRA_WINE32_WHY="wine32 is not installed (scripts/setup.sh installs it)"
elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  SEKTRA_WINE32_WHY="this machine's kernel cannot run 32-bit programs"
else
  SEKTRA_WINE32_WHY=
fi
export SEKTRA_WINE32_WHY
if [ -z "$SEKTRA_WINE32_WHY" ]; then
  export SEKTRA_WINE=/usr/lib/wine/wine SEKTRA_WINE32_OK=1
else
  export SEKTRA_WINE=/usr/lib/wine/wine64 SEKTRA_WINE32_OK=0 WINELOADER=/usr/lib/wine/wine64
fi

# sektra_pe_bits FILE: 32 or 64 for a Windows executable or module; nothing (status 1) for
# anything else. The machine field follows the "PE\0\0" signature that offset 60 points to.
sektra_pe_bits() {
  local at sig
  at=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$at" ] || return 1
  sig=$(od -An -tx1 -j"$at" -N6 "$1" 2>/dev/null | tr -d ' \n')
  case $sig in
    504500004c01) echo 32 ;;
    504500006486) echo 64 ;;
    *) return 1 ;;
  esac
}

# sektra_can_run FILE: status 0 unless FILE is a 32-bit Windows program that this machine
# cannot run; then it says why on stderr, and the caller reports the test as skipped (77).
sektra_can_run() {
  if [ "$SEKTRA_WINE32_OK" != 1 ] && [ "$(sektra_pe_bits "$1")" = 32 ]; then
    echo "$(basename "$1") is a 32-bit Windows program, and 32-bit programs cannot run here:" >&2
    echo "$SEKTRA_WINE32_WHY. Skipped; the win64 tree runs the same tests." >&2
    return 1
  fi
}

#!/usr/bin/env bash
# Runs a Windows program under wine in the given prefix (made on first use), headless when
# there is no display. usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
prefix=$1; shift
source "$here/wine-env.sh" "$prefix"
if [ "$SEKTRA_WINE32_OK" = 0 ] && od -An -tx1 -j"$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')" -N6 "$1" 2>/dev/null | grep -q '50 45 00 00 4c 01'; then
  echo "wine-run: $1 is a 32-bit Windows program, and this machine's kernel cannot run 32-bit" >&2
  echo "wine-run: programs (so neither can wine32). Skipped; the win64 tree runs the same tests." >&2
  exit 77
fi
"$here/wineprefix.sh" "$prefix"
source "$here/xvfb-ensure.sh"
exec "$SEKTRA_WINE" "$@"

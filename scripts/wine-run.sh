#!/usr/bin/env bash
# Runs a Windows program under wine in the given prefix (made on first use), headless when
# there is no display. usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# Exit code 77 (skipped) for a 32-bit program on a machine that cannot run those.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
prefix=$1; shift
source "$here/wine-env.sh" "$prefix"
sektra_can_run "$1" || exit 77
"$here/wineprefix.sh" "$prefix"
source "$here/xvfb-ensure.sh"
exec "$SEKTRA_WINE" "$@"

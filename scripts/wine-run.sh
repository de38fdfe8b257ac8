#!/usr/bin/env bash
# Runs a Windows program under wine in the given prefix (made on first use), headless when
# there is no display. usage: wine-run.sh PREFIX PROGRAM [ARGS...]
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
prefix=$1; shift
"$here/wineprefix.sh" "$prefix"
source "$here/wine-env.sh" "$prefix"
source "$here/xvfb-ensure.sh"
exec wine "$@"

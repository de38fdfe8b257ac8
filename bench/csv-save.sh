#!/usr/bin/env bash
# Prints the time to save the CSV file of a complete sequential test, under wine (the x86_64
# build when this machine cannot run 32-bit programs).
# usage: bench/csv-save.sh     (BUILD_ROOT picks the build trees, default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh" /nonexistent
tree=win32
[ "$SEKTRA_WINE32_OK" = 1 ] || tree=win64
build=${BUILD_ROOT:-$root/build}
"$root/scripts/tree.sh" "$tree" csv_save_bench >/dev/null
exec "$root/scripts/wine-run.sh" "$build/$tree/wineprefix" "$build/$tree/test/windows/testwindows/csv_save_bench.exe"

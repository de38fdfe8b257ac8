#!/usr/bin/env bash
# Makes the distribution folder and its zip from a Windows build tree:
#   OUT/Sektra/{Sektra.exe, Sektra.jpn, Setup.exe, Sektra.chm, Readme.txt} and OUT/Sektra.zip
# usage: dist.sh [TREE] [OUT]   (defaults: $BUILD_ROOT/win32 or build/win32, and dist/)
# The files are copied unchanged from where the tree's tests and journeys run them, so what
# ships is what was tested. Pieces that are not built yet are named and left out; the exit
# code is then 3, so a caller can tell a complete distribution (0) from a partial one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-${BUILD_ROOT:-$root/build}/win32}
out=${2:-$root/dist}
[ -d "$tree" ] || { echo "dist: no build tree $tree (build it first: scripts/tree.sh win32)" >&2; exit 1; }
tree=$(cd "$tree" && pwd)

built() {   # built NAME: where the tree builds the file of that name
  case $1 in
    Sektra.exe|Sektra.jpn) echo "$tree/src/app/win32/$1" ;;
    Setup.exe) echo "$tree/src/setup/win32/$1" ;;
    *) echo "$tree/help/$1" ;;
  esac
}

rm -rf "$out/Sektra" "$out/Sektra.zip"
mkdir -p "$out/Sektra"
missing=()
for name in Sektra.exe Sektra.jpn Setup.exe Sektra.chm Readme.txt; do
  src=$(built "$name")
  if [ ! -f "$src" ]; then
    missing+=("$name")
    continue
  fi
  cp "$src" "$out/Sektra/$name"
  case $name in
    *.exe|*.jpn)
      if x86_64-w64-mingw32-objdump -h "$src" | grep -q '\.debug_'; then
        echo "dist: $src carries debug information: the deliverables link with -s (CMakeLists.txt)" >&2
        exit 1
      fi
      if ! x86_64-w64-mingw32-objdump -f "$src" | grep -q 'pei-i386'; then
        echo "dist: note: $name is a 64-bit build; the deliverable is the 32-bit one (win32 tree)" >&2
      fi
      ;;
    Readme.txt)
      iconv -f CP932 -t UTF-16LE "$src" > /dev/null || { echo "dist: Readme.txt is not CP932" >&2; exit 1; }
      ;;
  esac
done
# Executables may import system DLLs only: everything else is linked in statically.
if ! imports=$("$root/scripts/check-imports.sh" "$out/Sektra"); then
  echo "dist: $imports" >&2
  exit 1
fi

( cd "$out" && rm -f Sektra.zip && zip -qr -X Sektra.zip Sektra )
echo "dist: $out/Sektra/ and $out/Sektra.zip:"
( cd "$out/Sektra" && ls -l | tail -n +2 )
if [ ${#missing[@]} -gt 0 ]; then
  echo "dist: MISSING (not built yet in $tree): ${missing[*]}" >&2
  exit 3
fi

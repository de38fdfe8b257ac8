#!/usr/bin/env bash
# Makes the distribution folder and its zip from a Windows build tree:
#   OUT/Sektra/{Sektra.exe, Sektra.jpn, Setup.exe, Sektra.chm, Readme.txt} and OUT/Sektra.zip
# usage: dist.sh [TREE] [OUT]   (defaults: $BUILD_ROOT/win32 or build/win32, and dist/)
# Pieces that are not built yet are named and left out; the exit code is then 3, so a caller
# can tell a complete distribution (0) from a partial one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${1:-${BUILD_ROOT:-$root/build}/win32}
out=${2:-$root/dist}
[ -d "$tree" ] || { echo "dist: no build tree $tree (build it first: scripts/tree.sh win32)" >&2; exit 1; }
tree=$(cd "$tree" && pwd)

# The newest file of that name in the tree, outside wine prefixes and test scratch folders.
find_built() {
  find "$tree" -name "$1" -type f -not -path '*/wineprefix/*' -not -path '*/help-stage/*' \
       -not -path '*/Testing/*' -printf '%T@ %p\n' 2>/dev/null | sort -rn | head -1 | cut -d' ' -f2-
}

# Executables may import system DLLs only: everything else is linked in statically.
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMCTL32|COMDLG32|SETUPAPI|msvcrt|VERSION|SHLWAPI|WINMM)\.dll$'

rm -rf "$out/Sektra" "$out/Sektra.zip"
mkdir -p "$out/Sektra"
missing=()
for name in Sektra.exe Sektra.jpn Setup.exe Sektra.chm Readme.txt; do
  src=$(find_built "$name")
  if [ -z "$src" ]; then
    missing+=("$name")
    continue
  fi
  cp "$src" "$out/Sektra/$name"
  case $name in
    *.exe|*.jpn)
      # The trees build with debug information; users get the program without it.
      if objdump_out=$(i686-w64-mingw32-objdump -f "$out/Sektra/$name" 2>/dev/null) && grep -q 'pei-i386' <<<"$objdump_out"; then
        i686-w64-mingw32-strip "$out/Sektra/$name"
      else
        x86_64-w64-mingw32-strip "$out/Sektra/$name"
        echo "dist: note: $name is a 64-bit build; the deliverable is the 32-bit one (win32 tree)" >&2
      fi
      bad=$(i686-w64-mingw32-objdump -p "$out/Sektra/$name" 2>/dev/null | sed -n 's/.*DLL Name: //p' | grep -viE "$system_dlls" || true)
      [ -z "$bad" ] || { echo "dist: $name imports non-system DLLs: $bad" >&2; exit 1; }
      ;;
    Readme.txt)
      iconv -f CP932 -t UTF-16LE "$out/Sektra/$name" > /dev/null || { echo "dist: Readme.txt is not CP932" >&2; exit 1; }
      ;;
  esac
done

( cd "$out" && rm -f Sektra.zip && zip -qr -X Sektra.zip Sektra )
echo "dist: $out/Sektra/ and $out/Sektra.zip:"
( cd "$out/Sektra" && ls -l | tail -n +2 )
if [ ${#missing[@]} -gt 0 ]; then
  echo "dist: MISSING (not built yet in $tree): ${missing[*]}" >&2
  exit 3
fi

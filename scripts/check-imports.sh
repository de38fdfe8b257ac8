#!/usr/bin/env bash
# Fails when a Windows executable or module of the build tree imports a DLL that Windows does
# not ship: everything else (the C++ runtime, libgcc, winpthread) must be linked in statically.
# usage: check-imports.sh BUILD_TREE
set -euo pipefail
tree=${1:?usage: check-imports.sh BUILD_TREE}
system='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|OLEAUT32|COMCTL32|COMDLG32|SETUPAPI|msvcrt|VERSION|SHLWAPI|WINMM|api-ms-win-.*)\.dll$'
bad=0; count=0
while IFS= read -r -d '' f; do
  count=$((count + 1))
  while read -r dll; do
    if ! grep -qiE "$system" <<<"$dll"; then
      echo "$f imports $dll"
      bad=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/ {print $3}')
done < <(find "$tree" \( -name '*.exe' -o -name '*.jpn' -o -name '*.dll' \) -type f \
           -not -path '*/drive_c/*' -not -path '*/CMakeFiles/*' -not -path '*/Testing/*' -print0)
echo "check-imports: $count files checked"
[ "$bad" = 0 ]

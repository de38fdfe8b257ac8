#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test:
# native (plain, ASan+UBSan, TSan), the libFuzzer targets for a bounded time, and the
# Windows tests and journeys under wine, 32- and 64-bit. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1

passed=0; failed=0; skipped=0; failures=()
run_tree() {   # run_tree NAME CTEST-ARGS... ; builds (all, or $targets) and runs ctest
  local name=$1; shift
  echo "== $name"
  if ! "$root/scripts/tree.sh" "$name" ${targets:-}; then
    failed=$((failed + 1)); failures+=("$name: build"); return
  fi
  local log=$root/build/$name/ctest.log
  ( cd "$root/build/$name" && ctest --output-on-failure -j2 "$@" ) 2>&1 | tee "$log" | grep -vE '^ *(Start|[0-9]+/[0-9]+ Test) ' 
  local p f
  p=$(grep -oE '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$p" ]; then
    grep -q 'No tests were found' "$log" && return
    failed=$((failed + 1)); failures+=("$name: ctest did not finish"); return
  fi
  f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+)/\1/' <<<"$p")
  local total; total=$(sed -E 's/.*out of ([0-9]+)/\1/' <<<"$p")
  local s; s=$(grep -cE '^\s*[0-9]+ - .*\(Skipped\)' "$log")
  passed=$((passed + total - f - s)); failed=$((failed + f)); skipped=$((skipped + s))
  [ "$f" = 0 ] || failures+=("$name: $f failed")
}

targets= run_tree native
targets= run_tree asan
targets=tsan_suite run_tree tsan -L tsan
wine32_ok=$(source scripts/wine-env.sh /dev/null; echo "$SEKTRA_WINE32_OK")
if [ "$wine32_ok" = 1 ]; then
  targets= run_tree win32
else
  # Its tests could only report "Skipped" here: build what ships, and let win64 run the tests.
  echo "== win32 (the deliverables only: this machine cannot run 32-bit programs)"
  "$root/scripts/tree.sh" win32 deliverables || { failed=$((failed + 1)); failures+=("win32: build"); }
fi
targets= run_tree win64
if [ -f test/fuzz/CMakeLists.txt ]; then
  targets=fuzz_suite run_tree fuzz -L fuzz
fi

# Leave no wine or X server behind.
for p in build/win32/wineprefix build/win64/wineprefix; do
  [ -d "$p" ] && WINEPREFIX=$root/$p wineserver -k 2>/dev/null
done
pkill -f 'Xvfb :87' 2>/dev/null

for f in "${failures[@]}"; do echo "FAILED: $f"; done
if [ "$skipped" != 0 ]; then
  echo "(skipped: 32-bit Windows programs where this machine cannot run them; the win64 tree runs the same tests)"
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]

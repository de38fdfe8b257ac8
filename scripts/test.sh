#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test:
# native (plain, ASan+UBSan, TSan), the libFuzzer targets for a bounded time, and the
# Windows tests and journeys under wine, 32- and 64-bit. Exits non-zero on any failure.
# Where this machine cannot run 32-bit programs, the win32 tree is still built whole and its
# wine runs report "Skipped"; the win64 tree runs the same tests.
# usage: test.sh [TREE...]   (default: every tree; CI runs them all)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh" || exit 1
# BUILD_ROOT (default build/) holds the trees, as for scripts/tree.sh.
export BUILD_ROOT=${BUILD_ROOT:-$root/build}
source "$root/scripts/xvfb.sh"

# Which kind of machine this is (in a subshell: the wine settings stay out of the builds).
wine32=$(source scripts/wine-env.sh /nonexistent; echo "$SEKTRA_WINE32_OK:$SEKTRA_WINE32_WHY")
wine32_ok=${wine32%%:*}
wine32_why=${wine32#*:}

# One X server of our own for the Windows tests (the journeys start their own too), so that
# nothing shows on the user's screen and nothing is left behind.
unset DISPLAY
sektra_xvfb_start || exit 1
cleanup() {
  local p
  for p in "$BUILD_ROOT"/win32/wineprefix "$BUILD_ROOT"/win64/wineprefix; do
    [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null
  done
  sektra_xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM   # so that an interrupted run cleans up too

passed=0; failed=0; skipped=0; failures=(); times=()
run_tree() {   # run_tree NAME CTEST-ARGS... ; builds (all, or $targets) and runs ctest
  local name=$1; shift
  local start=$SECONDS
  echo "== $name"
  if ! "$root/scripts/tree.sh" "$name" ${targets:-}; then
    failed=$((failed + 1)); failures+=("$name: build"); return
  fi
  local log=$BUILD_ROOT/$name/ctest.log
  ( cd "$BUILD_ROOT/$name" && ctest --output-on-failure -j2 "$@" ) 2>&1 | tee "$log" | grep -vE '^ *(Start|[0-9]+/[0-9]+ Test) '
  times+=("$name $(((SECONDS - start + 30) / 60)) min")
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
  # Only the wine runs of 32-bit programs may skip, and only where they cannot run.
  if [ "$s" != 0 ] && { [ "$name" != win32 ] || [ "$wine32_ok" = 1 ]; }; then
    failed=$((failed + s)); failures+=("$name: $s skipped, though this machine runs its programs")
  fi
}

trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native asan tsan win32 win64 fuzz)
for t in "${trees[@]}"; do
  case $t in native|asan|tsan|win32|win64|fuzz) ;; *) echo "test.sh: unknown tree $t" >&2; exit 2 ;; esac
done
wanted() { [[ " ${trees[*]} " == *" $1 "* ]]; }
wanted native && targets= run_tree native
wanted asan && targets= run_tree asan
wanted tsan && targets=tsan_suite run_tree tsan -L tsan
wanted win32 && targets= run_tree win32
wanted win64 && targets= run_tree win64
if wanted fuzz && [ -f test/fuzz/CMakeLists.txt ]; then
  targets=fuzz_suite run_tree fuzz -L fuzz
fi

echo "== time: ${times[*]/%/;} total $(((SECONDS + 30) / 60)) min"
for f in "${failures[@]}"; do echo "FAILED: $f"; done
if [ "$wine32_ok" = 1 ]; then
  echo "(32-bit Windows programs run here: the win32 tree ran its tests and journeys)"
else
  echo "(32-bit Windows programs cannot run here: $wine32_why; the win32 tree was built"
  echo " and its wine runs skipped; the win64 tree runs the same tests)"
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]

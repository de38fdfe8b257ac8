#!/usr/bin/env bash
# Configures (once) and builds one build tree. usage: tree.sh NAME [TARGET...]
#   native  Linux g++             asan   Linux g++ with ASan + UBSan
#   tsan    Linux g++ with TSan   fuzz   Linux clang with libFuzzer
#   win32   Windows i686 (the deliverable)   win64  Windows x86_64
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:?usage: tree.sh NAME [TARGET...]}; shift
# BUILD_ROOT lets several developers build one work tree side by side.
dir=${BUILD_ROOT:-$root/build}/$name
case $name in
  native) args=() ;;
  asan)   args=(-DSEKTRA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG='-g -O1') ;;
  tsan)   args=(-DSEKTRA_TSAN=ON) ;;
  fuzz)   args=(-DSEKTRA_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  win32)  args=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-i686.cmake) ;;
  win64)  args=(-DCMAKE_TOOLCHAIN_FILE=$root/cmake/toolchain-x86_64.cmake) ;;
  *) echo "tree.sh: unknown tree $name" >&2; exit 2 ;;
esac
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
set +e
cmake --build "$dir" -j2 "${targets[@]}" | grep -vE '^\[[0-9]+/[0-9]+\] '
status=${PIPESTATUS[0]}
set -e
exit "$status"

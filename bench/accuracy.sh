#!/usr/bin/env bash
# How close the engine's figures come to the reference tool's on a real device: a 2 GiB file
# on this machine's disk, read unbuffered by both, interleaved, five runs each:
#   sequential: the engine's sequential read at 64 KiB over the whole file, beside
#               fio --direct=1 --rw=read --bs=64k --iodepth=1 --ioengine=psync
#   random:     the engine's 10000 random 4 KiB reads, beside fio --rw=randread --bs=4k
#               --number_ios=10000 (offsets on 512-byte boundaries and drawn freely, as the
#               engine draws them)
# and, when the win64 tree has the benchmark and wine runs, the Windows build reading the same
# file through FILE_FLAG_NO_BUFFERING. Prints the medians; the last line is "ratio X.XXX",
# engine / fio, for the sequential case.
#
# usage: bench/accuracy.sh [NATIVE_TREE [WIN64_TREE]]
#   defaults: $BUILD_ROOT/native and $BUILD_ROOT/win64 (BUILD_ROOT defaults to build/)
# environment: ACCURACY_DIR (where the file goes, default /work/accuracy-data), ACCURACY_MIB
# (file size, default 2048), ACCURACY_RUNS (default 5). Build first:
#   scripts/tree.sh native accuracy_bench; scripts/tree.sh win64 accuracy_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
native=${1:-$build/native}
win64=${2:-$build/win64}
dir=${ACCURACY_DIR:-/work/accuracy-data}
mib=${ACCURACY_MIB:-2048}
runs=${ACCURACY_RUNS:-5}
bench=$native/src/filedevice/accuracy_bench
winbench=$win64/src/filedevice/accuracy_bench.exe

command -v fio >/dev/null || { echo "accuracy: fio is not installed" >&2; exit 2; }
command -v jq >/dev/null || { echo "accuracy: jq is not installed" >&2; exit 2; }
[ -x "$bench" ] || { echo "accuracy: $bench not built" >&2; exit 2; }

mkdir -p "$dir"
# Room for the file and a margin of 1 GiB.
free_mib=$(df -Pm "$dir" | awk 'NR == 2 { print $4 }')
if [ "$free_mib" -lt $((mib + 1024)) ]; then
  echo "accuracy: $dir has $free_mib MiB free, $((mib + 1024)) needed" >&2
  exit 2
fi
file=$dir/accuracy-$$.bin
trap 'rm -f "$file"' EXIT

# Random bytes, written past the cache: no sparse or all-zero blocks that a file system or a
# virtual disk could answer without reading.
echo "accuracy: writing $mib MiB to $file${rt:+ (runs at real-time priority)}" >&2
dd if=/dev/urandom of="$file" bs=1M count="$mib" oflag=direct conv=fsync status=none
bytes=$((mib * 1048576))

# Both tools bypass the page cache; this also evicts whatever a buffered reader left. Without
# the rights for drop_caches, dd's nocache flag evicts this file's pages alone.
drop_cache() {
  sync
  if ! { echo 3 > /proc/sys/vm/drop_caches; } 2>/dev/null; then
    dd if="$file" iflag=nocache count=0 status=none
  fi
}

# This machine is shared: with a load of many compilers on two cores, a process woken by its
# finished read waits for a processor, and that wait lands inside every timed command, of
# either tool. Both therefore run with the same real-time priority when the system allows it
# (ACCURACY_RT=0 turns that off); then a woken reader runs at once, and Sleep(0) (sched_yield)
# yields only to equals, as it does on Windows.
rt=()
if [ "${ACCURACY_RT:-1}" = 1 ] && chrt -f 10 true 2>/dev/null; then rt=(chrt -f 10); fi

ours() {  # test -> "timed wall": the engine's average over its timed commands, and the bytes
          # over the run's wall-clock time, both KB/s (1 KB = 1024 bytes)
  drop_cache
  "${rt[@]}" "$bench" "$file" "$1" |
    awk '$1 == "average_kbps" { a = $2 } $1 == "wall_kbps" { w = $2 } END { print a, w }'
}

fio_read() {  # fio arguments... -> "bandwidth per-command": fio's bandwidth (bytes over the job's
              # run time), and the block size over the mean latency of one read, both KiB/s
  drop_cache
  "${rt[@]}" fio --name=accuracy --filename="$file" --direct=1 --iodepth=1 --ioengine=psync --invalidate=1 \
      --size="$bytes" --output-format=json "$@" |
    jq -r '.jobs[0].read | "\(.bw) \((.io_bytes / .total_ios) * 1e9 / .lat_ns.mean / 1024 | floor)"'
}

windows() {  # test -> KB/s
  drop_cache
  local winpath
  winpath="Z:$(printf '%s' "$file" | tr / '\\')"
  "${rt[@]}" "$root/scripts/wine-run.sh" "$win64/wineprefix" "$winbench" "$winpath" "$1" 2>/dev/null \
    | tr -d '\r' | awk '$1 == "average_kbps" { print $2 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", (b > 0 ? a / b : 0) }'; }

# Without arguments the benchmark answers its usage with status 2; the wine wrapper answers 77
# where it cannot run a program at all.
with_windows=0
if [ -f "$winbench" ]; then
  status=0
  "$root/scripts/wine-run.sh" "$win64/wineprefix" "$winbench" >/dev/null 2>&1 || status=$?
  [ "$status" = 2 ] && with_windows=1
fi

# The first pass over the file warms whatever sits below the page cache (a virtual disk's host
# cache, the drive's own) the same way for every run that follows.
dd if="$file" of=/dev/null bs=1M iflag=direct status=none

# One test, both tools, $runs times. Fills the arrays ours, wall, fio, percmd, win.
measure() {  # test label fio-arguments...
  local test=$1 label=$2 i a b w line
  shift 2
  ours=() wall=() fio=() percmd=() win=()
  for i in $(seq 1 "$runs"); do
    # The order alternates, so that neither tool always reads after the other.
    if [ $((i % 2)) = 1 ]; then
      a=$(ours "$test"); b=$(fio_read "$@")
    else
      b=$(fio_read "$@"); a=$(ours "$test")
    fi
    ours+=("${a% *}"); wall+=("${a#* }"); fio+=("${b% *}"); percmd+=("${b#* }")
    line="run $i $label: sektra ${a% *} KB/s (wall clock ${a#* }), fio ${b% *} KiB/s (per command ${b#* })"
    if [ "$test" = sequential ] && [ "$with_windows" = 1 ]; then
      w=$(windows "$test"); win+=("$w"); line="$line, sektra under wine $w KB/s"
    fi
    echo "$line"
  done
}

med() { printf '%s\n' "$@" | median; }
# The median of the run-by-run ratios: each pair ran back to back, under the same conditions.
paired() {  # "a1 a2 ..." "b1 b2 ..."
  local -a x=($1) y=($2)
  local i
  for i in "${!x[@]}"; do ratio "${x[$i]}" "${y[$i]}"; done | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : sprintf("%.3f", (v[NR / 2] + v[NR / 2 + 1]) / 2)) }'
}
summary() {  # label
  local o f
  o=$(med "${ours[@]}"); f=$(med "${fio[@]}")
  echo "$1 median: sektra $o KB/s, fio $f KiB/s; run by run ratio $(paired "${ours[*]}" "${fio[*]}")"
  echo "$1 like for like: sektra timed / fio per command $(ratio "$o" "$(med "${percmd[@]}")")," \
       "sektra wall clock / fio bandwidth $(ratio "$(med "${wall[@]}")" "$f")"
  last_ratio=$(ratio "$o" "$f")
}

measure random "random 4 KiB" --rw=randread --bs=4k --blockalign=512 --norandommap --number_ios=10000
summary "random 4 KiB"
echo "random ratio $last_ratio"

measure sequential "sequential 64 KiB" --rw=read --bs=64k
summary "sequential 64 KiB"
if [ "$with_windows" = 1 ]; then
  sw=$(med "${win[@]}")
  echo "sequential 64 KiB, Windows build under wine: median $sw KB/s, $(ratio "$sw" "$(med "${ours[@]}")") of the native figure"
else
  echo "sequential 64 KiB, Windows build under wine: not run (no win64 tree or no wine)"
fi
echo "ratio $last_ratio"

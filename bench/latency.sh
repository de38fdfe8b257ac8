#!/usr/bin/env bash
# Command latency and IOPS beside the reference tool's, on the same file read unbuffered: the
# engine's random read of 10000 commands of 4 KiB at aligned positions (sektra-cli run rndread
# file:FILE --size 4 --aligned), and fio --direct=1 --ioengine=psync --iodepth=1 --rw=randread
# --bs=4k --number_ios=10000 (its offsets are aligned to the block size by default). Runs
# interleaved, prints each run, the medians of p50, p99 and IOPS, and the ratios sektra / fio
# (fio's completion latency; its IOPS are commands over its run time, so they sit beside our
# wall-clock IOPS). Then, unless LATENCY_MEMORY=0, the latency record's size over a run of
# 10 million commands on a zero-time emulated disk (bench/latency_memory_bench).
#
# usage: bench/latency.sh [NATIVE_TREE]   (default $BUILD_ROOT/native, BUILD_ROOT default build/)
# environment: LATENCY_DIR (where the file goes, default /work/accuracy-data), LATENCY_MIB
# (file size, default 2048), LATENCY_RUNS (default 5), LATENCY_RT=0 (no real-time priority).
# Build first: scripts/tree.sh native sektra-cli latency_memory_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
native=${1:-$build/native}
dir=${LATENCY_DIR:-/work/accuracy-data}
mib=${LATENCY_MIB:-2048}
runs=${LATENCY_RUNS:-5}
cli=$native/src/cli/sektra-cli
memory_bench=$native/bench/latency_memory_bench

command -v fio >/dev/null || { echo "latency: fio is not installed" >&2; exit 2; }
command -v jq >/dev/null || { echo "latency: jq is not installed" >&2; exit 2; }
[ -x "$cli" ] || { echo "latency: $cli not built" >&2; exit 2; }

mkdir -p "$dir"
free_mib=$(df -Pm "$dir" | awk 'NR == 2 { print $4 }')
if [ "$free_mib" -lt $((mib + 1024)) ]; then
  echo "latency: $dir has $free_mib MiB free, $((mib + 1024)) needed" >&2
  exit 2
fi
file=$dir/latency-$$.bin
trap 'rm -f "$file"' EXIT

# Random bytes written past the cache: nothing a file system could answer without reading.
echo "latency: writing $mib MiB to $file" >&2
dd if=/dev/urandom of="$file" bs=1M count="$mib" oflag=direct conv=fsync status=none
bytes=$((mib * 1048576))

drop_cache() {
  sync
  if ! { echo 3 > /proc/sys/vm/drop_caches; } 2>/dev/null; then
    dd if="$file" iflag=nocache count=0 status=none
  fi
}

# Both tools at the same real-time priority where the system allows it, so that on a shared
# machine a woken reader does not wait for a processor inside its timed command.
rt=()
if [ "${LATENCY_RT:-1}" = 1 ] && chrt -f 10 true 2>/dev/null; then rt=(chrt -f 10); fi

ours() {  # -> "p50_us p99_us iops wall_iops"
  drop_cache
  "${rt[@]}" "$cli" run rndread "file:$file" --size 4 --aligned --json - |
    jq -r '"\(.latencyNs.p50 / 1000) \(.latencyNs.p99 / 1000) \(.iops) \(.wallIops)"'
}

theirs() {  # -> "p50_us p99_us iops"
  drop_cache
  "${rt[@]}" fio --name=latency --filename="$file" --direct=1 --ioengine=psync --iodepth=1 --invalidate=1 \
      --rw=randread --bs=4k --norandommap --number_ios=10000 --size="$bytes" --output-format=json |
    jq -r '.jobs[0].read | "\(.clat_ns.percentile["50.000000"] / 1000) \(.clat_ns.percentile["99.000000"] / 1000) \(.iops | floor)"'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
med() { printf '%s\n' "$@" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f\n", (b > 0 ? a / b : 0) }'; }

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors${rt:+, real-time priority}"
# One pass over the file first, so that whatever lies below the page cache is as warm for
# every run that follows.
dd if="$file" of=/dev/null bs=1M iflag=direct status=none

op50=() op99=() oiops=() owall=() fp50=() fp99=() fiops=()
for i in $(seq 1 "$runs"); do
  # The order alternates, so that neither tool always reads after the other.
  if [ $((i % 2)) = 1 ]; then a=$(ours); b=$(theirs); else b=$(theirs); a=$(ours); fi
  read -r p50 p99 iops wall <<<"$a"
  read -r f50 f99 fiops_run <<<"$b"
  op50+=("$p50") op99+=("$p99") oiops+=("$iops") owall+=("$wall")
  fp50+=("$f50") fp99+=("$f99") fiops+=("$fiops_run")
  echo "run $i: sektra p50 $p50 us, p99 $p99 us, IOPS $iops (wall $wall); fio p50 $f50 us, p99 $f99 us, IOPS $fiops_run"
done

m_op50=$(med "${op50[@]}") m_op99=$(med "${op99[@]}") m_oiops=$(med "${oiops[@]}") m_owall=$(med "${owall[@]}")
m_fp50=$(med "${fp50[@]}") m_fp99=$(med "${fp99[@]}") m_fiops=$(med "${fiops[@]}")
echo "median sektra: p50 $m_op50 us, p99 $m_op99 us, IOPS $m_oiops (wall $m_owall)"
echo "median fio:    p50 $m_fp50 us, p99 $m_fp99 us, IOPS $m_fiops"
echo "ratio sektra / fio: p50 $(ratio "$m_op50" "$m_fp50"), p99 $(ratio "$m_op99" "$m_fp99")," \
     "IOPS $(ratio "$m_oiops" "$m_fiops") (wall IOPS $(ratio "$m_owall" "$m_fiops"))"

if [ "${LATENCY_MEMORY:-1}" = 1 ]; then
  if [ -x "$memory_bench" ]; then
    echo "== latency record over 10 million commands (zero-time emulated disk)"
    "$memory_bench"
  else
    echo "latency: $memory_bench not built; the memory figure is left out" >&2
  fi
fi

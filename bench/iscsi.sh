#!/usr/bin/env bash
# The engine's cost over iSCSI: on a logical unit backed by a file in memory (/dev/shm), served
# by a private tgtd on 127.0.0.1, interleaved runs of
#   sequential: the runner's sequential read at 64 KiB over the whole unit, beside
#               iscsi-perf -m 1 -b 128 (depth 1, 128 blocks of 512 bytes);
#   random:     the runner's 10000 random 4 KiB reads, beside iscsi-perf -m 1 -b 8 -r.
# Same library, same target, same depth: the difference is what the engine adds. Prints every
# run and the medians (KB/s, 1 KB = 1024 bytes); the last line is "ratio X.XXX", runner /
# iscsi-perf, sequential.
#
# The runner is sektra-cli (build/native/src/cli/sektra-cli) when it is built, else
# iscsi_bench (bench/iscsi), which runs the same test threads over the same port.
# usage: bench/iscsi.sh [NATIVE_TREE]        (default $BUILD_ROOT/native, BUILD_ROOT default build/)
# environment: ISCSI_BENCH_MIB (unit size, default 512), ISCSI_BENCH_RUNS (default 5),
# ISCSI_BENCH_SECONDS (each iscsi-perf run, default 3). Needs root (tgtd) and the packages of
# scripts/setup.sh. Build first: scripts/tree.sh native iscsi_bench
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
native=${1:-$build/native}
mib=${ISCSI_BENCH_MIB:-512}
runs=${ISCSI_BENCH_RUNS:-5}
seconds=${ISCSI_BENCH_SECONDS:-3}
cli=$native/src/cli/sektra-cli
bench=$native/bench/iscsi/iscsi_bench
# shellcheck source=../scripts/tgt-lib.sh
. "$root/scripts/tgt-lib.sh"

command -v iscsi-perf >/dev/null || { echo "iscsi: iscsi-perf is not installed (libiscsi-bin)" >&2; exit 2; }
command -v jq >/dev/null || { echo "iscsi: jq is not installed" >&2; exit 2; }
if [ -x "$cli" ]; then
  runner_name="sektra-cli"
elif [ -x "$bench" ]; then
  runner_name="iscsi_bench"
else
  echo "iscsi: neither $cli nor $bench is built" >&2
  exit 2
fi

# On a shared machine a process woken by its finished command waits for a processor, and that
# wait lands inside every timed command. The target and both initiators therefore run at the
# same real-time priority when the system allows it (ISCSI_BENCH_RT=0 turns that off).
rt=()
if [ "${ISCSI_BENCH_RT:-1}" = 1 ] && chrt -f 10 true 2>/dev/null; then rt=(chrt -f 10); fi
TGT_LAUNCH=("${rt[@]}")

dir=$(mktemp -d "${TMPDIR:-/tmp}/sektra-iscsi-bench.XXXXXX")
lun_file=$(mktemp /dev/shm/sektra-iscsi-bench.XXXXXX)
trap 'tgt_stop; rm -rf "$dir" "$lun_file"' EXIT
tgt_start "$dir" || { echo "iscsi: $TGT_ERROR" >&2; exit 2; }
tgt_watch "$dir" "$lun_file"
dd if=/dev/urandom of="$lun_file" bs=1M count="$mib" status=none
iqn=iqn.2026-12.invalid.sektra.bench:memory
tgt_target 1 "$iqn" && tgt_lun 1 1 "$lun_file" || { echo "iscsi: cannot serve $lun_file" >&2; exit 2; }
url=iscsi://$TGT_PORTAL/$iqn/1

runner() {  # TEST SIZE_KB -> "average wall": the run's average over its timed commands, and
            # its commands' bytes over the run's elapsed time, both KB/s
  local json
  if [ "$runner_name" = sektra-cli ]; then
    json=$("${rt[@]}" "$cli" run "$1" "$url" --size "$2" --json -)
  else
    json=$("${rt[@]}" "$bench" "$1" "$url" "$2")
  fi
  jq -r --argjson kb "$2" '"\(.averageKBps) \(.commands * $kb / .elapsedSeconds | floor)"' <<<"$json"
}

perf() {  # BLOCKS [-r] -> iscsi-perf's average over its run, KB/s of 512-byte blocks
  local blocks=$1 iops
  shift
  iops=$(timeout $((seconds + 10)) "${rt[@]}" iscsi-perf -m 1 -b "$blocks" "$@" -t "$seconds" "$url" 2>&1 |
           tr '\r' '\n' | sed -n 's/^iops average \([0-9]*\).*/\1/p' | tail -n 1)
  echo $((iops * blocks * 512 / 1024))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "iscsi: $runner_name and iscsi-perf on a $mib MiB unit in /dev/shm, tgtd at $TGT_PORTAL, $runs runs${rt:+, real-time priority}"
echo "(runner: its average over the timed commands, and in brackets its bytes over the whole run)"
printf '%-6s %22s %10s %22s %10s\n' run seq-runner seq-perf rnd-runner rnd-perf
seq_runner=() seq_perf=() rnd_runner=() rnd_perf=()
for i in $(seq "$runs"); do
  read -r a aw < <(runner seqread 64); b=$(perf 128)
  read -r c cw < <(runner rndread 4); d=$(perf 8 -r)
  seq_runner+=("$a") seq_perf+=("$b") rnd_runner+=("$c") rnd_perf+=("$d")
  printf '%-6s %10s (%9s) %10s %10s (%9s) %10s\n' "$i" "$a" "$aw" "$b" "$c" "$cw" "$d"
done
m_seq_runner=$(printf '%s\n' "${seq_runner[@]}" | median)
m_seq_perf=$(printf '%s\n' "${seq_perf[@]}" | median)
m_rnd_runner=$(printf '%s\n' "${rnd_runner[@]}" | median)
m_rnd_perf=$(printf '%s\n' "${rnd_perf[@]}" | median)
printf '%-6s %10s %11s %10s %10s %11s %10s\n' median "$m_seq_runner" "" "$m_seq_perf" "$m_rnd_runner" "" "$m_rnd_perf"
awk -v r="$m_rnd_runner" -v p="$m_rnd_perf" 'BEGIN { if (p > 0) printf "random ratio %.3f\n", r / p }'
awk -v r="$m_seq_runner" -v p="$m_seq_perf" 'BEGIN { printf "ratio %.3f\n", (p > 0 ? r / p : 0) }'

#!/usr/bin/env bash
# Prints the measuring engine's figures beside fio's null engine, natively and, when the
# Windows tree is built (win64, else win32), under wine. usage: bench/engine.sh [BUILD_ROOT]
#   overhead: time measured per command on a zero-time device (target: at most 100 ns
#             natively and at most twice fio's mean completion latency)
#   accuracy: reported rate against a device spending 100 µs per 64 KiB (true 640000 KB/s,
#             target within 0.5 %)
#   loop rate: sequential read commands per second against fio's IOPS (target ratio ≥ 0.25)
# The machine's load average is printed too: on a busy machine Sleep(0) (sched_yield) really
# gives the processor away and spinning devices get preempted, so read the figures with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BUILD_ROOT:-$root/build}}
native=$build/native/bench/engine_bench
# This machine's kernel runs no 32-bit programs; the 64-bit Windows build serves under wine.
windows_tree=win64
[ -f "$build/win64/bench/engine_bench.exe" ] || windows_tree=win32
windows=$build/$windows_tree/bench/engine_bench.exe

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) processors"
fio_json=$(fio --name=null --ioengine=null --rw=read --bs=512 --size=512M --iodepth=1 --output-format=json)
read -r fio_iops fio_clat < <(python3 -c '
import json, sys
r = json.loads(sys.argv[1])["jobs"][0]["read"]
print(r["iops"], r["clat_ns"]["mean"])' "$fio_json")
printf 'fio null engine: %.0f IOPS, mean completion latency %.1f ns\n' "$fio_iops" "$fio_clat"

report() {  # NAME OUTPUT
    local name=$1 out=$2
    echo "== $name"
    echo "$out" | sed 's/^/   /'
    python3 - "$out" "$fio_iops" "$fio_clat" <<'PY'
import sys
figures = {}
for line in sys.argv[1].splitlines():
    parts = line.split()
    if len(parts) == 2:
        figures[parts[0]] = float(parts[1])
iops, clat = float(sys.argv[2]), float(sys.argv[3])
o = figures.get("overhead_ns_emulated")
if o is not None:
    print(f"   overhead per command {o:.1f} ns (emulated zero-time device), "
          f"{figures['overhead_ns_null_port']:.1f} ns (null port); fio {clat:.1f} ns: "
          f"ratios {o / clat:.2f} and {figures['overhead_ns_null_port'] / clat:.2f}")
    print(f"   loop rate ratio to fio: {figures['loop_rate_emulated'] / iops:.4f} (emulated), "
          f"{figures['loop_rate_null_port'] / iops:.4f} (null port), without Sleep(0) "
          f"{figures['loop_rate_emulated_without_yield'] / iops:.4f} / "
          f"{figures['loop_rate_null_port_without_yield'] / iops:.4f}")
    print(f"   accuracy: best reported {figures['accuracy_kbps_best']:.0f} KB/s, "
          f"{figures['accuracy_error_percent_best']:+.3f} % from 640000")
PY
}

if [ -x "$native" ]; then
    report native "$("$native")"
else
    echo "no native benchmark at $native (scripts/tree.sh native engine_bench)"
fi
if [ -f "$windows" ]; then
    report "wine ($windows_tree)" "$("$root/scripts/wine-run.sh" "$build/$windows_tree/wineprefix" "$windows" | tr -d '\r')"
else
    echo "no Windows benchmark at $windows (scripts/tree.sh win64 engine_bench)"
fi

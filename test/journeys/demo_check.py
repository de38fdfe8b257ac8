#!/usr/bin/env python3
"""Checks a saved Sequential Read 64 KB result of the demo ATA hard disk against the disk's
timing model, computed here independently of the program: every 64 KB READ(10) takes
100 us + 65536 bytes at the media rate of its first block, which falls linearly from
100,000,000 B/s at block 0 to 50,000,000 B/s at the end of the 4,194,304-block disk.
Prints the figures; exit code 1 when a check fails."""
import sys

BLOCKS = 4194304
PER_COMMAND = 128
BYTES = PER_COMMAND * 512
COMMANDS = BLOCKS // PER_COMMAND
# Measured rates come from real time under wine: the emulated disk spends at least the
# modelled time on every command, so a measured rate never exceeds the model's (beyond clock
# granularity), while a loaded machine's scheduling makes commands take longer, by a factor of
# four and more on a busy shared machine. Hence a tight upper bound, and below only a floor
# that a wrong unit (bytes for KB, ms for us) would break; the ratios are printed.
LOW, HIGH = 0.02, 1.03
# A READ(10) wholly inside the disk's read cache (the device view's probes leave blocks at 0
# there) moves at the interface rate instead of the media rate.
INTERFACE = 133000000


def command_ns(lba):
    rate = 100000000 - (100000000 - 50000000) * lba // BLOCKS
    return 100000 + BYTES * 1000000000 // rate


def kbps(nbytes, ns):
    return nbytes * 1000000000 // ns // 1024


failures = []


def check(what, ok):
    print(("ok: " if ok else "FAILED: ") + what)
    if not ok:
        failures.append(what)


raw = open(sys.argv[1], "rb").read()
check("no byte-order mark", not raw.startswith(b"\xef\xbb\xbf"))
check("every line ends with CR LF", raw.count(b"\n") == raw.count(b"\r\n") and raw.endswith(b"\r\n"))
lines = raw.decode("cp932").split("\r\n")[:-1]
cells = [line.split(",")[:-1] for line in lines]

step = 1
while step <= BLOCKS // 2000:
    step <<= 1
points = BLOCKS // step + 1
tables = 9 + 1 + 1000 + 1 + 1 + points
# The latency section follows the tables: an empty line, its heading and 11 figures, an empty
# line, the bucket header and at least one bucket.
check(f"{tables} table lines, then the latency section", len(lines) >= tables + 16 and lines[tables] == ""
      and cells[tables + 1] == ["レイテンシ"] and cells[tables + 2] == ["コマンド数", str(COMMANDS)])
check("model row", cells[0][1] == "SEKTRA DEMO HDD ATA 2GB")
check("title row ends at its ')'", cells[2][1].startswith("Seq. Read Test(64.0KB ") and cells[2][1].endswith(")"))
check("rows 4 and 9 are empty", lines[3] == "" and lines[8] == "")
best, average, worst, count = (int(cells[i][1]) for i in (4, 5, 6, 7))
check(f"command count {count} = {COMMANDS}", count == COMMANDS)
table = [i for i in range(9, tables) if lines[i] != ""]
check("every table line has 206 cells", all(len(cells[i]) == 206 for i in table))

# The whole run and every thousandth of it against the model.
total_ns = sum(command_ns(c * PER_COMMAND) for c in range(COMMANDS))
model_average = kbps(COMMANDS * BYTES, total_ns)
model_best, model_worst = kbps(BYTES, command_ns(0)), kbps(BYTES, command_ns(BLOCKS - PER_COMMAND))
print(f"measured: best {best} KB/s, average {average} KB/s, worst {worst} KB/s, {count} commands")
print(f"model:    best {model_best} KB/s, average {model_average} KB/s, worst {model_worst} KB/s")
check("average within the model's band", LOW * model_average <= average <= HIGH * model_average)
cache_hit = kbps(BYTES, 100000 + BYTES * 1000000000 // INTERFACE)
check(f"best not above a cache hit's {cache_hit} KB/s", best <= HIGH * cache_hit)
check(f"worst not above the model's worst", worst <= HIGH * model_worst)

ratios = []
samples = 0
for c in range(1000):
    row = cells[10 + c]
    first, end = c * BLOCKS // 1000, (c + 1) * BLOCKS // 1000
    commands = [lba for lba in range(0, BLOCKS, PER_COMMAND) if first <= lba < end] if c % 100 == 0 else None
    samples += int(row[4])
    if commands:
        model = kbps(len(commands) * BYTES, sum(command_ns(lba) for lba in commands))
        ratios.append((c, int(row[2]) / model))
check(f"the progress table counts every command ({samples})", samples == COMMANDS)
for c, ratio in ratios:
    check(f"progress column {c}: measured average / model = {ratio:.3f}", LOW <= ratio <= HIGH)
position_samples = sum(int(cells[1012 + k][4]) for k in range(points))
check(f"the position table counts every command ({position_samples})", position_samples == COMMANDS)
check("position labels of 2 MB columns", cells[1012][0] == "0.000 MB - 2.000 MB")
sys.exit(1 if failures else 0)

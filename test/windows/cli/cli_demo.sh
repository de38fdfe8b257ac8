#!/usr/bin/env bash
# SektraCli.exe under wine on the demo set: list, info and a short run, each writing its JSON,
# read back and checked against the demo devices' sizes; the run's CSV file too.
# usage: cli_demo.sh BUILD_TREE   (exit 77: this machine cannot run the program under wine)
set -uo pipefail
tree=$(cd "${1:?usage: cli_demo.sh BUILD_TREE}" && pwd)
root=$(cd "$(dirname "$0")/../../.." && pwd)
exe=$tree/src/cli/SektraCli.exe
work=$tree/test/windows/cli/cli-demo
rm -rf "$work" && mkdir -p "$work"
# Wine maps the whole Unix file system as drive Z:.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

cli() {
  "$root/scripts/wine-run.sh" "$tree/wineprefix" "$exe" "$@"
}

cli list --json >"$work/list.json" 2>"$work/list.err"
status=$?
[ "$status" = 77 ] && exit 77
[ "$status" = 0 ] || { echo "list: exit $status"; cat "$work/list.err"; exit 1; }
cli info demo:0 --json >"$work/info.json" || { echo "info: exit $?"; exit 1; }
cli run seqread demo:2 --range 0-10 --json "$(winpath "$work/run.json")" --csv "$(winpath "$work/run.csv")" \
  >"$work/run.txt" || { echo "run: exit $?"; cat "$work/run.txt"; exit 1; }
cli run seqwrite demo:2 --json "$(winpath "$work/refused.json")" >/dev/null 2>&1
status=$?
[ "$status" = 3 ] || { echo "seqwrite without --confirm: exit $status, not 3"; exit 1; }
[ ! -e "$work/refused.json" ] || { echo "a refused run wrote a report"; exit 1; }

python3 - "$work" <<'PY'
import json, sys
work = sys.argv[1]
listed = json.load(open(f"{work}/list.json", encoding="utf-8"))
names = [d["target"] for d in listed]
assert names[:6] == [f"demo:{i}" for i in range(6)], names
info = json.load(open(f"{work}/info.json", encoding="utf-8"))
# The demo ATA disk: 2 GiB of 512-byte blocks.
assert (info["blocks"], info["blockLength"]) == (2147483648 // 512, 512), info
assert info["revision"] == "D100" and info["serial"] == "SKT0000A0001", info
run = json.load(open(f"{work}/run.json", encoding="utf-8"))
# The first tenth of the USB disk's 1048576 blocks (104857.6, truncated) at 128 blocks a command.
assert run["result"] == "finished", run
assert (run["firstBlock"], run["lastBlock"]) == (0, 104856), run
assert run["commands"] == (104857 + 127) // 128, run
assert run["bestKBps"] >= run["averageKBps"] >= run["worstKBps"] > 0, run
lines = open(f"{work}/run.csv", encoding="cp932", newline="").read().split("\r\n")
assert lines[0] == "モデル,SEKTRA DEMO USB FLASH,", lines[0]
assert lines[2].startswith("テスト,Seq. Read Test(64.0KB 外周 (0% - 10%))"), lines[2]
print("cli_demo: list, info and run checked")
PY

#!/usr/bin/env bash
# Builds the Windows distribution (dist/) and runs the benchmark's main job on the emulated
# demo devices: Sektra.exe /DEMO under wine, on the screen when there is one, else headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
echo "== building the Windows programs (i686: the deliverable; x86_64: the demo where 32-bit programs cannot run)"
scripts/tree.sh win32 deliverables
scripts/tree.sh win64 deliverables
if [ -x scripts/dist.sh ]; then
  scripts/dist.sh
else
  echo "build: no distribution script yet; the programs are in build/win32"
fi
if [ -x scripts/demo.sh ]; then
  exec scripts/demo.sh
else
  echo "build: the demo run is not built yet; what exists was built in build/win32 and build/win64"
fi

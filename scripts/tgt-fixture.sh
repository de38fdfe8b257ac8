#!/usr/bin/env bash
# Serves the test logical units from a private tgtd on 127.0.0.1, runs a command with their
# addresses in the environment, and stops the daemon again whatever the command did.
#   usage: tgt-fixture.sh COMMAND [ARG...]
# Exit status: the command's; 77 (a skip for CTest) when no tgtd can run on this machine.
#
# The command sees, for each unit, SEKTRA_ISCSI_<NAME> (its iscsi:// URL) and, for the disks,
# SEKTRA_ISCSI_<NAME>_FILE (the backing file):
#   DISK512   8 MiB of random bytes, 512-byte blocks
#   DISK4K    8 MiB of random bytes, 4096-byte blocks
#   BIG       3 TiB sparse, 512-byte blocks (beyond READ CAPACITY(10))
#   READONLY  4 MiB, write-protected by the target
#   CDROM     an ISO image made here (needs xorriso or genisoimage)
#   CHANGER   a medium changer with one transport, four slots and one drive
#   SCRATCH   8 MiB on a target of its own, for tests that tear its connection down
# and SEKTRA_TGT_CONTROL_PORT, SEKTRA_TGT_PID for tests that reconfigure or pause the target.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tgt-lib.sh
. "$here/tgt-lib.sh"

[ $# -ge 1 ] || { echo "usage: tgt-fixture.sh COMMAND [ARG...]" >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/sektra-tgt.XXXXXX")
cleanup() {
  tgt_stop
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! tgt_start "$dir"; then
  echo "tgt-fixture: skipped: $TGT_ERROR"
  exit 77
fi
tgt_watch "$dir"

prefix=iqn.2026-12.invalid.sektra.test
url() { echo "iscsi://$TGT_PORTAL/$prefix:$1/$2"; }
fail() { echo "tgt-fixture: $*" >&2; exit 1; }

head -c 8M /dev/urandom >"$dir/disk512.img"
head -c 8M /dev/urandom >"$dir/disk4k.img"
truncate -s 3T "$dir/big.img"
head -c 4M /dev/urandom >"$dir/readonly.img"
head -c 8M /dev/urandom >"$dir/scratch.img"

tgt_target 1 "$prefix:disks" || fail "cannot create the disk target"
tgt_lun 1 1 "$dir/disk512.img" || fail "cannot serve disk512.img"
tgt_lun 1 2 "$dir/disk4k.img" --blocksize 4096 || fail "cannot serve disk4k.img"
tgt_lun 1 3 "$dir/big.img" || fail "cannot serve big.img"
tgt_lun 1 4 "$dir/readonly.img" || fail "cannot serve readonly.img"
# Read-only is a parameter of a unit that exists, not of a new one.
tgt_admin --mode logicalunit --op update --tid 1 --lun 4 --params readonly=1 || fail "cannot protect readonly.img"
export SEKTRA_ISCSI_DISK512=$(url disks 1) SEKTRA_ISCSI_DISK512_FILE=$dir/disk512.img
export SEKTRA_ISCSI_DISK4K=$(url disks 2) SEKTRA_ISCSI_DISK4K_FILE=$dir/disk4k.img
export SEKTRA_ISCSI_BIG=$(url disks 3) SEKTRA_ISCSI_BIG_FILE=$dir/big.img
export SEKTRA_ISCSI_READONLY=$(url disks 4) SEKTRA_ISCSI_READONLY_FILE=$dir/readonly.img

tgt_target 2 "$prefix:media" || fail "cannot create the media target"
mkdir "$dir/iso"
printf 'Sektra test medium\r\n' >"$dir/iso/README.TXT"
head -c 1M /dev/urandom >"$dir/iso/DATA.BIN"
iso_made=
if command -v xorriso >/dev/null; then
  xorriso -as mkisofs -quiet -V SEKTRA_TEST -o "$dir/cd.iso" "$dir/iso" >/dev/null 2>&1 && iso_made=1
elif command -v genisoimage >/dev/null; then
  genisoimage -quiet -V SEKTRA_TEST -o "$dir/cd.iso" "$dir/iso" >/dev/null 2>&1 && iso_made=1
fi
if [ -n "$iso_made" ]; then
  tgt_lun 2 1 "$dir/cd.iso" --device-type cd || fail "cannot serve cd.iso"
  export SEKTRA_ISCSI_CDROM=$(url media 1) SEKTRA_ISCSI_CDROM_FILE=$dir/cd.iso
else
  echo "tgt-fixture: no xorriso or genisoimage: no CD-ROM unit" >&2
fi
# A changer needs a backing file for its state, and its elements described one type at a time
# (1 medium transport, 2 storage, 4 data transfer). A changer without a backing file brings
# the daemon down.
head -c 1K /dev/zero >"$dir/changer.smc"
tgt_lun 2 2 "$dir/changer.smc" --device-type changer || fail "cannot serve the changer"
for params in element_type=1,start_address=1,quantity=1 element_type=2,start_address=1000,quantity=4 \
              element_type=4,start_address=256,quantity=1; do
  tgt_admin --mode logicalunit --op update --tid 2 --lun 2 --params "$params" || fail "changer: $params"
done
export SEKTRA_ISCSI_CHANGER=$(url media 2)

tgt_target 3 "$prefix:scratch" || fail "cannot create the scratch target"
tgt_lun 3 1 "$dir/scratch.img" || fail "cannot serve scratch.img"
export SEKTRA_ISCSI_SCRATCH=$(url scratch 1) SEKTRA_ISCSI_SCRATCH_FILE=$dir/scratch.img

export SEKTRA_TGT_CONTROL_PORT=$TGT_CONTROL_PORT SEKTRA_TGT_PID=$TGT_PID
"$@"

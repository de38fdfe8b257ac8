#!/usr/bin/env bash
# What the demo SCSI disk answers, decoded: its summary with the first-read fields after the
# capacity rows (serial, rotation rate, block lengths, write cache, temperature, power-on hours,
# error counters, wear, grown defects), and its device identification page (VPD 83h) and
# temperature log page (0Dh) with the decoded rows above their hex dumps.
source "$(dirname "$0")/lib.sh"
journey_init sektra_decoded
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }

main_title=$(journey_caption IDD_MAIN_FRAME)
# Disk 1 on the SCSI bus: the demo SCSI disk; its VPD 83h and log 0Dh nodes.
scsi=0x11010000
scsi_vpd83=0x11012283
scsi_log0d=0x1101310D

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

journey_check "the tree shows the SCSI disk's summary" probe select "$main_title" $scsi
texts=$(probe rows "$main_title" 2)
journey_log "summary: $(tr '\n' '|' <<<"$texts")"
journey_check "the capacity rows come first, as before" grep -q $'^[^\t]*\t8388608$' <<<"$(sed -n 3p <<<"$texts")"
journey_check "the summary shows the serial number" grep -q 'SKT0000S0002' <<<"$texts"
journey_check "the summary shows the rotation rate" grep -q '10000 rpm' <<<"$texts"
journey_check "the summary shows the power-on hours (1234567 minutes)" grep -q '20576 時間' <<<"$texts"
journey_window_shot "$main" scsi-summary.png

journey_check "the tree shows its VPD 83h node" probe select "$main_title" $scsi_vpd83
texts=$(probe rows "$main_title" 2)
journey_check "the identifiers are decoded" grep -q 'naa\.50abcde' <<<"$texts"
journey_window_shot "$main" scsi-vpd83.png

journey_check "the tree shows its log page 0Dh node" probe select "$main_title" $scsi_log0d
texts=$(probe rows "$main_title" 2)
journey_check "the temperature is decoded" grep -q '38 °C' <<<"$texts"
journey_window_shot "$main" scsi-log0d.png

journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
journey_check "Sektra ends with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
echo "screenshots: $J/scsi-summary.png $J/scsi-vpd83.png $J/scsi-log0d.png"
journey_finish

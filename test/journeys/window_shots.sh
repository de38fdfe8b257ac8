#!/usr/bin/env bash
# The test windows as the README shows them: a transfer test stopped by the user and a finished
# seek test on the demo ATA hard disk. Writes the screenshots into docs/ when run with --docs.
# Not part of CTest: the journeys there check these windows; this keeps their pictures current.
source "$(dirname "$0")/lib.sh"
journey_init window_shots
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }

main_title=$(journey_caption IDD_MAIN_FRAME)
stopped=$(journey_resource_string IDS_STATE_STOPPED)
finished=$(journey_resource_string IDS_STATE_FINISHED)

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

# The ATA disk's Sequential Read 64 KB over the whole disk, stopped after a few seconds.
journey_check "the sequential read node" probe select "$main_title" 0x13001517
journey_check "its whole-disk row opens" probe open "$main_title" 0x13001527
window=$(journey_wait_window '^Seq\. Read Test\(64\.0KB ' 60)
journey_check "the transfer window runs" test -n "$window"
[ -n "$window" ] || journey_finish
sleep 6
journey_post "$(xdotool getwindowname "$window")" 0x0111 1015
title=$(journey_wait_caption "$window" "$stopped")
journey_check "the stopped run keeps its caption ($title)" test "${title%"$stopped"}" != "$title"
journey_window_shot "$window" transfer-stopped.png
journey_post "$title" 0x0111 1016

# The standard seek test of the same disk, to its end.
journey_check "the seek node" probe select "$main_title" 0x13001400
journey_check "its standard row opens" probe open "$main_title" 0x13001410
window=$(journey_wait_window '^Seek Test\(' 60)
journey_check "the seek window runs" test -n "$window"
[ -n "$window" ] || journey_finish
title=$(journey_wait_caption "$window" "$finished")
journey_check "the seek test finishes ($title)" test "${title%"$finished"}" != "$title"
journey_window_shot "$window" seek-finished.png
journey_post "$title" 0x0111 1016

journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
if [ "${1:-}" = --docs ]; then
  cp "$J/transfer-stopped.png" "$JOURNEY_REPO/docs/sektra-transfer-stopped.png"
  cp "$J/seek-finished.png" "$JOURNEY_REPO/docs/sektra-seek-window.png"
fi
journey_finish

#!/usr/bin/env bash
# The devices a storage engineer meets today, in Sektra /DEMO: the 12 TB disk's summary with its
# whole capacity, a random read over its last tenth (blocks beyond 2^32) watched to its end, and a
# write test refused on the demo disk that holds an MBR, before any confirmation is asked.
source "$(dirname "$0")/lib.sh"
journey_init sektra_devices
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }

main_title=$(journey_caption IDD_MAIN_FRAME)
protection_title=$(journey_caption IDD_DEVICE_SELECTION)
finished=$(journey_resource_string IDS_STATE_FINISHED)
refused=$(journey_resource_string IDS_REFUSE_CAPTION)
# Disks on the SCSI bus (type 1): 4 is the 12 TB disk, 6 the one holding an MBR.
huge=0x11040000
huge_random_1kb=0x11041711
huge_random_inner=0x11041751
mbr_sequential_write_1kb=0x11061611
mbr_sequential_write_whole=0x11061621

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

# Clear the MBR disk's protection: the seventh row of the protection list (disks 0 to 7, then the CD-ROM).
journey_post "$main_title" 0x0111 40005
protection=$(journey_wait_window "^$protection_title\$" 30)
journey_check "the protection dialog opens" test -n "$protection"
# A click on its check box (rows of 18 pixels below the header, the box 27 pixels in).
journey_click "$protection" 27 230
journey_window_shot "$protection" protection.png
journey_keys "$protection" Return
journey_check "the tree shows the MBR disk's Sequential Write 1 KB node" \
  probe select "$main_title" $mbr_sequential_write_1kb
journey_check "its whole-disk row is asked to open" probe open "$main_title" $mbr_sequential_write_whole
box=$(journey_wait_window "^$refused\$" 30)
journey_screenshot mbr-refusal.png
journey_check "the write test is refused before any confirmation ($refused)" test -n "$box"
box_texts=$(journey_texts "$refused" 5000)
journey_check "the refusal names the MBR and its two partitions" grep -q 'MBR.*2 個' <<<"$box_texts"
journey_post "$refused" 0x0111 1
[ -n "$box" ] || journey_finish

journey_check "the tree shows the 12 TB disk's summary" probe select "$main_title" $huge
journey_window_shot "$main" 12tb-summary.png

journey_check "the tree shows its Random Read 1 KB node" probe select "$main_title" $huge_random_1kb
journey_check "its 90 % - 100 % row opens the test window" probe open "$main_title" $huge_random_inner
test_window=$(journey_wait_window '^Rnd\. Read Test\(1\.0KB ' 60)
journey_check "the test window runs" test -n "$test_window"
[ -n "$test_window" ] || journey_finish
title=
for _ in $(seq 1 600); do
  title=$(xdotool getwindowname "$test_window" 2>/dev/null || true)
  case $title in *"$finished") break ;; esac
  sleep 0.5
done
journey_check "the test finishes (caption: $title)" test "${title%"$finished"}" != "$title"
window_texts=$(journey_texts "$title" 5000)
journey_log "test window: $(tr '\n' '|' <<<"$window_texts")"
# 90 % of 23437770752 blocks is block 21093993676; the last block is 23437770751.
journey_check "the window shows blocks of the last tenth" grep -q '23437770751' <<<"$window_texts"
journey_window_shot "$test_window" 12tb-inner-random.png
journey_post "$title" 0x0111 1016

journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
journey_check "Sektra ends with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
echo "screenshots: $J/12tb-summary.png $J/12tb-inner-random.png $J/mbr-refusal.png"
journey_finish

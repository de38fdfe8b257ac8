#!/usr/bin/env bash
# The test windows' graphs on the demo ATA hard disk: the sequential read's rate curve and the
# random read's command-time distribution are on screen while the tests run (pixels of their
# colours in the window), and a finished seek test saves its graph as a PNG file that
# ImageMagick reads back at the graph's size. With --docs the two running windows become the
# README's pictures.
source "$(dirname "$0")/lib.sh"
journey_init graphs
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }
# has_colour FILE RRGGBB MIN: the picture holds at least MIN pixels of that colour (the
# colours are those of src/testwindows/GraphPicture.h).
has_colour() {
  local n
  n=$(convert "$1" -depth 8 txt:- | grep -ci "#$2" || true)
  journey_log "$(basename "$1"): $n pixels of #$2"
  [ "$n" -ge "$3" ]
}
# stop_and_close WINDOW: 停止, then 閉じる once the run has stopped.
stop_and_close() {
  journey_post "$(xdotool getwindowname "$1")" 0x0111 1015
  local title
  title=$(journey_wait_caption "$1" "$stopped")
  journey_post "$title" 0x0111 1016
}

main_title=$(journey_caption IDD_MAIN_FRAME)
stopped=$(journey_resource_string IDS_STATE_STOPPED)
finished=$(journey_resource_string IDS_STATE_FINISHED)

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

# Sequential Read 64 KB over the whole disk, a few seconds into the run.
journey_check "the sequential read node" probe select "$main_title" 0x13001517
journey_check "its whole-disk row opens" probe open "$main_title" 0x13001527
window=$(journey_wait_window '^Seq\. Read Test\(64\.0KB ' 60)
journey_check "the sequential window runs" test -n "$window"
[ -n "$window" ] || journey_finish
sleep 5
journey_window_shot "$window" sequential-running.png
journey_check "the rate curve is drawn" has_colour "$J/sequential-running.png" 1060D0 40
journey_check "the average line is drawn" has_colour "$J/sequential-running.png" E07000 40
stop_and_close "$window"

# Random Read 4 KB over the whole disk, its distribution after some seconds.
journey_check "the random read node" probe select "$main_title" 0x13001713
journey_check "its whole-disk row opens" probe open "$main_title" 0x13001723
window=$(journey_wait_window '^Rnd\. Read Test\(4\.0KB ' 60)
journey_check "the random window runs" test -n "$window"
[ -n "$window" ] || journey_finish
sleep 8
journey_window_shot "$window" random-running.png
journey_check "the distribution's bars are drawn" has_colour "$J/random-running.png" 2E8B57 40
journey_check "the p50 and p99 lines are drawn" has_colour "$J/random-running.png" C00000 10
stop_and_close "$window"

# The standard seek test to its end, its graph saved (画像保存, 1067) under a name without
# extension: the PNG extension is added.
journey_check "the seek node" probe select "$main_title" 0x13001400
journey_check "its standard row opens" probe open "$main_title" 0x13001410
window=$(journey_wait_window '^Seek Test\(' 60)
journey_check "the seek window runs" test -n "$window"
[ -n "$window" ] || journey_finish
title=$(journey_wait_caption "$window" "$finished")
journey_check "the seek test finishes ($title)" test "${title%"$finished"}" != "$title"
journey_window_shot "$window" seek-finished.png
journey_check "the seek times' bars are drawn" has_colour "$J/seek-finished.png" 2E8B57 40
image=$J/seek-graph
journey_post "$title" 0x0111 1067
probe save "$title" "Z:${image//\//\\}" >/dev/null
for _ in $(seq 1 100); do [ -s "$image.png" ] && break; sleep 0.2; done
format=$(identify -format '%m %w %h' "$image.png" 2>/dev/null || true)
journey_log "saved graph: $format"
journey_check "the saved graph is a PNG file ImageMagick reads ($format)" test "${format%% *}" = PNG
journey_check "it is the graph's size, not empty" test "$(awk '{print ($2 > 300 && $3 > 150)}' <<<"$format")" = 1
journey_check "the saved graph holds the bars too" has_colour "$image.png" 2E8B57 40
journey_post "$title" 0x0111 1016

# The other-size row's options offer the two transfer choices; cancelled, nothing runs.
options_title=$(journey_caption IDD_TRANSFER_OPTIONS)
journey_check "the random read's other-size node" probe select "$main_title" 0x1300171F
journey_check "its row opens" probe open "$main_title" 0x130017FF
options=$(journey_wait_window "^$options_title\$" 30)
journey_check "the transfer options appear" test -n "$options"
if [ -n "$options" ]; then
  journey_window_shot "$options" transfer-options.png
  texts=$(journey_texts "$options_title")
  journey_check "they offer aligned positions" grep -q 'ランダムな位置を転送サイズ単位に揃える' <<<"$texts"
  journey_check "and random write data" grep -q '書き込むデータをランダムにする' <<<"$texts"
  journey_post "$options_title" 0x0111 1031
fi

journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
if [ "${1:-}" = --docs ]; then
  cp "$J/sequential-running.png" "$JOURNEY_REPO/docs/sektra-sequential-graph.png"
  cp "$J/random-running.png" "$JOURNEY_REPO/docs/sektra-random-graph.png"
fi
journey_finish

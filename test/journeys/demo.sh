#!/usr/bin/env bash
# The benchmark's main job as a user does it: Sektra /DEMO, the demo ATA hard disk's Sequential
# Read at 64 KB over 0-100 %, watched to its end, its results saved as CSV, and the file's
# figures checked against the emulated disk's timing model, computed here on its own.
# Prints the figures and where the CSV file and the screenshots are.
source "$(dirname "$0")/lib.sh"
journey_init demo
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }

main_title=$(journey_caption IDD_MAIN_FRAME)
finished=$(journey_resource_string IDS_STATE_FINISHED)
# The demo ATA disk is disk 0 on bus type 3: its Sequential Read 64 KB node (size 2^7 blocks)
# and that node's row for the whole disk (range choice 2).
size_node=0x13001517
whole_disk_row=0x13001527

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

journey_check "the tree shows the Sequential Read 64 KB node of the demo hard disk" probe select "$main_title" $size_node
journey_check "its whole-disk row opens the test window" probe open "$main_title" $whole_disk_row
test_window=$(journey_wait_window '^Seq\. Read Test\(64\.0KB ' 60)
journey_check "the test window runs" test -n "$test_window"
[ -n "$test_window" ] || journey_finish
sleep 5
journey_screenshot demo-running.png
running_title=$(xdotool getwindowname "$test_window")
journey_log "running: $running_title"

for _ in $(seq 1 900); do
  title=$(xdotool getwindowname "$test_window" 2>/dev/null || true)
  case $title in *"$finished") break ;; esac
  sleep 0.5
done
journey_check "the test finishes (caption: $title)" test "${title%"$finished"}" != "$title"
journey_screenshot demo-finished.png

# Save (button 4), and answer the save dialog with a name without extension.
csv_base=$J/demo-result
windows_path="Z:${csv_base//\//\\}"
journey_post "$title" 0x0111 4
save_out=$(probe save "$title" "$windows_path")
proposed=$(sed -n 1p <<<"$save_out")
placement=$(sed -n 2p <<<"$save_out")
journey_log "the save dialog proposed: $proposed"
journey_check "the proposed name is model and title" test "$proposed" = "SEKTRA DEMO HDD ATA 2GB ${title%") - "*})"
for _ in $(seq 1 100); do [ -s "$csv_base.csv" ] && break; sleep 0.2; done
sleep 1
journey_check "the file was saved with the extension added: $csv_base.csv" test -s "$csv_base.csv"
read -r x y w h ww wh <<<"$placement"
# Centred as it starts; wine lays the dialog out once more afterwards, changing its height a bit.
dy=$((y - (wh - h) / 2))
journey_check "the save dialog was centred ($placement)" test "$x" = $(((ww - w) / 2)) -a "${dy#-}" -le 30

if [ -s "$csv_base.csv" ]; then
  journey_check "the file's figures match the demo disk's model" python3 "$(dirname "$0")/demo_check.py" "$csv_base.csv"
fi

journey_post "$title" 0x0111 1016
journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
journey_check "Sektra ends with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
echo
echo "CSV file:    $csv_base.csv"
echo "screenshots: $J/demo-running.png $J/demo-finished.png"
journey_finish

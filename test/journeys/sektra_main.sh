#!/usr/bin/env bash
# Sektra /DEMO as a user meets it: the main window with the demo devices, a disk's summary
# and its INQUIRY data as a hex dump, the About box, a second start that ends at once, and closing the window.
source "$(dirname "$0")/lib.sh"
journey_init sektra_main
journey_copy_programs "$J/bin"
journey_settings

main_title=$(journey_caption IDD_MAIN_FRAME)
about_title=$(journey_caption IDD_ABOUT)

journey_start "$J/bin/Sektra.exe" /DEMO
first=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

# A second start while the first runs: exit code -1 at once, no second window.
code=$(journey_run 60 "$J/bin/Sektra.exe" /DEMO)
journey_check "a second start ends with exit code -1 (got $code)" test "$code" = 255
journey_check "a second start opens no window" test "$(journey_count_windows "^$main_title\$")" = 1

# Into the tree: the root item, then down to the ATA disk (disks, ATA folder, the disk).
journey_click "$main" 80 56
journey_keys "$main" Down Right Down Right Down
journey_screenshot main-screen.png
journey_window_shot "$main" main-window.png
# Further down, the disk's standard INQUIRY data: a hex dump in fixed-pitch columns.
journey_keys "$main" Right Down Right Down
journey_window_shot "$main" hex-dump.png

# The About box through the menu command.
journey_post "$main_title" 0x0111 40001
about=$(journey_wait_window "^$about_title\$" 30)
journey_check "the About box opens" test -n "$about"
journey_window_shot "$main" about-box.png
texts=$(journey_texts "$about_title" 5000)
journey_check "the About box shows the version" grep -q 'Sektra バージョン [0-9]' <<<"$texts"
journey_post "$about_title" 0x0010 0
journey_post "$main_title" 0x0010 0
journey_wait_exit "$first" 30
journey_check "closing the main window ends Sektra with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
journey_finish

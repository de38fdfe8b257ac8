#!/usr/bin/env bash
# Sektra's start-up failures and the language switch: a missing language module, a user
# language other than Japanese, a settings file without a key, and "/LANG:ENG".
source "$(dirname "$0")/lib.sh"
journey_init sektra_startup
journey_copy_programs "$J/bin"
journey_settings
main_title=$(journey_caption IDD_MAIN_FRAME)

# expect_box TITLE TEXT DESCRIPTION: a message box titled TITLE holding TEXT appears; OK it.
expect_box() {
  local texts
  texts=$(journey_texts "$1" 60000 || true)
  journey_check "$3" grep -qF -- "$2" <<<"$texts"
  journey_post "$1" 0x0111 1  # IDOK
}

# No language module next to the program.
mkdir -p "$J/bare"
cp "$J/bin/Sektra.exe" "$J/bare/"
journey_start "$J/bare/Sektra.exe" /DEMO
pid=$JOURNEY_PID
expect_box "Initialize Error" "Resource DLL not found" "a missing module says: Resource DLL not found"
journey_wait_exit "$pid" 30
journey_check "and ends with exit code -1 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 255

# Another user language: message 84, titled with string 81.
LANG=en_US.UTF-8 LC_ALL=C.UTF-8 journey_start "$J/bin/Sektra.exe" /LANG:JPN /DEMO
pid=$JOURNEY_PID
expect_box "$(journey_resource_string IDS_ENVIRONMENT_CAPTION)" "$(journey_resource_string IDS_NEED_JAPANESE)" \
  "an English user language shows message 84"
journey_wait_exit "$pid" 30
journey_check "and ends with exit code -1 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 255

# A settings file without "PerformCells": message 92, then the Document's start-up error.
journey_settings TimerMode=1 ShowInterval=100 PerFrq=0
journey_start "$J/bin/Sektra.exe" /DEMO
pid=$JOURNEY_PID
expect_box "$(journey_resource_string IDS_ERROR)" "$(journey_resource_string IDS_SETTINGS_MISSING)" \
  "a settings file without a key shows message 92"
expect_box "Initialize Error" "Document Initialize Error" "then: Document Initialize Error"
journey_wait_exit "$pid" 30
journey_check "and ends with exit code -1 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 255

# "/LANG:ENG" (any case) loads Sektra.ENG next to the program, also without Sektra.jpn.
journey_settings
mkdir -p "$J/eng"
cp "$J/bin/Sektra.exe" "$J/eng/"
cp "$J/bin/Sektra.jpn" "$J/eng/Sektra.ENG"
journey_start "$J/eng/Sektra.exe" /demo /lang:eng
pid=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "/lang:eng starts with Sektra.ENG" test -n "$main"
journey_post "$main_title" 0x0010 0
journey_wait_exit "$pid" 30
journey_check "and ends with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
journey_finish

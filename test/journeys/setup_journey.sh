#!/usr/bin/env bash
# Whole-program runs of Setup under wine, in a scratch prefix of their own: a fresh install, a
# reinstall, an upgrade and a downgrade, removal with "/u" and "/U" (not "/uninstall"), removal
# chosen in the menu of the distribution folder's Setup, and the agreement's cancel question.
# Windows are found by title and driven through setup_probe (a small Windows helper that
# presses buttons as a click would); keys go through xdotool; screenshots land in WORK/shots.
# usage: setup_journey.sh TREE [WORK]   TREE: a Windows build tree with Setup and setup_probe
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
tree=$(cd "${1:?usage: setup_journey.sh TREE [WORK]}" && pwd)
work=${2:-$tree/setup-journey}

source "$scripts/wine-env.sh" "$work/prefix"
source "$scripts/xvfb.sh"
setup_exe=$tree/src/setup/win32/Setup.exe
[ -f "$setup_exe" ] || { echo "setup_journey: $setup_exe is not built"; exit 1; }
sektra_can_run "$setup_exe" || exit 77
# Where Setup installs and registers depends on its bitness, as on a 64-bit Windows: a 32-bit
# Setup gets the 32-bit program folder and registry view, a 64-bit one the 64-bit ones.
bits=$(sektra_pe_bits "$setup_exe")
# A display of its own, so that the screenshots show Setup and nothing of other programs.
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; sektra_xvfb_stop' EXIT
sektra_xvfb_start 1024x768x24 || exit 1

failures=0
pass() { echo "  ok: $*"; }
fail() { echo "  FAILED: $*"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then pass "$what"; else fail "$what"; fi; }
expect_eq() { if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$3], got [$2]"; fi; }

# --- the scratch prefix and the distribution folder -------------------------------------
rm -rf "$work"
mkdir -p "$work/shots"
"$scripts/wineprefix.sh" "$tree/wineprefix"
cp -a "$tree/wineprefix" "$work/prefix"
rm -f "$work/prefix/wineserver" "$work/prefix/.sektra-ready"
c=$work/prefix/drive_c
dist=$c/dist
mkdir -p "$dist"
cp "$setup_exe" "$dist/"
for f in Sektra.chm Readme.txt; do
  cp "$tree/help/$f" "$dist/" 2>/dev/null || cp "$tree/../win32/help/$f" "$dist/" 2>/dev/null ||
    echo "setup_journey: $f not built"
done
sektra=$(find "$tree/src/app" -name Sektra.exe -type f 2>/dev/null | head -1)
language=$(find "$tree/src/app" -name Sektra.jpn -type f 2>/dev/null | head -1)
if [ -n "$sektra" ] && [ -n "$language" ]; then
  cp "$sektra" "$language" "$dist/"
else
  echo "setup_journey: Sektra.exe / Sektra.jpn not built: installing without them"
fi
probe_exe=$tree/test/windows/setup/setup_probe.exe

# The first program in a new prefix waits for wine to set the prefix up; do that now, so that
# the waits below measure Setup and not wine.
"$SEKTRA_WINE" cmd /c exit >/dev/null 2>&1

probe() { "$SEKTRA_WINE" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
shot() { import -window root "$work/shots/$1.png" 2>/dev/null; }
# The registry as a program of the given bitness sees it: "reg /reg:32" or "/reg:64" names the
# view, whichever wine loader runs reg.
reg_in_view() {   # reg_in_view BITS query|add KEY ARGS...: reg's output without CRs
  local view=$1 out
  shift
  out=$("$SEKTRA_WINE" reg "$@" "/reg:$view" 2>/dev/null) && tr -d '\r' <<<"$out"
}
entry_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\UnInstall\Sektra'
reg_query() {    # the entry's values in Setup's view as reg prints them; nothing when missing
  reg_in_view "$bits" query "$entry_key" "$@"
}
set_version() {  # set_version VALUE: the entry's VersionValue, as an older or newer Setup left it
  reg_in_view "$bits" add "$entry_key" /v VersionValue /t REG_DWORD /d "$1" /f >/dev/null ||
    fail "could not set VersionValue $1 in the ${bits}-bit registry view"
}
unix_path() {    # unix_path 'C:\A\B': the same place in the scratch prefix, as a Unix path
  local path=${1#[Cc]:\\}
  echo "$c/${path//\\//}"
}

# The program folder for Setup's bitness, as that registry view names it (ProgramFilesDir of
# the 32-bit view is the "(x86)" folder).
program_files=$(reg_in_view "$bits" query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion' /v ProgramFilesDir |
                sed -n 's/^ *ProgramFilesDir *REG_SZ *//p')
case $program_files in
  [Cc]:\\?*) ;;
  *) echo "setup_journey: no program folder on drive C: in the ${bits}-bit registry view (got \"$program_files\")"
     exit 1 ;;
esac
install_win="$program_files\Sektra Meter"
echo "setup_journey: ${bits}-bit Setup; expected install folder $install_win"

# Paths inside the prefix as the scratch user sees them.
user=$(ls "$c/users" | grep -v -x Public | head -1)
programs="$c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
appdata="$c/users/$user/AppData/Local"
install=$(unix_path "$install_win")
[ -d "$programs" ] || programs=$(find "$c/users/$user" -type d -name Programs | head -1)

MENU='Sektra セットアップ プログラム'
AGREE='Sektra インストール - 使用許諾契約'
FOLDER='Sektra インストール - インストールフォルダの指定'
DONE='インストール作業終了'
REMOVED='Sektra の 削除'

setup_pid=
start_setup() {   # start_setup WINDOWS-PATH [ARGS...]: Setup in the background, from its folder
  local exe=$1; shift
  ( cd "$(unix_path "${exe%\\*}")" && exec "$SEKTRA_WINE" "$exe" "$@" >/dev/null 2>&1 ) &
  setup_pid=$!
}
wait_setup() {   # waits for Setup to end; a Setup still open after a minute is a failure
  for _ in $(seq 1 600); do
    kill -0 "$setup_pid" 2>/dev/null || { wait "$setup_pid"; return 0; }
    sleep 0.1
  done
  fail "Setup did not end"
  shot setup-did-not-end
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  wait "$setup_pid"
  return 1
}

answer_box() {    # answer_box TITLE BUTTON-ID: waits for a message box, prints its text, answers
  probe wait "$1" 30 || { fail "no message box \"$1\""; return 1; }
  probe text "$1" 65535
  probe click "$1" "$2"
  probe gone "$1" 10
}

install_through_dialogs() {   # the agreement, then the folder (when asked), then the result
  probe wait "$AGREE" 30 || { fail "agreement dialog did not open"; return 1; }
  probe click "$AGREE" 1022; sleep 0.3
  probe click "$AGREE" 1027
  if [ "${1:-}" = folder ]; then
    probe wait "$FOLDER" 30 || { fail "folder dialog did not open"; return 1; }
    shot folder
    expect_eq "proposed folder" "$(probe text "$FOLDER" 1008)" "$install_win"
    probe click "$FOLDER" 1030
    expect_eq "asks to create the folder" "$(answer_box 'フォルダの作成' 6)" $'指定されたフォルダが存在しません。\n作成してもいいですか？'
  fi
  probe wait "$DONE" 60 || { fail "no success message"; return 1; }
  check "the install progress dialog is shown" probe wait 'Sektra の インストール' 1
  shot install-done
  expect_eq "success message" "$(answer_box "$DONE" 1)" 'インストールは正常に終了しました'
}

echo "== fresh install"
start_setup 'C:\dist\Setup.exe'
if ! probe wait "$MENU" 180; then
  fail "menu dialog opens"
  shot no-menu
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  exit 1
fi
pass "menu dialog opens"
shot menu-fresh
expect_eq "install label without a registered installation" "$(probe text "$MENU" 1021)" 'Sektra の インストール'
expect_eq "removal disabled without a registered installation" "$(probe enabled "$MENU" 1022)" 0
xdotool search --name "$MENU" windowactivate --sync 2>/dev/null
probe click "$MENU" 1
probe wait "$AGREE" 30
shot agreement
expect_eq "agreement OK starts disabled" "$(probe enabled "$AGREE" 1027)" 0
probe click "$AGREE" 1021; sleep 0.3
expect_eq "a choice enables OK" "$(probe enabled "$AGREE" 1027)" 1
probe click "$AGREE" 1027
expect_eq "OK with 同意しません asks the cancel question" "$(answer_box 'インストールの中断' 7)" $'インストール作業を中断します。\nよろしいですか？'
check "No keeps the agreement open" probe wait "$AGREE" 5
install_through_dialogs folder
wait_setup

for f in Sektra.chm Readme.txt Setup.exe Sektra.exe Sektra.jpn; do
  if [ -f "$dist/$f" ]; then check "installed $f" cmp -s "$dist/$f" "$install/$f"; fi
done
expect_eq "settings file" "$(od -An -c "$appdata/Sektra/Sektra.ini" | tr -s ' \n' ' ')" \
  "$(printf 'TimerMode=1\r\nShowInterval=100\r\nPerFrq=0\r\nPerformCells=201\r\n' | od -An -c | tr -s ' \n' ' ')"
for l in Sektra.lnk 'Sektra Help.lnk' Readme.lnk; do check "shortcut $l" test -f "$programs/Sektra Meter/$l"; done
entry=$(reg_query)
echo "$entry" | sed 's/^/    /'
for line in \
  "UninstallString    REG_SZ    $install_win\\Setup.exe /u" \
  "InstallLocation    REG_SZ    $install_win\\" \
  'DisplayName    REG_SZ    Sektra 2.2.1' \
  'DisplayVersion    REG_SZ    2.2.1' \
  "HelpLink    REG_SZ    $install_win\\Sektra.chm" \
  'Publisher    REG_SZ    Sektra Project' \
  'VersionMajor    REG_DWORD    0x2' \
  'VersionMinor    REG_DWORD    0x2' \
  'VersionRevision    REG_DWORD    0x1' \
  'VersionValue    REG_DWORD    0x20201'; do
  check "entry: $line" grep -qxF "    $line" <<<"$entry"
done
check "no entry in the $((96 - bits))-bit registry view" test -z "$(reg_in_view $((96 - bits)) query "$entry_key")"

echo "== Sektra starts from the install folder"
if [ -f "$install/Sektra.exe" ]; then
  ( cd "$install" && exec "$SEKTRA_WINE" "$install_win\\Sektra.exe" /DEMO >/dev/null 2>&1 ) &
  sektra_pid=$!
  sleep 1
  found=
  for _ in $(seq 1 60); do
    found=$(xdotool search --name 'Sektra' 2>/dev/null | while read -r w; do xdotool getwindowname "$w"; done | grep -v -e 'Default IME' -e "$MENU" | head -1)
    [ -n "$found" ] && break
    sleep 1
  done
  probe gone 'デバイスの検索' 60 >/dev/null; sleep 1
  shot sektra-started
  if [ -n "$found" ] && [ "$found" != 'Initialize Error' ]; then pass "Sektra window \"$found\""; else fail "Sektra did not open its window ($found)"; fi
  # Closed as a user closes it, so that the removals below find no program file in use
  # (taskkill by name, run by the 32-bit loader, does not see a 64-bit Sektra).
  [ -n "$found" ] && probe close "$found"
  for _ in $(seq 1 300); do kill -0 "$sektra_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$sektra_pid" 2>/dev/null; then
    fail "Sektra did not end when its window was closed"
    kill "$sektra_pid" 2>/dev/null
  fi
  wait "$sektra_pid" 2>/dev/null
else
  echo "  skipped: Sektra.exe is not built yet"
fi

echo "== reinstall of the same version"
printf 'TimerMode=0\r\nShowInterval=55\r\nPerFrq=0\r\nPerformCells=201\r\n' > "$appdata/Sektra/Sektra.ini"
start_setup 'C:\dist\Setup.exe'
probe wait "$MENU" 60
shot menu-reinstall
expect_eq "reinstall label" "$(probe text "$MENU" 1021)" 'Sektra の 再インストール'
expect_eq "removal offered" "$(probe enabled "$MENU" 1022)" 1
probe click "$MENU" 1
install_through_dialogs
wait_setup
expect_eq "settings kept" "$(tr -d '\r' < "$appdata/Sektra/Sektra.ini" | sed -n 2p)" 'ShowInterval=55'

echo "== upgrade from 2.0.0"
set_version 0x20000
start_setup 'C:\dist\Setup.exe'
probe wait "$MENU" 60
expect_eq "upgrade label" "$(probe text "$MENU" 1021)" 'Sektra の バージョンアップ'
probe click "$MENU" 1
install_through_dialogs
wait_setup
expect_eq "fresh settings after an upgrade" "$(tr -d '\r' < "$appdata/Sektra/Sektra.ini" | sed -n 2p)" 'ShowInterval=100'
check "version now 2.2.1" grep -q 'VersionValue    REG_DWORD    0x20201' <<<"$(reg_query /v VersionValue)"

echo "== downgrade label, and the title bar's close button cancels"
set_version 0x20300
start_setup 'C:\dist\Setup.exe'
probe wait "$MENU" 60
shot menu-downgrade
expect_eq "downgrade label" "$(probe text "$MENU" 1021)" 'Sektra の バージョンダウン'
probe close "$MENU"
wait_setup
check "closing the menu installs nothing" probe gone "$AGREE" 1
check "version unchanged after the close" grep -q 'VersionValue    REG_DWORD    0x20300' <<<"$(reg_query /v VersionValue)"
set_version 0x20201

echo "== \"/uninstall\" is no removal"
start_setup "$install_win\\Setup.exe" /uninstall
check "/uninstall shows the menu" probe wait "$MENU" 60
probe click "$MENU" 2
wait_setup

remove_with() {   # remove_with ARG: the installed Setup with ARG, then the batch
  start_setup "$install_win\\Setup.exe" "$1"
  probe wait "$REMOVED" 60 && shot "removed${1//\//-}"
  expect_eq "removal with $1 reports success" "$(answer_box "$REMOVED" 1)" 'Sektra の 削除は成功しました'
  wait_setup
  check "$1: start menu folder gone" test ! -e "$programs/Sektra Meter"
  check "$1: settings folder gone" test ! -e "$appdata/Sektra"
  check "$1: uninstall entry gone" test -z "$(reg_query)"
  # The batch removes Setup.exe once Setup has ended.
  for _ in $(seq 1 90); do [ -e "$install/Setup.exe" ] || break; sleep 1; done
  check "$1: the batch deleted Setup.exe" test ! -e "$install/Setup.exe"
  for _ in $(seq 1 30); do [ -e "$c/users/$user/AppData/Local/Temp/DelSK.bat" ] || [ -e "$c/users/$user/Temp/DelSK.bat" ] || break; sleep 1; done
  check "$1: the batch ended and deleted itself" test -z "$(find "$c/users/$user" -name DelSK.bat 2>/dev/null)"
}

reinstall_quietly() {
  start_setup 'C:\dist\Setup.exe'
  probe wait "$MENU" 60
  probe click "$MENU" 1
  install_through_dialogs folder > /dev/null
  wait_setup
}

echo "== removal with /u"
remove_with /u
check "/u: install folder gone" test ! -e "$install"

echo "== removal with /U, with a file of the user's own in the folder"
reinstall_quietly
echo "1,2," > "$install/my results.csv"
remove_with /U
check "/U: the user's file is kept" test -f "$install/my results.csv"
expect_eq "/U: only the user's file is left" "$(ls "$install")" 'my results.csv'
rm -rf "$install"

echo "== removal chosen in the menu of the distribution folder's Setup"
reinstall_quietly
start_setup 'C:\dist\Setup.exe'
probe wait "$MENU" 60
probe click "$MENU" 1022; sleep 0.3
shot menu-remove
probe click "$MENU" 1
expect_eq "removal from the menu reports success" "$(answer_box "$REMOVED" 1)" 'Sektra の 削除は成功しました'
wait_setup
sleep 3
check "the distribution's Setup.exe stays" test -f "$dist/Setup.exe"
check "the install folder is gone" test ! -e "$install"
check "no clean-up batch was needed" test -z "$(find "$c/users/$user" -name DelSK.bat 2>/dev/null)"

WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
echo "setup_journey: screenshots in $work/shots"
if [ "$failures" -gt 0 ]; then echo "setup_journey: $failures FAILED"; exit 1; fi
echo "setup_journey: all passed"

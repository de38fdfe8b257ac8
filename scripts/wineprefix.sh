#!/usr/bin/env bash
# Makes (once) a scratch wine prefix for the project's Windows programs and tests.
# usage: wineprefix.sh PREFIX   — prints nothing when the prefix is already there.
set -euo pipefail
prefix=${1:?usage: wineprefix.sh PREFIX}
mkdir -p "$(dirname "$prefix")"
source "$(dirname "$0")/wine-env.sh" "$prefix"
source "$(dirname "$0")/xvfb-ensure.sh"
# Wine draws caption buttons with this font; this wine does not load it from its own data
# folder, only from the prefix's Fonts: without it screenshots show "0 1 r" for the buttons.
marlett=/usr/share/wine/fonts/marlett.ttf
[ -f "$marlett" ] || { echo "wineprefix: $marlett is missing (package fonts-wine)" >&2; exit 1; }
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.sektra-ready" ]; then
  # 9>&-: wineserver and its helpers outlive this script and must not hold the lock.
  "$SEKTRA_WINE" wineboot -i >/dev/null 2>&1 9>&- || true
  # Without a window manager (Xvfb) wine should draw captions and frames itself,
  # so that screenshots show window titles.
  "$SEKTRA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 9>&-
  "$SEKTRA_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
  [ -d "$prefix/drive_c/windows/Fonts" ] || { echo "wineprefix: wineboot did not make $prefix" >&2; exit 1; }
  touch "$prefix/.sektra-ready"
fi
# Also into prefixes made before the font was copied.
fonts=$prefix/drive_c/windows/Fonts
[ -f "$fonts/marlett.ttf" ] || cp "$marlett" "$fonts/"

#!/usr/bin/env bash
# Draws Setup's icon (a disk platter with a gauge needle over an install arrow) at 48, 32
# and 16 pixels and packs it into Setup.ico. Run by hand when the picture changes; the
# .ico is kept in the repository so that a build needs no image tools.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
draw() {   # draw SIZE OUT
  local s=$1 out=$2
  convert -size 256x256 xc:none \
    -fill '#2b4f7c' -stroke '#16304f' -strokewidth 8 -draw 'circle 128,128 128,14' \
    -fill '#c9d6e6' -stroke none -draw 'circle 128,128 128,34' \
    -fill '#2b4f7c' -draw 'circle 128,128 128,104' \
    -fill '#ffffff' -draw 'circle 128,128 128,116' \
    -stroke '#e03a1e' -strokewidth 18 -draw 'line 128,128 196,62' \
    -fill '#e03a1e' -stroke none -draw 'circle 128,128 128,112' \
    -fill '#2fa84f' -stroke '#1d6b32' -strokewidth 6 \
    -draw 'polygon 150,150 246,150 246,200 226,200 198,246 170,200 150,200' \
    -resize "${s}x${s}" "$out"
}
draw 48 "$tmp/48.png"
draw 32 "$tmp/32.png"
draw 16 "$tmp/16.png"
convert "$tmp/48.png" "$tmp/32.png" "$tmp/16.png" Setup.ico
convert -background white -flatten "$tmp/48.png" -scale 400% "${PREVIEW:-/tmp/setup-icon-preview.png}"
rm -rf "$tmp"

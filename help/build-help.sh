#!/usr/bin/env bash
# Builds the Windows help file and the read-me from their UTF-8 sources.
# usage: build-help.sh OUTDIR VERSION   — writes OUTDIR/Sektra.chm and OUTDIR/Readme.txt, with
# every @SEKTRA_VERSION@ of the sources replaced by the project's version
#
# Japanese Windows reads the help file's contents, index and title in code page 932 and
# Notepad opens Readme.txt in that code page too, so every source is converted to CP932
# here; iconv without //TRANSLIT fails on a character that code page lacks, instead of
# shipping a page with a silently replaced character.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: build-help.sh OUTDIR VERSION}
version=${2:?usage: build-help.sh OUTDIR VERSION}
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/help-stage
rm -rf "$stage"
mkdir -p "$stage/html"

to932() {   # to932 SRC DEST: UTF-8 → CP932, and the pages' declared charset with it
  iconv -f UTF-8 -t CP932 "$1" | sed "s/charset=UTF-8/charset=Shift_JIS/; s/@SEKTRA_VERSION@/$version/g" > "$2"
  if grep -q '@SEKTRA_' "$2"; then echo "build-help.sh: unknown placeholder in $1" >&2; exit 1; fi
}
for f in "$here"/html/*.html "$here"/toc.hhc "$here"/index.hhk "$here"/Sektra.hhp; do
  rel=${f#"$here"/}
  to932 "$f" "$stage/$rel"
done
cp "$here/html/style.css" "$stage/html/"

# chmcmd returns 0 even when it reports errors, so its output is checked as well.
log=$stage/chmcmd.log
( cd "$stage" && chmcmd --no-html-scan Sektra.hhp ) >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
if grep -qiE 'error|not found|missing' "$log" || [ ! -s "$stage/Sektra.chm" ]; then
  cat "$log" >&2
  echo "build-help.sh: chmcmd did not produce a clean Sektra.chm" >&2
  exit 1
fi
mv "$stage/Sektra.chm" "$out/Sektra.chm"

# Readme.txt: CP932 with CR LF after every line.
to932 "$here/Readme.txt" "$stage/Readme.txt"
sed 's/$/\r/' "$stage/Readme.txt" > "$out/Readme.txt"
rm -rf "$stage"

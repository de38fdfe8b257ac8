#!/usr/bin/env bash
# Checks the compiled help file with a CHM reader that has nothing to do with the compiler:
# extract_chmLib must list and extract the contents, the index and every page; each page must
# be valid code page 932 that declares it; every link of the contents and the index must name
# an extracted page; the Readme.txt beside it must be code page 932 with CR LF line ends; and
# each page is rendered in a headless browser into SHOTS (for people to look at).
# usage: setup_help.sh Sektra.chm [SHOTS]
set -euo pipefail
chm=${1:?usage: setup_help.sh Sektra.chm [SHOTS]}
shots=${2:-$(dirname "$chm")/help-shots}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "setup_help: $*" >&2; exit 1; }

extract_chmLib "$chm" "$work/x" > "$work/list.txt" || fail "extract_chmLib failed"
for f in /toc.hhc /index.hhk /html/index.html '/#SYSTEM' '/#WINDOWS'; do
  grep -qxF -- "--> $f" "$work/list.txt" || fail "$f is not in the file"
done

pages=$(cd "$work/x" && find html -name '*.html' | sort)
[ "$(echo "$pages" | wc -l)" -ge 10 ] || fail "too few pages: $pages"
for p in $pages; do
  iconv -f CP932 -t UTF-8 "$work/x/$p" > /dev/null || fail "$p is not code page 932"
  grep -q 'charset=Shift_JIS' "$work/x/$p" || fail "$p does not declare Shift_JIS"
done

# The contents and the index may only point at pages that exist.
links=$(iconv -f CP932 -t UTF-8 "$work/x/toc.hhc" "$work/x/index.hhk" |
        grep -o 'name="Local" value="[^"]*"' | sed 's/.*value="//; s/"$//' | sort -u)
[ -n "$links" ] || fail "contents and index are empty"
for l in $links; do
  [ -f "$work/x/$l" ] || fail "link to missing page $l"
done
keywords=$(iconv -f CP932 -t UTF-8 "$work/x/index.hhk" | grep -c 'name="Name"')
[ "$keywords" -ge 20 ] || fail "index has only $keywords keywords"

# Pages link each other by relative names; every target must be in the file too.
for p in $pages; do
  for t in $(grep -o 'href="[^"#]*' "$work/x/$p" | sed 's/href="//' | sort -u); do
    [ -f "$work/x/html/$t" ] || fail "$p links to missing $t"
  done
done

# The read-me beside it: code page 932, and CR LF ending every line (no bare LF).
readme=$(dirname "$chm")/Readme.txt
if [ -f "$readme" ]; then
  iconv -f CP932 -t UTF-8 "$readme" > /dev/null || fail "Readme.txt is not code page 932"
  lf=$(tr -cd '\n' < "$readme" | wc -c)
  crlf=$(grep -c $'\r$' "$readme" || true)
  [ "$lf" -gt 10 ] && [ "$lf" = "$crlf" ] || fail "Readme.txt: $lf line ends, $crlf of them CR LF"
  [ "$(tail -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "Readme.txt does not end with CR LF"
fi

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -n "$browser" ]; then
  mkdir -p "$shots"
  for p in $pages; do
    name=$(basename "$p" .html)
    "$browser" --headless --no-sandbox --disable-gpu --disable-background-networking \
      --hide-scrollbars --window-size=900,1100 --screenshot="$shots/$name.png" \
      "file://$work/x/$p" > /dev/null 2>&1 || fail "chromium could not render $p"
    [ -s "$shots/$name.png" ] || fail "no screenshot of $p"
  done
  echo "setup_help: screenshots in $shots"
else
  echo "setup_help: no chromium, pages not rendered"
fi
echo "setup_help: $(echo "$pages" | wc -l) pages, $keywords index keywords: ok"

#!/usr/bin/env bash
# Checks that the compiled help file's first page names "Sektra バージョン VERSION".
# usage: check-version.sh Sektra.chm VERSION
set -euo pipefail
chm=${1:?usage: check-version.sh Sektra.chm VERSION}
version=${2:?usage: check-version.sh Sektra.chm VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
extract_chmLib "$chm" "$work/x" > /dev/null
text=$(iconv -f CP932 -t UTF-8 "$work/x/html/index.html")
if ! grep -qF "Sektra バージョン $version" <<<"$text"; then
  echo "check-version.sh: the help's first page does not name version $version" >&2
  exit 1
fi
if grep -rqi 'example\.\(org\|com\)' "$work/x"; then
  echo "check-version.sh: a placeholder address in the help" >&2
  exit 1
fi

#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Safe to run again:
# it only calls apt-get when something is missing, and is quiet when all is there.
set -euo pipefail

packages=(
  cmake ninja-build git g++ make pkg-config
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  googletest libgtest-dev
  wine wine32:i386 wine64 fonts-wine
  locales xvfb xdotool x11-utils imagemagick fonts-noto-cjk
  fp-utils libchm-bin zip unzip fio clang
  tgt libiscsi-dev libiscsi-bin xorriso
  sg3-utils sdparm hdparm jq
)

sudo_cmd=()
[ "$(id -u)" = 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  # dpkg-query knows "wine32:i386" only once the architecture exists; a failure means missing.
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The Windows programs run under wine with a Japanese user locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

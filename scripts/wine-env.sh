# Sourced: sets the environment for running the project's Windows programs under wine.
# usage: source wine-env.sh PREFIX
export WINEPREFIX="$1"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
# Debian ships neither wine-mono nor wine-gecko; without this wine offers to download them
# in a dialog that blocks a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Some kernels (this project's VMs among them) cannot execute 32-bit ELF programs, so the
# 32-bit wine loader cannot start. Then only 64-bit Windows programs run, through wine64;
# SEKTRA_WINE32_OK tells the callers which case this is.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export SEKTRA_WINE=wine SEKTRA_WINE32_OK=1
else
  export SEKTRA_WINE=/usr/lib/wine/wine64 SEKTRA_WINE32_OK=0 WINELOADER=/usr/lib/wine/wine64
fi

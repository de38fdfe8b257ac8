# Sourced: sets the environment for running the project's Windows programs under wine.
# usage: source wine-env.sh PREFIX
export WINEPREFIX="$1"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
# Debian ships neither wine-mono nor wine-gecko; without this wine offers to download them
# in a dialog that blocks a headless run.
export WINEDLLOVERRIDES="mscoree,mshtml="

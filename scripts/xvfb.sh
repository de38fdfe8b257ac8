# Sourced: a private Xvfb server for one run, stopped by its process id.
#   sektra_xvfb_start [WIDTHxHEIGHTxDEPTH]  starts it, exports DISPLAY, sets SEKTRA_XVFB_PID
#   sektra_xvfb_stop                        stops that server (and only that one)
# The server picks a free display number itself (-displayfd), so runs that start at the same
# time never race for one, and it reports the number only once it accepts connections.

sektra_xvfb_start() {
  local size=${1:-1280x1024x24} file n= _
  file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$file" </dev/null >/dev/null 2>&1 &
  SEKTRA_XVFB_PID=$!
  for _ in $(seq 1 150); do
    n=$(head -1 "$file")
    [ -n "$n" ] && break
    kill -0 "$SEKTRA_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$file"
  if [ -z "$n" ]; then
    echo "xvfb: Xvfb did not start (is the xvfb package installed?)" >&2
    sektra_xvfb_stop
    return 1
  fi
  export DISPLAY=":$n"
}

sektra_xvfb_stop() {
  if [ -n "${SEKTRA_XVFB_PID:-}" ]; then
    kill "$SEKTRA_XVFB_PID" 2>/dev/null || true
    wait "$SEKTRA_XVFB_PID" 2>/dev/null || true
    SEKTRA_XVFB_PID=
  fi
}

# Sourced: makes sure DISPLAY names a running X server, starting one shared Xvfb if needed.
# That happens only in a CTest run without a display: scripts/test.sh and the journeys bring
# servers of their own (scripts/xvfb.sh). The shared one on :87 stays for the next such run;
# its process id is in /tmp/.X87-lock, as for every X server.
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:87
  (
    exec 8>/tmp/sektra-xvfb.lock
    flock 8
    if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
      # 8>&-: the server must not inherit (and so hold) the lock.
      setsid Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>&- &
      for _ in $(seq 1 100); do
        xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break
        sleep 0.1
      done
    fi
  )
fi

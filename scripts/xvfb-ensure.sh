# Sourced: makes sure DISPLAY names a running X server, starting one shared Xvfb if needed.
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

# Functions that run a private tgtd (the user-space SCSI target) on the loopback address, for
# tests and benchmarks. Source it; nothing runs on its own.
#
#   tgt_start DIR      starts tgtd on 127.0.0.1 and a free port, with a control port of its own
#                      (so several daemons on one machine never meet); sets TGT_PID,
#                      TGT_PORT, TGT_CONTROL_PORT, TGT_PORTAL. Returns 1, with the reason in
#                      TGT_ERROR, when no daemon can be started here.
#   tgt_admin ARGS...  tgtadm for this daemon
#   tgt_target TID IQN
#   tgt_lun TID LUN BACKING [tgtadm options...]
#   tgt_stop           deletes every target and stops the daemon, by its own pid
#   tgt_watch [PATH...] stops the daemon also when this shell is killed without a chance to
#                      run tgt_stop (a test runner's time-out), from a watcher of its own, and
#                      then removes the daemon's control socket and the PATHs
#
# tgtd ignores SIGTERM: it ends when asked through its control port. Only if that fails is the
# daemon we started killed, by its pid.

TGT_LAUNCH=()  # what tgtd is started under, for instance (chrt -f 10); it must exec tgtd
TGT_PID=
TGT_PORT=
TGT_CONTROL_PORT=
TGT_PORTAL=
TGT_ERROR=
TGT_LOG=

tgt_admin() {
  tgtadm -C "$TGT_CONTROL_PORT" --lld iscsi "$@"
}

# True when something accepts connections on 127.0.0.1:$1.
tgt_port_busy() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

tgt_start() {
  local dir=$1 attempt port control i
  TGT_LOG=$dir/tgtd.log
  if ! command -v tgtd >/dev/null || ! command -v tgtadm >/dev/null; then
    TGT_ERROR="tgtd/tgtadm not installed (package tgt)"
    return 1
  fi
  if [ "$(id -u)" != 0 ]; then
    TGT_ERROR="tgtd needs root"
    return 1
  fi
  for attempt in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 40000))
    control=$((1000 + RANDOM % 50000))
    tgt_port_busy "$port" && continue
    # Another daemon's control socket: its lock file is held.
    [ -e "/var/run/tgtd/socket.$control" ] && continue
    "${TGT_LAUNCH[@]}" tgtd -f --iscsi "portal=127.0.0.1:$port" -C "$control" >"$TGT_LOG" 2>&1 &
    TGT_PID=$!
    TGT_CONTROL_PORT=$control
    for i in $(seq 50); do
      if ! kill -0 "$TGT_PID" 2>/dev/null; then break; fi
      if tgtadm -C "$control" --mode system --op show >/dev/null 2>&1 && tgt_port_busy "$port"; then
        TGT_PORT=$port
        TGT_PORTAL=127.0.0.1:$port
        return 0
      fi
      sleep 0.1
    done
    # Did not come up on these ports: end it and try others.
    if kill -0 "$TGT_PID" 2>/dev/null; then
      tgtadm -C "$control" --mode system --op delete >/dev/null 2>&1 || kill -9 "$TGT_PID" 2>/dev/null
    fi
    wait "$TGT_PID" 2>/dev/null
    TGT_PID=
  done
  TGT_ERROR="tgtd did not start: $(tail -n 3 "$TGT_LOG" 2>/dev/null | tr '\n' ' ')"
  return 1
}

tgt_target() {
  tgt_admin --mode target --op new --tid "$1" --targetname "$2" &&
    tgt_admin --mode target --op bind --tid "$1" --initiator-address ALL
}

tgt_lun() {
  local tid=$1 lun=$2 backing=$3
  shift 3
  tgt_admin --mode logicalunit --op new --tid "$tid" --lun "$lun" --backing-store "$backing" "$@"
}

TGT_WATCH=

tgt_watch() {
  local owner=$$
  # In a session of its own, so that whatever kills this shell's group leaves the watcher.
  setsid bash -c '
    while kill -0 "$1" 2>/dev/null; do sleep 1; done
    kill -0 "$2" 2>/dev/null || exit 0
    tgtadm -C "$3" --mode system --op delete >/dev/null 2>&1
    sleep 3
    kill -0 "$2" 2>/dev/null && kill -9 "$2"
    rm -f "/var/run/tgtd/socket.$3" "/var/run/tgtd/socket.$3.lock"
    shift 3
    rm -rf "$@"
  ' tgt-watch "$owner" "$TGT_PID" "$TGT_CONTROL_PORT" "$@" </dev/null >/dev/null 2>&1 &
  TGT_WATCH=$!
}

tgt_stop() {
  local tid i
  if [ -n "$TGT_WATCH" ]; then
    kill "$TGT_WATCH" 2>/dev/null
    TGT_WATCH=
  fi
  [ -n "$TGT_PID" ] || return 0
  if kill -0 "$TGT_PID" 2>/dev/null; then
    for tid in $(tgt_admin --mode target --op show 2>/dev/null | sed -n 's/^Target \([0-9]*\):.*/\1/p'); do
      tgt_admin --mode target --op delete --force --tid "$tid" >/dev/null 2>&1
    done
    tgtadm -C "$TGT_CONTROL_PORT" --mode system --op delete >/dev/null 2>&1
    for i in $(seq 50); do
      kill -0 "$TGT_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$TGT_PID" 2>/dev/null && kill -9 "$TGT_PID" 2>/dev/null
  fi
  wait "$TGT_PID" 2>/dev/null
  rm -f "/var/run/tgtd/socket.$TGT_CONTROL_PORT" "/var/run/tgtd/socket.$TGT_CONTROL_PORT.lock"
  TGT_PID=
  return 0
}

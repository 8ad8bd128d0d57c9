#!/usr/bin/env bash
# Starts or stops the native printer simulator that the Wine tests talk to through lxportio.dll.
#   sim-fixture.sh start DIR LXSIM [lxsim options...] [--bridge BRIDGE_DIR DEVICE...]
#       serve on a free loopback port (DIR/address, DIR/state, DIR/log, DIR/wire); with --bridge, bridged USB
#       printers in front of it as well (tests/support/usb-bridge.sh)
#   sim-fixture.sh stop DIR [BRIDGE_DIR]
set -euo pipefail
cmd="$1"; dir="$2"; shift 2
. "$(dirname "$0")/../support/stop-by-argument.sh"
case "$cmd" in
  start)
    lxsim="$1"; shift
    options=(); bridge=()
    while [ $# -gt 0 ]; do
      if [ "$1" = --bridge ]; then shift; bridge=("$@"); break; fi
      options+=("$1"); shift
    done
    set -- "${options[@]}"
    [ -x "$lxsim" ] || { echo "sim-fixture: no simulator at $lxsim (build the host configuration first)" >&2; exit 1; }
    "$0" stop "$dir" || true
    mkdir -p "$dir"
    rm -f "$dir/address" "$dir/state" "$dir/log" "$dir/wire"
    # Detached from CTest's pipes, or CTest would wait for it.
    setsid "$lxsim" --listen 127.0.0.1:0 --port-file "$dir/address" --state-dump "$dir/state" --log "$dir/log" \
      --wire "$dir/wire" "$@" \
      </dev/null >"$dir/stderr" 2>&1 &
    echo $! > "$dir/pid"
    for _ in $(seq 100); do
      if [ -s "$dir/address" ]; then
        echo "sim-fixture: lxsim $(cat "$dir/pid") on $(cat "$dir/address")"
        [ ${#bridge[@]} -eq 0 ] && exit 0
        exec "$(dirname "$0")/../support/usb-bridge.sh" start "${bridge[0]}" "$dir" "${bridge[@]:1}"
      fi
      kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
      sleep 0.05
    done
    echo "sim-fixture: lxsim did not start" >&2; cat "$dir/stderr" >&2; exit 1 ;;
  stop)
    [ $# -gt 0 ] && "$(dirname "$0")/../support/usb-bridge.sh" stop "$1"
    # A simulator of a run cut short outlives its pid file (a fresh checkout has none): found by its folder.
    stop_by_argument --state-dump "$dir/state"
    [ -f "$dir/pid" ] || exit 0
    pid="$(cat "$dir/pid")"; rm -f "$dir/pid"
    kill "$pid" 2>/dev/null || true ;;
  *) echo "usage: $0 start DIR LXSIM [options] | stop DIR" >&2; exit 2 ;;
esac

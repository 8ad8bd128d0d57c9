#!/usr/bin/env bash
# Starts or stops the bridged USB printers (usb_bridge.py) in the test run's Wine prefix, forwarding to the
# simulator fixture.
#   usb-bridge.sh start DIR SIM_DIR INSTANCE=PORT[,silent]...   DIR holds the control files and the log
#   usb-bridge.sh stop DIR
set -euo pipefail
cmd="$1"; dir="$2"; shift 2
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/stop-by-argument.sh"
prefix="${WINEPREFIX:-${LX_WINE_DIR:-$here/../../build/wine}/run}"
case "$cmd" in
  start)
    sim_dir="$1"; shift
    "$0" stop "$dir" || true
    rm -rf "$dir"; mkdir -p "$dir"
    [ -s "$sim_dir/address" ] || { echo "usb-bridge: no simulator in $sim_dir" >&2; exit 1; }
    mkdir -p "$prefix/dosdevices"
    setsid python3 "$here/usb_bridge.py" --prefix "$prefix" --sim "$(cat "$sim_dir/address")" --control "$dir" "$@" \
      </dev/null >"$dir/log" 2>&1 &
    echo $! > "$dir/pid"
    for _ in $(seq 100); do
      [ -f "$dir/ready" ] && { echo "usb-bridge: $# devices in $prefix"; exit 0; }
      kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
      sleep 0.05
    done
    echo "usb-bridge: did not start" >&2; cat "$dir/log" >&2; exit 1 ;;
  stop)
    # A bridge of a run cut short outlives its pid file (a fresh checkout has none): found by its folder.
    stop_by_argument --control "$dir"
    [ -f "$dir/pid" ] || exit 0
    kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid" ;;
  *) echo "usage: $0 start DIR SIM_DIR INSTANCE=PORT... | stop DIR" >&2; exit 2 ;;
esac

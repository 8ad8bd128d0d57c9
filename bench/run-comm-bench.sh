#!/usr/bin/env bash
# Times reading and applying the settings, and reading a print log of 10,000 records, under Wine against the
# simulator program over the real link; then one device call over the simulator link and over the USB printer
# class (a bridged device, tests/support/usb_bridge.py), in the same run.
#   bench/run-comm-bench.sh [rounds with real pauses] [rounds without pauses]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
bench=build/x64/bench/comm_bench_win.exe
[ -x build/host/sim/lxsim ] && [ -f "$bench" ] || ./lx build
. bench/bench-env.sh
bench_prefix
# The simulator as the demo runs it: logging every exchange, no state dump.
bench_simulator "$src/build/bench/sim" --printer USB001=104,48,printlog=10000
wine "$bench" "${1:-3}" "${2:-50}" "${@:3}" | tr -d '\r'
# The same printer as a USB printer-class device: no simulator configured, the bridge in front of it.
mkdir -p "$src/build/bench/bridge"; rm -f "$src/build/bench/bridge/ready"
python3 tests/support/usb_bridge.py --prefix "$WINEPREFIX" --sim "$LXPORTIO_SIMULATOR" \
  --control "$src/build/bench/bridge" 0001=USB001 </dev/null >/dev/null 2>&1 &
bridge_pid=$!
trap 'kill $bridge_pid $bench_sim_pid 2>/dev/null; wineserver -k >/dev/null 2>&1 || true' EXIT
for _ in $(seq 100); do [ -f "$src/build/bench/bridge/ready" ] && break; sleep 0.05; done
env -u LXPORTIO_SIMULATOR wine "$bench" calls "${2:-50}" | tr -d '\r'

#!/usr/bin/env bash
# Times reading and applying the settings, and reading a print log of 10,000 records, under Wine against the
# simulator program over the real link.
#   bench/run-comm-bench.sh [rounds with real pauses] [rounds without pauses]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
lxsim=build/host/sim/lxsim
bench=build/x64/bench/comm_bench_win.exe
[ -x "$lxsim" ] && [ -f "$bench" ] || ./lx build
export LX_WINE_DIR="$src/build/wine"
scripts/wine-prefix.sh template
export WINEPREFIX="$LX_WINE_DIR/bench" HOME="$LX_WINE_DIR/home" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; }
rm -rf "$WINEPREFIX"
cp -a "$LX_WINE_DIR/template" "$WINEPREFIX"
# The simulator as the demo runs it: logging every exchange, no state dump.
sim_dir="$src/build/bench/sim"
mkdir -p "$sim_dir"
rm -f "$sim_dir/address"
"$lxsim" --listen 127.0.0.1:0 --port-file "$sim_dir/address" --log "$sim_dir/log" --printer USB001=104,48,printlog=10000 \
  </dev/null >/dev/null 2>&1 &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$sim_dir/address" ] && break; sleep 0.05; done
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
LXPORTIO_SIMULATOR="$(cat "$sim_dir/address")" wine "$bench" "${1:-3}" "${2:-50}" "${@:3}" | tr -d '\r'

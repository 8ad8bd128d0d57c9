#!/usr/bin/env bash
# Times lxdevset from its start to the main window with the printer's values, under Wine against the simulator.
#   bench/run-startup-bench.sh [rounds]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
lxsim=build/host/sim/lxsim
bench=build/x64/bench/startup_bench.exe
[ -x "$lxsim" ] && [ -f "$bench" ] || ./lx build
export LX_WINE_DIR="$src/build/wine"
scripts/wine-prefix.sh template
export WINEPREFIX="$LX_WINE_DIR/bench" HOME="$LX_WINE_DIR/home" WINEDEBUG=-all
[ -d "$WINEPREFIX" ] && { wineserver -k 2>/dev/null || true; }
rm -rf "$WINEPREFIX"
cp -a "$LX_WINE_DIR/template" "$WINEPREFIX"
work="$src/build/bench/startup"
rm -rf "$work"; mkdir -p "$work/program/res"
cp dist/x64/lxdevset.exe dist/x64/lxdevset.ini dist/x64/lxportio.dll "$work/program/"
cp dist/x64/res/*.dll "$work/program/res/"
rm -f "$work/address"
"$lxsim" --listen 127.0.0.1:0 --port-file "$work/address" --log "$work/log" --printer USB001=104,48 \
  </dev/null >/dev/null 2>&1 &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$work/address" ] && break; sleep 0.05; done
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
LXPORTIO_SIMULATOR="$(cat "$work/address")" wine "$bench" "$(winepath -w "$work/program")" "Korvale LX-410" \
  "${1:-5}" "$(winepath -w build/x64/bench/bare_window.exe)" | tr -d '\r'

#!/usr/bin/env bash
# Times lxdevset from its start to the main window with the printer's values, under Wine against the simulator.
#   bench/run-startup-bench.sh [rounds]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
bench=build/x64/bench/startup_bench.exe
[ -x build/host/sim/lxsim ] && [ -f "$bench" ] || ./lx build
. bench/bench-env.sh
bench_prefix
bench_few_printers
work="$src/build/bench/startup"
rm -rf "$work"; mkdir -p "$work/program/res"
cp dist/x64/lxdevset.exe dist/x64/lxdevset.ini dist/x64/lxportio.dll "$work/program/"
cp dist/x64/res/*.dll "$work/program/res/"
bench_simulator "$work" --printer USB001=104,48
wine "$bench" "$(winepath -w "$work/program")" "Korvale LX-410" "${1:-5}" "$(winepath -w build/x64/bench/bare_window.exe)" |
  tr -d '\r'

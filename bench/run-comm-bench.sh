#!/usr/bin/env bash
# Times reading and applying the settings, and reading a print log of 10,000 records, under Wine against the
# simulator program over the real link.
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

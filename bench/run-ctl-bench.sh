#!/usr/bin/env bash
# Times lxdevctl reading and applying settings on one printer and on sixteen printers on sixteen ports, under Wine against the
# simulator; the ratio shows how well the printers run in parallel.
#   bench/run-ctl-bench.sh [rounds]
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
cd "$src"
rounds="${1:-3}"
[ -x build/host/sim/lxsim ] && [ -f dist/x64/lxdevctl.exe ] || ./lx build
# Its point is how well sixteen printers run side by side, which one CPU would hide: spread unless told.
export LX_BENCH_SPREAD="${LX_BENCH_SPREAD:-1}"
. bench/bench-env.sh
bench_prefix
work="$src/build/bench/ctl"
rm -rf "$work"; mkdir -p "$work/program/res"
cp dist/x64/lxdevctl.exe dist/x64/lxportio.dll "$work/program/"
cp dist/x64/res/*.dll "$work/program/res/"
printf '[Property]\r\nCompatibleModel=Korvale LX-FLEET\r\n[Korvale LX-FLEET]\r\nSeriesCode=104\r\nModelCode=48\r\n[LangString]\r\ndefault=ENU\r\n' \
  > "$work/program/lxdevset.ini"
printers=()
for i in $(seq 101 116); do printers+=(--printer "USB$i=104,48"); done
bench_simulator "$work" "${printers[@]}"
cd "$work/program"
wine lxdevctl.exe list >/dev/null 2>&1 || true # the spooler's first start is not part of any round

time_ms() { local start end; start=$(date +%s%N); wine lxdevctl.exe "$@" >/dev/null; end=$(date +%s%N); echo $(((end - start) / 1000000)); }
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}'; }
get1=() get16=() one=() all=()
for round in $(seq "$rounds"); do
  choice=$((round % 5 + 1))
  get1+=("$(time_ms get "Fleet 01")")
  get16+=("$(time_ms get "Fleet ??")")
  one+=("$(time_ms apply "Fleet 01" --set AutoOffAc=#$choice)")
  all+=("$(time_ms apply "Fleet ??" --set AutoOffAc=#$choice)")
  echo "round $round: get one ${get1[-1]} ms, sixteen ${get16[-1]} ms; apply one ${one[-1]} ms, sixteen ${all[-1]} ms"
done
g1=$(printf '%s\n' "${get1[@]}" | median); g16=$(printf '%s\n' "${get16[@]}" | median)
m1=$(printf '%s\n' "${one[@]}" | median); m16=$(printf '%s\n' "${all[@]}" | median)
echo "get median: one printer $g1 ms, sixteen printers $g16 ms, ratio $(awk -v a="$g16" -v b="$g1" 'BEGIN {printf "%.2f", a / b}')"
echo "apply median: one printer $m1 ms, sixteen printers $m16 ms, ratio $(awk -v a="$m16" -v b="$m1" 'BEGIN {printf "%.2f", a / b}')"

# Sourced by the Wine benchmarks: a fresh bench prefix from the template, and the simulator on a free port.
#   bench_prefix                        WINEPREFIX=build/wine/bench, a copy of the template; Wine on one CPU
#   bench_few_printers                  only the printers a workstation would have
#   bench_simulator DIR [lxsim args]    starts lxsim (log in DIR/log), exports LXPORTIO_SIMULATOR, stops it at exit
bench_src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Every window, message and file call of a Wine program is a round trip to wineserver. On a virtual machine a
# round trip between two CPUs waits for the other CPU to wake (a combo box measured 0.4 ms on one CPU and 5 ms
# across two), which would swamp what the program itself costs. So the benchmark's processes, wineserver and
# the simulator included, run on one CPU unless LX_BENCH_SPREAD=1.
bench_one_cpu() {
  if [ "${LX_BENCH_SPREAD:-0}" = 1 ] || ! command -v taskset >/dev/null; then
    echo "bench: processes spread over the CPUs"
    return
  fi
  taskset -pc 0 $$ >/dev/null && echo "bench: Wine and the simulator on CPU 0 (LX_BENCH_SPREAD=1 to spread them)"
}

bench_prefix() {
  bench_one_cpu
  export LX_WINE_DIR="$bench_src/build/wine"
  "$bench_src/scripts/wine-prefix.sh" template
  export WINEPREFIX="$LX_WINE_DIR/bench" HOME="$LX_WINE_DIR/home" WINEDEBUG=-all
  [ -d "$WINEPREFIX" ] && { wineserver -k >/dev/null 2>&1 || true; }
  rm -rf "$WINEPREFIX"
  cp -a "$LX_WINE_DIR/template" "$WINEPREFIX"
}

# A machine's own few printers: the test prefix's extra printers go, so spooler queries cost what they cost on a
# workstation (the shipped models' three and an office laser stay).
bench_few_printers() {
  local key='HKLM\System\CurrentControlSet\Control\Print\Printers'
  wine reg query "$key" 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_LOCAL_MACHINE.*\\Printers\\//p' |
    while IFS= read -r name; do
      case "$name" in
        "Korvale LX-410"|"Warehouse LX-450W"|"Parallel LX-410"|"Office Laser") ;;
        *) wine reg delete "$key\\$name" /f >/dev/null 2>&1 || true ;;
      esac
    done
  wineserver -w
}

bench_simulator() {
  local dir="$1"; shift
  mkdir -p "$dir"
  rm -f "$dir/address"
  "$bench_src/build/host/sim/lxsim" --listen 127.0.0.1:0 --port-file "$dir/address" --log "$dir/log" "$@" \
    </dev/null >/dev/null 2>&1 &
  bench_sim_pid=$!
  trap 'kill $bench_sim_pid 2>/dev/null; wineserver -k >/dev/null 2>&1 || true' EXIT
  for _ in $(seq 100); do [ -s "$dir/address" ] && break; sleep 0.05; done
  wineserver -p >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  LXPORTIO_SIMULATOR="$(cat "$dir/address")"
  export LXPORTIO_SIMULATOR
}

# Sourced by the Wine benchmarks: a fresh bench prefix from the template, and the simulator on a free port.
#   bench_prefix                        WINEPREFIX=build/wine/bench, a copy of the template
#   bench_few_printers                  only the printers a workstation would have
#   bench_simulator DIR [lxsim args]    starts lxsim (log in DIR/log), exports LXPORTIO_SIMULATOR, stops it at exit
bench_src="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bench_prefix() {
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
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  LXPORTIO_SIMULATOR="$(cat "$dir/address")"
  export LXPORTIO_SIMULATOR
}

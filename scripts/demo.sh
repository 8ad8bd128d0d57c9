#!/usr/bin/env bash
# Runs lxdevset from dist/x64 under Wine in the demo prefix against the printer simulator: in a Wine desktop
# window when a display is there, otherwise under Xvfb, saving a screenshot of the main window with the
# printer's settings read to build/demo/lxdevset.png.
#   demo.sh [printer name]   the printer to configure (default "Korvale LX-410"); "-" asks which one
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
wine_dir="${LX_WINE_DIR:-$src/build/wine}"
export WINEPREFIX="$wine_dir/demo" HOME="$wine_dir/home" WINEDEBUG=-all
exe="$(winepath -w "$src/dist/x64/lxdevset.exe" 2>/dev/null)"
out="$src/build/demo"
mkdir -p "$out"

# The simulated printers answer on the link that lxportio.dll reads from LXPORTIO_SIMULATOR.
sim="$src/build/host/sim/lxsim"
if [ -x "$sim" ]; then
  rm -f "$out/simulator.address"
  "$sim" --listen 127.0.0.1:0 --port-file "$out/simulator.address" --printer USB001=104,48 \
    --printer USB002=104,50 --log "$out/simulator.log" </dev/null >/dev/null 2>&1 &
  sim_pid=$!
  trap 'kill $sim_pid 2>/dev/null || true' EXIT
  for _ in $(seq 100); do [ -s "$out/simulator.address" ] && break; sleep 0.05; done
  LXPORTIO_SIMULATOR="$(cat "$out/simulator.address")"
  export LXPORTIO_SIMULATOR
  echo "demo: simulated printers on $LXPORTIO_SIMULATOR (log: $out/simulator.log)"
fi

desktop="/desktop=lxdevset,1024x768"
printer="${*:-Korvale LX-410}"
[ "$printer" = "-" ] && printer=""
# Wine quotes an argument with blanks; the program takes its whole command line as the name, so the words go
# separately.
read -r -a words <<< "$printer"
set -- "${words[@]}"
if [ -n "${DISPLAY:-}" ]; then
  wineserver -k 2>/dev/null || true
  wine explorer "$desktop" "$exe" "$@"
  wineserver -w
  exit 0
fi

# Headless: a virtual screen, a wineserver bound to it, a screenshot once the window is up.
shot="$out/lxdevset.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  wineserver -k 2>/dev/null || true
  wine explorer "$0" "$1" "${@:3}" &
  # The main window appears once the first reading is over; then it has painted within a moment.
  for i in $(seq 1 60); do
    sleep 0.5
    xwininfo -root -tree 2>/dev/null | grep -q "Device settings" && break
  done
  sleep ${LX_DEMO_WAIT:-4}
  import -window root "$2"
  wineserver -k
' "$desktop" "$exe" "$shot" "$@"
echo "demo: screenshot saved to $shot"

#!/usr/bin/env bash
# Saves screenshots of lxdevset's windows as PNG files under build/shots/, from the shipped program in dist/x64
# running under Wine on a virtual screen against the printer simulator (lxshots.exe walks it through its windows).
#   shots.sh [scene...]   scenes: main selection languages classic dpi (all when none is named)
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
wine_dir="${LX_WINE_DIR:-$src/build/wine}"
out="$src/build/shots"
rm -rf "$out"; mkdir -p "$out/program/res"
"$src/scripts/wine-prefix.sh" shots
export WINEPREFIX="$wine_dir/shots" HOME="$wine_dir/home" WINEDEBUG=-all
cp "$src/dist/x64/lxdevset.exe" "$src/dist/x64/lxdevset.ini" "$src/dist/x64/lxportio.dll" "$out/program/"
cp "$src/dist/x64/res/"*.dll "$out/program/res/"
shooter="$src/build/x64/tests/ui/lxshots.exe"

sim="$src/build/host/sim/lxsim"
"$sim" --listen 127.0.0.1:0 --port-file "$out/simulator.address" --printer USB001=104,48 --printer USB002=104,50 \
  --log "$out/simulator.log" </dev/null >/dev/null 2>&1 &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$out/simulator.address" ] && break; sleep 0.05; done
LXPORTIO_SIMULATOR="$(cat "$out/simulator.address")"
export LXPORTIO_SIMULATOR

scenes=("$@")
[ "${#scenes[@]}" -eq 0 ] && scenes=(main selection languages classic dpi)
win_out="$(winepath -w "$out")"
win_program="$(winepath -w "$out/program")"

# One Wine desktop of the given size per run of the shooter; a screenshot whenever it leaves a .want file.
run_scenes() {
  local size="$1"; shift
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    out="$1"; size="$2"; shift 2
    wineserver -k 2>/dev/null || true
    rm -f "$out/done"
    wine explorer /desktop=shots,$size "$@" >/dev/null 2>&1 &
    for _ in $(seq 1200); do
      for want in "$out"/*.want; do
        [ -e "$want" ] || continue
        import -window root "${want%.want}.png"
        rm -f "$want"
      done
      [ -e "$out/done" ] && break
      sleep 0.1
    done
    wineserver -k 2>/dev/null || true
  ' bash "$out" "$size" "$@"
}

themed=() classic=0 dpi=0
for scene in "${scenes[@]}"; do
  case "$scene" in classic) classic=1 ;; dpi) dpi=1 ;; *) themed+=("$scene") ;; esac
done
[ "${#themed[@]}" -gt 0 ] && run_scenes 1024x768 "$shooter" "$win_out" "$win_program" "${themed[@]}"
if [ "$classic" -eq 1 ]; then
  # The classic look: visual styles off for the whole desktop.
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
  wineserver -w
  run_scenes 1024x768 "$shooter" "$win_out" "$win_program" classic
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 1 /f >/dev/null 2>&1
  wineserver -w
fi
if [ "$dpi" -eq 1 ]; then
  # 144 DPI, read by Wine when its processes start.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wineserver -w
  # A screen large enough for the window at one and a half times its size.
  run_scenes 1600x1200 "$shooter" "$win_out" "$win_program" dpi
fi
ls "$out"/*.png | sed 's/^/shots: /'

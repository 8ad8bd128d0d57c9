#!/usr/bin/env bash
# Draws the program icon (a label in a rounded tape cassette) and the tab icon (a framed page) at every size the
# screens need, 16 to 256 pixels, each drawn for its size rather than scaled, into app/lxdevset.ico and app/tab.ico.
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
sizes=(16 20 24 32 48 256)
program=() tab=()
for s in "${sizes[@]}"; do
  # Figures of the 32-pixel design, scaled and rounded to whole pixels.
  f() { echo $(( ($1 * s + 16) / 32 )); }
  r=$(f 6); [ "$r" -lt 2 ] && r=2
  convert -size "${s}x${s}" xc:none -fill '#2a6f9b' \
    -draw "roundrectangle $(f 2),$(f 5) $(( s - 1 - $(f 2) )),$(( s - 1 - $(f 5) )) $r,$r" \
    -fill white -draw "rectangle $(f 7),$(f 11) $(( s - 1 - $(f 7) )),$(( s - 1 - $(f 11) ))" \
    -fill '#2a6f9b' -draw "rectangle $(f 9),$(f 14) $(( s - 1 - $(f 9) )),$(( s - 1 - $(f 15) ))" \
    "PNG32:$work/p$s.png"
  b=$(( (2 * s + 16) / 16 )); [ "$b" -lt 2 ] && b=2
  convert -size "${s}x${s}" xc:none -fill '#555555' \
    -draw "rectangle $(f 4),$(f 6) $(( s - 1 - $(f 4) )),$(( s - 1 - $(f 6) ))" \
    -fill white -draw "rectangle $(( $(f 4) + b )),$(( $(f 6) + b )) $(( s - 1 - $(f 4) - b )),$(( s - 1 - $(f 6) - b ))" \
    "PNG32:$work/t$s.png"
  program+=("$work/p$s.png") tab+=("$work/t$s.png")
done
convert "${program[@]}" "$src/app/lxdevset.ico"
convert "${tab[@]}" "$src/app/tab.ico"
identify "$src/app/lxdevset.ico" "$src/app/tab.ico"

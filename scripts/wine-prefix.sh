#!/usr/bin/env bash
# Makes the Wine prefixes for tests and the demo: a template set up once, copied fresh for each test run.
#   wine-prefix.sh template   build the template if it is missing or out of date
#   wine-prefix.sh run        fresh copy of the template as the run prefix (LX_WINE_DIR/run)
#   wine-prefix.sh demo       fresh copy of the template as the demo prefix (LX_WINE_DIR/demo)
#   wine-prefix.sh shots      fresh copy of the template for the screenshots (LX_WINE_DIR/shots)
#   wine-prefix.sh run144     fresh copy of the template for the tests at 144 DPI (LX_WINE_DIR/run144)
#   wine-prefix.sh package    fresh copy of the template for the installation tests (LX_WINE_DIR/package)
#   wine-prefix.sh run32      fresh copy of the WoW64 template, which 32-bit programs run in, as LX_WINE_DIR/run32
#   wine-prefix.sh package32  the same for the x86 package's installation test (LX_WINE_DIR/package32)
#   wine-prefix.sh run144x32  the same for the x86 tests at 144 DPI (LX_WINE_DIR/run144x32)
# The WoW64 template (LX_WINE_DIR/template32) is made by the 32-bit Wine of scripts/wine32-setup.sh (LX_WINE32).
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
wine_dir="${LX_WINE_DIR:-$src/build/wine}"
wine32="${LX_WINE32:-$src/build/wine32/wine32}"
case "${1:-}" in
  *32) template="$wine_dir/template32"; wine=("$wine32" --64) ;;
  *) template="$wine_dir/template"; wine=(wine) ;;
esac
setup_files=("$src/scripts/wine-prefix.sh" "$src/tests/wine/prefix.reg")
stamp_of() { cat "${setup_files[@]}" | sha256sum | cut -c1-16; }

make_template() {
  local want; want=$(stamp_of)
  if [ -f "$template/.lx-stamp" ] && [ "$(cat "$template/.lx-stamp")" = "$want" ]; then
    return 0
  fi
  echo "wine-prefix: building template prefix in $template" >&2
  rm -rf "$template"
  mkdir -p "$wine_dir/home"
  export WINEPREFIX="$template" HOME="$wine_dir/home" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "${wine[@]}" wineboot --init >/dev/null 2>&1
  # The .reg file is ANSI with CRLF, as regedit expects.
  sed 's/$/\r/' "$src/tests/wine/prefix.reg" > "$wine_dir/prefix-crlf.reg"
  "${wine[@]}" regedit /S 'Z:'"${wine_dir//\//\\}"'\prefix-crlf.reg' >/dev/null 2>&1
  if [ "${wine[0]}" = "$wine32" ]; then
    # A 32-bit program reads HKLM\SOFTWARE through Wow6432Node: the 32-bit regedit writes the file there too, as
    # a 32-bit installer of the driver would have.
    [ "$(ls "$template/drive_c/windows/syswow64" | wc -l)" -gt 500 ] ||
      { echo "wine-prefix: the 32-bit half of $template was not installed" >&2; exit 1; }
    "$wine32" regedit /S 'Z:'"${wine_dir//\//\\}"'\prefix-crlf.reg' >/dev/null 2>&1
  fi
  # A removable drive R: labelled LX-TEST (a printer attached as a drive) and a fixed disk S: with the same label.
  local d
  for d in r s; do
    mkdir -p "$template/drive_$d"
    printf 'LX-TEST' > "$template/drive_$d/.windows-label"
    ln -sfn "../drive_$d" "$template/dosdevices/$d:"
  done
  # Wine's own fonts (the caption buttons' glyphs among them) are found in the Windows fonts folder.
  cp /usr/share/wine/fonts/*.ttf "$template/drive_c/windows/Fonts/" 2>/dev/null || true
  "${wine[@]}" reg add 'HKLM\Software\Wine\Drives' /v r: /d floppy /f >/dev/null 2>&1
  "${wine[@]}" reg add 'HKLM\Software\Wine\Drives' /v s: /d hd /f >/dev/null 2>&1
  wineserver -w
  echo "$want" > "$template/.lx-stamp"
}

fresh_copy() {
  local dest="$1"
  make_template
  if [ -n "$(ls -A "$dest" 2>/dev/null)" ]; then
    WINEPREFIX="$dest" wineserver -k 2>/dev/null || true
  fi
  rm -rf "$dest"
  cp -a "$template" "$dest"
}

case "${1:-}" in
  template) make_template ;;
  run) fresh_copy "$wine_dir/run" ;;
  demo) fresh_copy "$wine_dir/demo" ;;
  shots) fresh_copy "$wine_dir/shots" ;;
  run144) fresh_copy "$wine_dir/run144" ;;
  package) fresh_copy "$wine_dir/package" ;;
  run32) fresh_copy "$wine_dir/run32" ;;
  package32) fresh_copy "$wine_dir/package32" ;;
  run144x32) fresh_copy "$wine_dir/run144x32" ;;
  *) echo "usage: $0 template|run|demo|shots|run144|package|run32|package32|run144x32" >&2; exit 2 ;;
esac

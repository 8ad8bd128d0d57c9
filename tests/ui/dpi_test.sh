#!/usr/bin/env bash
# Runs tests of the program's windows at 144 DPI: a prefix of their own (Wine reads the DPI when its processes
# start), the split button's click zones and drawing, and the row arrangement across model switches.
#   dpi_test.sh WINE_RUN COMPONENTS_TEST MAIN_WINDOW_TEST [PREFIX]   PREFIX run144 (x64, the default) or run144x32
set -euo pipefail
wine_run="$1"; components="$2"; main_window="$3"; prefix="${4:-run144}"
src="$(cd "$(dirname "$0")/../.." && pwd)"
export LX_WINE_DIR="${LX_WINE_DIR:-$src/build/wine}"
"$src/scripts/wine-prefix.sh" "$prefix" >/dev/null
export WINEPREFIX="$LX_WINE_DIR/$prefix" HOME="$LX_WINE_DIR/home" WINEDEBUG=-all LX_EXPECT_DPI=144
trap 'wineserver -k 2>/dev/null || true' EXIT
"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p
"$wine_run" cmd /c exit </dev/null >/dev/null 2>&1 || true
"$wine_run" "$components" --gtest_filter='Components.SplitButton*'
"$wine_run" "$main_window" --gtest_filter='MainWindow.Switching*'

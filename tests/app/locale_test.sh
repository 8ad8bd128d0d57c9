#!/usr/bin/env bash
# The user's locale picks the language code before the default: lxdevset run as a German user.
#   locale_test.sh WINE_RUN DIST_DIR TEST_PROGRAM WORK_DIR
set -euo pipefail
wine_run="$1"; dist="$2"; program="$3"; work="$4"
rm -rf "$work"; mkdir -p "$work/res"
cp "$program" "$work/lxdevset.exe"
cp "$dist/lxportio.dll" "$work/"
cp "$dist/res/lxdevset_ENU.dll" "$work/res/lxdevset_ENU.dll"
# A right-to-left library under another code shows which key was taken, in the message style.
cp "$dist/res/lxdevset_ENU.dll" "$work/res/lxdevset_ARE.dll"
fails=0
check() { # LangString lines, expected log line
  printf '[Property]\r\nCompatibleModel=Korvale LX-410\r\n[LangString]\r\n%s' "$1" > "$work/lxdevset.ini"
  rm -f "$work/test.log"
  LC_ALL=de_DE.UTF-8 LXDEVSET_TEST_LOG="$(echo "Z:$work/test.log" | tr / '\\')" \
    timeout 30 "$wine_run" "$work/lxdevset.exe" NoSuchPrinter || true
  got="$(tr -d '\r' < "$work/test.log" 2>/dev/null || true)"
  if [ "$got" = "$2" ]; then echo "ok: $1"; else echo "FAIL: $1: got '$got' want '$2'"; fails=$((fails + 1)); fi
}
rtl='message|00180010|Error|The specified printer cannot be found.'
ltr='message|00000010|Error|The specified printer cannot be found.'
check $'DEU=ARE\r\ndefault=ENU\r\n' "$rtl"
check $'de=ARE\r\ndefault=ENU\r\n' "$rtl"
check $'fra=ARE\r\ndefault=ENU\r\n' "$ltr"
# The full abbreviation is asked before its first two letters.
check $'deu=ARE\r\nde=ENU\r\ndefault=ENU\r\n' "$rtl"
[ "$fails" -eq 0 ]

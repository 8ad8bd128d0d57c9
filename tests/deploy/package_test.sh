#!/usr/bin/env bash
# The installation packages as an administrator's deployment uses them, under Wine in a prefix of their own with a
# simulator of their own: a silent install, the installed programs on a simulated printer, the compliance
# scripts, an upgrade that keeps what the administrator changed, a refused downgrade, a clean removal, and the
# signatures. With ARCH x86: the x86 package in a WoW64 prefix, its 32-bit programs on a simulated printer, and its
# removal. Prints the packages' sizes and the install and removal times.
#   package_test.sh SRC_DIR WORK_DIR LXSIM STARTUP_TEST_EXE [ARCH]
set -uo pipefail
# A reader that stops at its first match would end a pipeline's writer early, which pipefail counts as a failure:
# matches in a pipeline are looked for with has.
has() { grep -e "$1" >/dev/null; }
src="$1"; work="$2"; lxsim="$3"; window_test="$4"; arch="${5:-x64}"
version="$(sed -n 's/^project(lxdevset VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")"
msi="$src/dist/lxdevset-$version-x64.msi"
msi86="$src/dist/lxdevset-$version-x86.msi"
export LX_WINE_DIR="${LX_WINE_DIR:-$src/build/wine}"
export HOME="$LX_WINE_DIR/home" WINEDEBUG=-all
if [ "$arch" = x86 ]; then
  # The installer, reg and cmd are the prefix's 64-bit ones, as on 64-bit Windows; the programs are 32-bit.
  wine32="${LX_WINE32:-$src/build/wine32/wine32}"
  export WINEPREFIX="$LX_WINE_DIR/package32"
  wine() { "$wine32" --64 "$@"; }
  program() { "$wine32" "$@"; }
  program_files="Program Files (x86)"
  # A 32-bit package's entry in the installed programs is in the 32-bit view of the registry.
  view=/reg:32
else
  export WINEPREFIX="$LX_WINE_DIR/package"
  program() { wine "$@"; }
  program_files="Program Files"
  view=/reg:64
fi
rm -rf "$work"; mkdir -p "$work"
fails=0
ok() { echo "ok: $*"; }
bad() { echo "FAIL: $*"; fails=$((fails + 1)); }
expect() { # expect WHAT WANTED_CODE GOT_CODE
  if [ "$3" = "$2" ]; then ok "$1 (exit $3)"; else bad "$1: exit $3, wanted $2"; fi
}
for f in "$msi" "$msi86"; do [ -s "$f" ] || { echo "FAIL: $f was not built (./lx build makes it)"; exit 1; }; done
echo "package sizes: x64 $(stat -c %s "$msi") bytes, x86 $(stat -c %s "$msi86") bytes"

"$src/scripts/wine-prefix.sh" "$(basename "$WINEPREFIX")" >/dev/null 2>&1 || { echo "FAIL: no prefix"; exit 1; }
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
cleanup() { "$src/tests/sim/sim-fixture.sh" stop "$work/sim"; wineserver -k >/dev/null 2>&1; }
trap cleanup EXIT
"$src/tests/sim/sim-fixture.sh" start "$work/sim" "$lxsim" --printer USB001=104,48 --printer USB002=104,50 \
  --printer USB022=104,48,silent >/dev/null || exit 1
sim_address="$(cat "$work/sim/address")"

installed="$WINEPREFIX/drive_c/$program_files/Korvale/Device Settings"
win_installed="C:\\$program_files\\Korvale\\Device Settings"
[ "$arch" = x86 ] && msi="$msi86"
msiexec() { # msiexec ACTION PACKAGE LOG: silent, the exit code returned
  wine msiexec "$1" "$(winepath -w "$2")" /qn /l*v "$(winepath -w "$3")" </dev/null >/dev/null 2>&1
}
# The installed console program with the simulator named for this run only, as a test would set it.
ctl() { LXPORTIO_SIMULATOR="$sim_address" program "$installed/lxdevctl.exe" "$@" </dev/null 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
script() { # script NAME ARGS...: a deployment script as the service would run it
  local name="$1"; shift
  LXPORTIO_SIMULATOR="$sim_address" wine cmd /c "$(winepath -w "$src/deploy/$name")" "$@" </dev/null 2>&1 | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
uninstall_entries() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s $view 2>/dev/null | tr -d '\r' | grep -c 'DisplayName *REG_SZ *Korvale LX Device Settings'; }
shortcut() { find "$WINEPREFIX/drive_c" -name 'Korvale LX Device Settings.lnk' 2>/dev/null | head -1; }
shipped=(lxdevset.exe lxdevctl.exe lxportio.dll lxdevset.ini res/lxdevset_ENU.dll res/lxdevset_DEU.dll
         res/lxdevset_FRA.dll res/lxdevset_JPN.dll res/lxdevset_ARE.dll)

# --- A silent install: files, shortcut, the entry in the installed programs.
start=$(date +%s.%N)
msiexec /i "$msi" "$work/install.log"; expect "silent install" 0 $?
echo "install took $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
missing=""
for f in "${shipped[@]}"; do [ -f "$installed/$f" ] || missing="$missing $f"; done
[ -z "$missing" ] && ok "every file installed" || bad "not installed:$missing"
extra="$(cd "$installed" && ls lxportio.ini lxcaps* lxcapsq* 2>/dev/null)"
[ -z "$extra" ] && ok "no simulator file, no driver stand-in installed" || bad "installed besides: $extra"
[ -n "$(shortcut)" ] && ok "Start-menu shortcut" || bad "no Start-menu shortcut"
entry="$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s $view 2>/dev/null | tr -d '\r')"
for want in "Publisher *REG_SZ *Korvale Industries, Ltd." "DisplayVersion *REG_SZ *$version"; do
  grep -q "$want" <<<"$entry" && ok "installed programs: $want" || bad "installed programs lack $want"
done
wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | has 'ProductIcon.*lxdevset.ico' \
  && ok "installed programs: icon" || bad "installed programs: no icon"

# --- The installed programs on the simulated printers.
out="$(ctl list --all)"; code=$?
expect "installed lxdevctl list --all" 0 $code
grep -q "^Korvale LX-410 .*USB001 .*ready" <<<"$out" && ok "list shows the printer" || bad "list: $out"
ctl apply "Korvale LX-410" --set AutoOffAc=#4 >/dev/null; expect "installed lxdevctl apply" 0 $?
LX_INSTALLED_DIR="$win_installed" LX_INSTALLED_AUTOOFFAC=4 LXPORTIO_SIMULATOR="$sim_address" \
  program "$window_test" --gtest_filter=Installed.Opens* </dev/null >"$work/window.log" 2>&1
expect "installed lxdevset opens on the printer and shows its values" 0 $?
grep -q "PASSED.*1 test" "$work/window.log" || bad "the window test did not run: $(tail -3 "$work/window.log")"

if [ "$arch" = x86 ]; then
  out="$(ctl get "Korvale LX-410")"; expect "installed 32-bit lxdevctl get" 0 $?
  grep -q '^ *AutoOffAc="40 Minutes"' <<<"$out" && ok "get reads the printer's settings" || bad "get: $out"
  # --- The x86 package's tables: its files, components and the 32-bit Program Files.
  tables="$(msiinfo tables "$msi86" 2>/dev/null | tr '\n' ' ')"
  for t in File Component Directory Shortcut Upgrade; do
    grep -qw "$t" <<<"$tables" && ok "x86 table $t" || bad "x86 package lacks table $t"
  done
  msiinfo export "$msi86" Directory | has 'ProgramFiles64Folder' && bad "x86 package names the 64-bit folder"
  msiinfo suminfo "$msi86" | has 'Template: Intel;1033' && ok "x86 platform" || bad "x86 platform: $(msiinfo suminfo "$msi86" | grep Template)"
  msiexec /x "$msi" "$work/remove.log"; expect "silent removal" 0 $?
  left=""
  for f in "${shipped[@]}"; do [ -e "$installed/$f" ] && left="$left $f"; done
  [ -z "$left" ] && ok "every installed file removed" || bad "left after removal:$left"
  echo "$fails failures"
  [ "$fails" -eq 0 ]
  exit
fi

# --- The compliance pair and the start-up script.
ctl get "Korvale LX-410" --out 'C:\master.dat' >/dev/null; expect "master file taken" 0 $?
ctl apply "Korvale LX-410" --set AutoOffAc=#2 >/dev/null; expect "the printer drifts" 0 $?
out="$(script lxdevset-detect.cmd 'C:\master.dat' "Korvale LX-410")"; expect "detection of a drifted printer" 1 $?
grep -q "DIFFERS  Korvale LX-410" <<<"$out" && grep -q "not compliant" <<<"$out" && ok "detection says which printer" || bad "detection: $out"
out="$(script lxdevset-remediate.cmd 'C:\master.dat' "Korvale LX-410")"; expect "remediation" 0 $?
out="$(script lxdevset-detect.cmd 'C:\master.dat' "Korvale LX-410")"; expect "detection after the remediation" 0 $?
out="$(script lxdevset-detect.cmd 'C:\master.dat' "Silent LX-410")"; expect "detection of a silent printer" 7 $?
grep -q "could not be made" <<<"$out" && ok "a silent printer is not called compliant" || bad "silent: $out"
out="$(script lxdevset-detect.cmd 'C:\missing.dat' "Korvale LX-410")"; expect "detection without its master file" 2 $?
grep -q "there is no such file" <<<"$out" && grep -q "not compliant" <<<"$out" && ok "a missing master file is named" || bad "missing master: $out"
printf 'not a configuration file\r\n' > "$WINEPREFIX/drive_c/junk.dat"
out="$(script lxdevset-remediate.cmd 'C:\junk.dat' "Korvale LX-410")"; expect "remediation with a file that is no configuration file" 2 $?
out="$(script lxdevset-startup.cmd 'C:\master.dat' "Korvale LX-410")"; expect "start-up script" 0 $?
grep -q "exit 0" "$WINEPREFIX/drive_c/ProgramData/Korvale/lxdevset-startup.log" && ok "start-up script log" || bad "no start-up log"

# --- An older package over this one is refused; removal leaves only what the programs wrote.
"$src/deploy/package.sh" x64 1.0.0 "$work/older.msi" 2>/dev/null || bad "older package not built"
msiexec /i "$work/older.msi" "$work/downgrade.log"; code=$?
[ "$code" != 0 ] && ok "older package refused (exit $code)" || bad "older package installed over the newer"
# Wine's installer stops at the launch condition without writing its text to the log (Windows writes it there
# and shows it when not silent): the condition that stopped it, and the text it carries, are checked apart.
grep -q "LaunchConditions. Return value 0" "$work/downgrade.log" && msiinfo export "$work/older.msi" LaunchCondition \
  | has "NOT WIX_DOWNGRADE_DETECTED.*A newer version of Korvale LX Device Settings is already installed" \
  && ok "refused by its downgrade condition, which says why" || bad "the refusal does not say why"
written="$installed/lxdevset_Korvale LX-410.ini"
[ -f "$written" ] && ok "the last-settings file was written beside the program" || bad "no last-settings file"
start=$(date +%s.%N)
msiexec /x "$msi" "$work/remove.log"; expect "silent removal" 0 $?
echo "removal took $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
left=""
for f in "${shipped[@]}"; do [ -e "$installed/$f" ] && left="$left $f"; done
[ -z "$left" ] && ok "every installed file removed" || bad "left after removal:$left"
[ -f "$written" ] && ok "the file the program wrote is kept" || bad "removal took the last-settings file"
[ -z "$(shortcut)" ] && ok "shortcut removed" || bad "shortcut left"
[ "$(uninstall_entries)" = 0 ] && ok "installed-programs entry removed" || bad "installed-programs entry left"
wine reg query 'HKLM\Software\Korvale Industries, Ltd.\Device Settings' >/dev/null 2>&1 \
  && bad "registry value left" || ok "registry value removed"

# --- An upgrade in one step keeps the administrator's settings file and the programs' files.
msiexec /i "$work/older.msi" "$work/older.log"; expect "older package installed" 0 $?
sed -i 's/^NoDisplayStartupError=.*/NoDisplayStartupError=1/' "$installed/lxdevset.ini"
printf 'stale' > "$installed/lxdevctl.exe"
msiexec /i "$msi" "$work/upgrade.log"; expect "upgrade" 0 $?
grep -q '^NoDisplayStartupError=1' "$installed/lxdevset.ini" && ok "the changed settings file is kept" || bad "the settings file was replaced"
[ -f "$written" ] && ok "the last-settings file is kept" || bad "the last-settings file is gone"
cmp -s "$installed/lxdevctl.exe" "$src/dist/x64/lxdevctl.exe" && ok "the programs are replaced" || bad "a program was not replaced"
[ "$(uninstall_entries)" = 1 ] && ok "one installed-programs entry after the upgrade" || bad "$(uninstall_entries) entries after the upgrade"
msiexec /i "$msi" "$work/again.log"; expect "the same version again" 0 $?
[ "$(uninstall_entries)" = 1 ] && ok "still one entry" || bad "$(uninstall_entries) entries after the same version"
msiexec /x "$msi" "$work/remove2.log"; expect "removal after the upgrade" 0 $?

# --- Signing: with a certificate of its own, every program, library and the package carry a valid signature.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Korvale test signing" -keyout "$work/key.pem" \
  -out "$work/cert.pem" >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:test -out "$work/sign.p12" 2>/dev/null
LX_SIGN_PKCS12="$work/sign.p12" LX_SIGN_PASSWORD=test "$src/deploy/package.sh" x64 "$version" "$work/signed.msi" 2>/dev/null
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1 | has "Signature verification: ok"; }
verify "$work/signed.msi" && ok "the package is signed" || bad "the package signature does not verify"
mkdir -p "$work/extracted"
(cd "$work/extracted" && msiextract "$work/signed.msi" >/dev/null 2>&1)
unsigned=""
while IFS= read -r f; do verify "$f" || unsigned="$unsigned $(basename "$f")"; done \
  < <(find "$work/extracted" -name '*.exe' -o -name '*.dll')
[ -z "$unsigned" ] && ok "every program and library in it is signed" || bad "not signed:$unsigned"

echo "$fails failures"
[ "$fails" -eq 0 ]

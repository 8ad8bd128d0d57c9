#!/usr/bin/env bash
# Makes the installation package dist/lxdevset-<version>-<arch>.msi from the files the build laid out in
# dist/<arch>, with wixl, and gives it what wixl leaves out: the upgrade of the same version, the older package
# removed only after the new files are in, the settings file never written over. When LX_SIGN_PKCS12 names a
# certificate file (LX_SIGN_PASSWORD its password), the programs, libraries and package are signed with
# osslsigncode.
#   package.sh ARCH [VERSION [OUTPUT]]   ARCH x64 or x86; VERSION defaults to the project's
set -euo pipefail
src="$(cd "$(dirname "$0")/.." && pwd)"
arch="${1:?usage: package.sh x64|x86 [VERSION [OUTPUT]]}"
version="${2:-$(sed -n 's/^project(lxdevset VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")}"
out="${3:-$src/dist/lxdevset-$version-$arch.msi}"
dist="$src/dist/$arch"
for f in lxdevset.exe lxdevctl.exe lxportio.dll lxdevset.ini res; do
  [ -e "$dist/$f" ] || { echo "package: $dist/$f is missing; build first" >&2; exit 1; }
done

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp -r "$dist/lxdevset.exe" "$dist/lxdevctl.exe" "$dist/lxportio.dll" "$dist/lxdevset.ini" "$dist/res" "$stage/"

sign() { # sign FILE: in place, with a time-independent signature (no time-stamp server is reached)
  [ -n "${LX_SIGN_PKCS12:-}" ] || return 0
  osslsigncode sign -pkcs12 "$LX_SIGN_PKCS12" -pass "${LX_SIGN_PASSWORD:-}" -h sha256 \
    -n "Korvale LX Device Settings" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}
for f in "$stage"/*.exe "$stage"/*.dll "$stage"/res/*.dll; do sign "$f"; done

msi="$stage/package.msi"
cp "$src/app/lxdevset.ico" "$src/deploy/lxdevset.wxs" "$stage/"
# wixl takes source paths relative to where it runs, and warns about the WiX attributes it does not model (the
# tables below carry what they mean).
(cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -D Dist=. -D Icon=lxdevset.ico \
  -o package.msi lxdevset.wxs 2>&1 | { grep -v -e 'GLib-GObject-WARNING' -e '^$' >&2 || true; })
[ -s "$msi" ] || { echo "package: wixl made no package" >&2; exit 1; }
upgrade_code="$(msiinfo export "$msi" Property | awk -F'\t' '$1 == "UpgradeCode" { sub(/\r$/, "", $2); print $2 }')"
# Attributes: the settings file never overwritten (128); versions up to this one's included (512), so the same
# version again replaces the installed one instead of going in beside it.
msibuild "$msi" -q "UPDATE Component SET Attributes = 384 WHERE Component = 'SettingsFile'" \
  -q "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'" \
  -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')" \
  -q "UPDATE InstallExecuteSequence SET Sequence = 6550 WHERE Action = 'RemoveExistingProducts'" \
  -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('InstallExecute', 6500)"
sign "$msi"
mkdir -p "$(dirname "$out")"
mv "$msi" "$out"
echo "package: $out ($(stat -c %s "$out") bytes)" >&2

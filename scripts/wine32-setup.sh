#!/usr/bin/env bash
# Sets up the 32-bit Wine that runs the x86 tests: Debian's own i386 Wine under qemu-i386 (see the README).
#   wine32-setup.sh DIR    make DIR/wine32 (the runner) unless DIR already holds it for this wine64 and script
# This kernel refuses 32-bit code, so the i386 Wine loader runs under qemu's user-mode emulation and talks to the
# native 64-bit wineserver. The packages are fetched with an apt configuration of our own and unpacked with
# dpkg -x: nothing is installed, and the system's dpkg architectures stay as they are (installing wine32:i386
# would make the system's `wine` pick the 32-bit loader, which cannot run here).
set -euo pipefail
dir="$(realpath -m "${1:?usage: wine32-setup.sh DIR}")"
src="$(cd "$(dirname "$0")/.." && pwd)"
root="$dir/root"
say() { echo "wine32-setup: $*" >&2; }

[ -x /usr/lib/wine/wine64 ] || { say "wine64 is not installed"; exit 1; }
version="$(dpkg-query -W -f='${Version}' wine64)"
stamp="$version $(cat "$0" "$src/tests/support/wine32_trapfix.c" | sha256sum | cut -c1-16)"
if [ -x "$dir/wine32" ] && [ "$(cat "$dir/.stamp" 2>/dev/null)" = "$stamp" ]; then
  exit 0
fi
say "setting up the 32-bit Wine $version in $dir"
rm -rf "$dir"
mkdir -p "$dir"

# The mirror the system uses (DEBIAN_MIRROR overrides it), with bookworm-backports for a qemu-user that honours
# MAP_FIXED_NOREPLACE: bookworm's qemu 7.2 turns Wine's address-space reservation into ~10^5 host mmap calls,
# and a start takes a minute or more instead of under a second.
mirrors="$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '/^URIs:/ {for (i = 2; i <= NF; i++) print $i}'
           cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
             awk '/^deb / {print ($2 ~ /^\[/) ? $3 : $2}' || true)"
mirror="${DEBIAN_MIRROR:-$(grep -i debian <<<"$mirrors" | grep -vi security | head -1 || true)}"
security="${DEBIAN_SECURITY_MIRROR:-$(grep -i debian-security <<<"$mirrors" | head -1 || true)}"
[ -n "$mirror" ] || { say "no Debian mirror in /etc/apt; set DEBIAN_MIRROR"; exit 1; }
apt="$dir/apt"
mkdir -p "$apt"/{lists/partial,archives/partial,parts,prefs}
touch "$apt/status"
{
  printf 'deb [arch=amd64,i386 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s %s main\n' \
    "$mirror" bookworm "$mirror" bookworm-updates "$mirror" bookworm-backports
  [ -z "$security" ] ||
    printf 'deb [arch=amd64,i386 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] %s bookworm-security main\n' "$security"
} > "$apt/sources.list"
cat > "$apt/apt.conf" <<EOF
Dir::State::Lists "$apt/lists";
Dir::State::status "$apt/status";
Dir::Cache::Archives "$apt/archives";
Dir::Cache::pkgcache "";
Dir::Cache::srcpkgcache "";
Dir::Etc::SourceList "$apt/sources.list";
Dir::Etc::SourceParts "$apt/parts";
Dir::Etc::Preferences "$apt/prefs/none";
Dir::Etc::PreferencesParts "$apt/prefs";
Dir::Etc::Parts "$apt/parts";
APT::Architecture "amd64";
APT::Architectures { "amd64"; "i386"; };
APT::Install-Recommends "false";
APT::Sandbox::User "root";
Debug::NoLocking "true";
EOF
export APT_CONFIG="$apt/apt.conf"
apt-get update -qq
# The empty status file makes apt fetch the whole i386 closure of the loader, which is what the root needs.
apt-get install -y -qq --download-only "wine32:i386=$version" "libwine:i386=$version" "fonts-wine=$version" >/dev/null
(cd "$apt/archives" && apt-get download -qq qemu-user/bookworm-backports)

mkdir -p "$root" "$dir/qemu"
for deb in "$apt"/archives/*.deb; do
  case "$deb" in
    */qemu-user_*) dpkg -x "$deb" "$dir/qemu" ;;
    *) dpkg -x "$deb" "$root" ;;
  esac
done
qemu="$dir/qemu/usr/bin/qemu-i386"
find "$dir/qemu/usr/bin" -mindepth 1 ! -name qemu-i386 -delete
rm -rf "$dir/qemu/usr/share" "$apt/archives" "$apt/lists"

# What the maintainer scripts would have done: libwine marks its zlib1.dll copies as Wine builtins, and libc-bin
# makes the root's library cache.
for pair in i686:i386 x86_64:x86_64; do
  from="$root/usr/${pair%%:*}-w64-mingw32/lib/zlib1.dll"
  to="$root/usr/lib/i386-linux-gnu/wine/${pair##*:}-windows/zlib1.dll"
  { head -c 64 "$from"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$from"; } > "$to"
done
echo 'include /etc/ld.so.conf.d/*.conf' > "$root/etc/ld.so.conf"
ldconfig -r "$root"

# qemu leaves the trap number of a 32-bit signal context unset, and Wine picks the Windows exception code from it:
# the preload puts it back (see the file), in the 32-bit processes only.
gcc -m32 -O2 -fPIC -ffreestanding -fno-stack-protector -fno-builtin -Wall -c "$src/tests/support/wine32_trapfix.c" \
    -o "$dir/trapfix.o"
ld -m elf_i386 -shared -o "$root/usr/lib/i386-linux-gnu/wine-trapfix.so" "$dir/trapfix.o" \
   "$root/lib/i386-linux-gnu/libc.so.6"
echo /usr/lib/i386-linux-gnu/wine-trapfix.so > "$root/etc/ld.so.preload"

# Wine starts a child by exec'ing "<folder of the running loader>/<its argv[0]>", with "64" added for a 64-bit
# child and taken off for a 32-bit one. So beside the i386 loader: wine-qemu runs it under qemu (every 32-bit
# process), and wine-qemu64 is the native loader (a 64-bit process whose 32-bit children must come back here),
# which finds the host's 64-bit Wine through root/usr/lib/x86_64-linux-gnu/wine.
cat > "$root/usr/lib/wine/wine-qemu" <<EOF
#!/bin/sh
# The i386 Wine loader under qemu-i386 (made by scripts/wine32-setup.sh); Debian's wine32 has no preloader.
export WINELOADERNOEXEC=1
exec "$qemu" -L "$root" -0 "$root/usr/lib/wine/wine-qemu" "$root/usr/lib/wine/wine" "\$@"
EOF
chmod 755 "$root/usr/lib/wine/wine-qemu"
cp /usr/lib/wine/wine64 "$root/usr/lib/wine/wine-qemu64"
mkdir -p "$root/usr/lib/x86_64-linux-gnu"
ln -sfn /usr/lib/x86_64-linux-gnu/wine "$root/usr/lib/x86_64-linux-gnu/wine"

cat > "$dir/wine32" <<EOF
#!/bin/sh
# Runs a 32-bit Windows program in \$WINEPREFIX (made by scripts/wine32-setup.sh): wine32 PROGRAM.exe [ARGS].
# "wine32 --64 PROGRAM" runs the 64-bit loader of this layout (wineboot making a WoW64 prefix, reg, msiexec),
# whose 32-bit children come back through qemu.
export WINEDLLPATH="$root/usr/lib/i386-linux-gnu/wine"
export WINEDEBUG="\${WINEDEBUG:--all}"
case "\${1:-}" in
  --64) shift; exec "$root/usr/lib/wine/wine-qemu64" "\$@" ;;
esac
exec "$root/usr/lib/wine/wine-qemu" "\$@"
EOF
chmod 755 "$dir/wine32"

echo "$stamp" > "$dir/.stamp"
say "done: $dir/wine32"

#!/usr/bin/env bash
# Checks a PE file without running it: machine, subsystem, exact export list, imported DLLs and ordinals; and, for
# every file, that each delay-load address slot starts out at a thunk (scripts/pe-delay-slots.py).
#   pe-check.sh OBJDUMP FILE [machine=i386|x86-64] [subsystem=2|3] [exports=A,B|none] [imports=a.dll,b.dll]
#               [ordinals=lib.dll:1+2] [noimports=a.dll] [delayloads=a.dll] [stdcall=Export:bytes]
set -euo pipefail
objdump="$1"; file="$2"; shift 2
dump="$(LC_ALL=C "$objdump" -p "$file")"
fail() { echo "pe-check: $file: $*" >&2; exit 1; }
slots="$(python3 "$(dirname "$0")/pe-delay-slots.py" "$file")" || fail "$(grep 'no thunk' <<<"$slots")"
for check in "$@"; do
  key="${check%%=*}"; val="${check#*=}"
  case "$key" in
    machine)
      fmt="$(LC_ALL=C "$objdump" -f "$file" | sed -n 's/.*file format //p')"
      case "$val" in
        i386) [ "$fmt" = pei-i386 ] || fail "format $fmt, want pei-i386" ;;
        x86-64) [ "$fmt" = pei-x86-64 ] || fail "format $fmt, want pei-x86-64" ;;
      esac ;;
    subsystem)
      got="$(echo "$dump" | awk '/^Subsystem/ {print $2+0}')"
      [ "$got" = "$val" ] || fail "subsystem $got, want $val" ;;
    exports)
      got="$(echo "$dump" | awk '/^\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && /^\t\[/ {print $NF} t && !/^\t\[/ {t=0}' | sort | paste -sd, -)"
      want="$(echo "$val" | tr ',' '\n' | sort | paste -sd, -)"
      [ "$val" = none ] && want=""
      [ "$got" = "$want" ] || fail "exports '$got', want '$want'" ;;
    imports)
      for dll in ${val//,/ }; do
        grep -qi "DLL Name: $dll\$" <<<"$dump" || fail "does not import $dll"
      done ;;
    noimports)
      for dll in ${val//,/ }; do
        grep -qi "DLL Name: $dll\$" <<<"$dump" && fail "imports $dll"
      done ;;
    delayloads)
      # Imports made on first use keep the library's name among the file's strings for the loader helper.
      names="$(LC_ALL=C strings -a "$file" | tr 'A-Z' 'a-z')"
      for dll in ${val//,/ }; do
        grep -qx "$(echo "$dll" | tr 'A-Z' 'a-z')" <<<"$names" || fail "does not load $dll on first use"
      done ;;
    ordinals)
      dll="${val%%:*}"; ords="${val#*:}"
      block="$(awk -v d="$dll" 'tolower($0) ~ "dll name: " tolower(d) "$" {t=1; next} t && /DLL Name:/ {t=0} t' <<<"$dump")"
      [ -n "$block" ] || fail "does not import $dll"
      # An entry imported by ordinal has no name: "<vma> <ordinal> <none>", the ordinal zero-padded on x86-64.
      by_ordinal=" $(awk '$NF == "<none>" {printf "%d ", $(NF-1)}' <<<"$block")"
      for o in ${ords//+/ }; do
        [[ "$by_ordinal" == *" $o "* ]] || fail "$dll ordinal $o not imported by ordinal"
      done ;;
    stdcall)
      # The export's code returns with "ret $bytes": it pops its own arguments, as a 32-bit stdcall export must.
      name="${val%%:*}"; bytes="${val#*:}"
      index="$(awk -v n="$name" '/^\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && $NF == n {gsub(/[][]/, "", $2); print $2+0; exit}' <<<"$dump")"
      [ -n "$index" ] || fail "no export $name"
      rva="$(awk -v i="$index" '/^Export Address Table --/ {t=1; next} t && /\+base/ {if (k++ == i) {print $(NF-2); exit}}' <<<"$dump")"
      base="$(echo "$dump" | awk '/^ImageBase/ {print $2}')"
      start=$((0x$base + 0x$rva))
      ret="$(LC_ALL=C "$objdump" -d --start-address=$start --stop-address=$((start + 0x400)) "$file" | grep -E '\sret' | head -1 || true)"
      want="$(printf 'ret +\\$0x%x$' "$bytes")"
      grep -Eq "$want" <<<"$ret" || fail "$name returns with '${ret##*:}', want ret \$$bytes" ;;
    *) fail "unknown check $key" ;;
  esac
done
echo "pe-check: $file ok"

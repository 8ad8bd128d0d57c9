#!/usr/bin/env bash
# Builds one fuzz target with clang's libFuzzer (ASan, UBSan) and fuzzes it for a bounded time.
#   run-libfuzzer.sh OUT NAME SECONDS RUNNER SOURCE...   sources relative to the repository; RUNNER writes the seeds
# Exits 77 (skipped) when clang++ is not installed. Extra libFuzzer options come from LX_LIBFUZZER_ARGS.
set -euo pipefail
src="$(cd "$(dirname "$0")/../.." && pwd)"
out="$1"; name="$2"; seconds="$3"; runner="$4"; shift 4
command -v clang++ >/dev/null || { echo "clang++ not installed: libFuzzer run skipped"; exit 77; }
mkdir -p "$out/$name.corpus"
binary="$out/$name"
sources=("$src/tests/fuzz/$name.cpp")
for s in "$@"; do sources+=("$src/$s"); done
# Rebuilt only when a source or header is newer than the binary: the build costs more than the run.
if [ ! -x "$binary" ] || [ -n "$(find "$src/tests/fuzz" "$src/comm" "$src/items" "$src/sim" "$src/stubs/lxmedia" \
                                  "$src/files" "$src/tests/support" -newer "$binary" \( -name '*.cpp' -o -name '*.h' \) \
                                  2>/dev/null | head -1)" ]; then
  clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I "$src" \
    "${sources[@]}" -o "$binary.tmp"
  mv "$binary.tmp" "$binary"
fi
[ -n "$(ls -A "$out/$name.corpus")" ] || "$runner" --write-seeds "$out/$name.corpus"
# shellcheck disable=SC2086
"$binary" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 ${LX_LIBFUZZER_ARGS:-} "$out/$name.corpus"

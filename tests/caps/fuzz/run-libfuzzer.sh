#!/usr/bin/env bash
# Builds the capability fuzz target with clang's libFuzzer (ASan, UBSan) and fuzzes for a bounded time.
#   run-libfuzzer.sh BUILD_DIR [SECONDS]   exits 77 (skipped) when clang++ is not installed
set -euo pipefail
src="$(cd "$(dirname "$0")/../../.." && pwd)"
out="$1"; seconds="${2:-5}"
command -v clang++ >/dev/null || { echo "clang++ not installed: libFuzzer run skipped"; exit 77; }
mkdir -p "$out/corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I "$src" \
  "$src/tests/caps/fuzz/caps_fuzz.cpp" "$src/caps/media_table.cpp" "$src/caps/queries.cpp" -o "$out/caps_fuzz"
"$out/caps_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$out/corpus"

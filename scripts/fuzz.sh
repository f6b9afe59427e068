#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz, clang with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a fixed time: 20 seconds each
# by default, about a minute in all. A longer run: scripts/fuzz.sh 3600
# (seconds per target). The corpus grows in build/fuzz/corpus/<target> from
# run to run; a crash leaves its input in build/fuzz/findings/ and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
build=build/fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target \
  text_search_fuzzer rules_document_fuzzer unpack_archive_fuzzer write_seeds unpack_hostile_test

# Seeds, made afresh each run from the sample data and the tests' cases.
seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{text_search,rules_document,unpack_archive} "$build/findings"
cp data/VUVazur.dat "$seeds/unpack_archive/sample"
VANTREL_SAVE_ARCHIVES_IN="$PWD/$seeds/unpack_archive" "$build/archive/unpack_hostile_test" >/dev/null
"$build/fuzz/write_seeds" "$seeds/rules_document"
for offset in 0 4000 100000; do
  head -c "$((offset + 600))" data/VUVazur.txt | tail -c 600 >"$seeds/text_search/sample_$offset"
done

status=0
for target in text_search rules_document unpack_archive; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "=== fuzzing $target for ${seconds}s ==="
  # -max_len keeps inputs small: large ones mostly cost time (an archive of
  # 64 KiB may still inflate to some 60 MiB).
  if ! "$build/fuzz/${target}_fuzzer" "$corpus" "$seeds/$target" \
      -max_total_time="$seconds" -timeout=20 -max_len=65536 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$build/findings/${target}_" \
      2>"$build/$target.log"; then
    status=1
    tail -n 40 "$build/$target.log"
  fi
  grep -E "stat::number_of_executed_units|stat::average_exec_per_sec|Done " "$build/$target.log" || true
done
exit "$status"

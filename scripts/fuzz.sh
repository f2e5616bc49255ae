#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time from the seed corpus.
#   scripts/fuzz.sh [seconds per target] [seed]
# New inputs go to build/fuzz/corpus/<target>; a crash leaves its input in
# build/fuzz/artifacts/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
seed=${2:-1}

scripts/install-deps.sh build fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target zorv_convert_fuzzer zorv_words_fuzzer zorv_spell_fuzzer zorv_style_fuzzer zorv_reader_fuzzer \
    zorv_rules_fuzzer

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p build/fuzz/artifacts
for target in convert words spell style reader rules; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    echo "== zorv_${target}_fuzzer: $seconds s, seed $seed"
    log=build/fuzz/$target.log
    status=0
    build/fuzz/fuzz/zorv_${target}_fuzzer -seed="$seed" -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ "$corpus" "fuzz/corpus/$target" \
        > "$log" 2>&1 || status=$?
    grep -E '^(stat::|#[0-9]+ *DONE|==[0-9]+==ERROR|SUMMARY|expectation)' "$log" || true
    if [ "$status" -ne 0 ]; then
        echo "zorv_${target}_fuzzer failed (exit $status): see $log and build/fuzz/artifacts/" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
done

#!/usr/bin/env bash
# Throughput and memory of zorv-words on the benchmark corpus: lines per second from a
# file and through a pipe, peak RSS for 10^3 and 10^7 lines, and the same for the
# classic number(6) of bsdgames on the same lines.
#   scripts/measure-words.sh [lines]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-10000000}

scripts/install-deps.sh build bench
cmake --preset release >/dev/null
cmake --build --preset release --target zorv-words zorv_bench_corpus >/dev/null
words=build/release/cli/zorv-words
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/release/bench/zorv_bench_corpus "$lines" > "$work/corpus"
build/release/bench/zorv_bench_corpus 1000 > "$work/small"

seconds() {  # runs "$@" and prints its wall time in seconds
    local start=$EPOCHREALTIME
    "$@"
    echo "$start $EPOCHREALTIME" | awk '{ printf "%.3f", $2 - $1 }'
}
rate() { echo "$lines $1" | awk '{ printf "%.2f million lines/s (%.3f s)", $1 / $2 / 1e6, $2 }'; }

t=$(seconds sh -c "$words < '$work/corpus' > /dev/null")
echo "zorv-words, file to /dev/null:        $(rate "$t")"
t=$(seconds sh -c "cat '$work/corpus' | $words | cat > /dev/null")
echo "zorv-words, cat | zorv-words | cat:   $(rate "$t")"
if command -v number >/dev/null || [ -x /usr/games/number ]; then
    number=$(command -v number || echo /usr/games/number)
    t=$(seconds sh -c "cat '$work/corpus' | $number | cat > /dev/null")
    echo "number(6), cat | number | cat:        $(rate "$t")"
fi
small=$(/usr/bin/time -f %M "$words" < "$work/small" 2>&1 >/dev/null | tail -n 1)
large=$(/usr/bin/time -f %M "$words" < "$work/corpus" 2>&1 >/dev/null | tail -n 1)
echo "zorv-words peak RSS: 10^3 lines ${small} KiB, $lines lines ${large} KiB"

#!/usr/bin/env bash
# Throughput and memory of zorv-words on the benchmark corpus: lines per second from a
# file and through a pipe, peak RSS for 10^3 and 10^7 lines, and the same for the
# classic number(6) of bsdgames on the same lines. Each rate is measured `runs` times,
# in turn with the others, and printed as the median and the range: on a shared
# machine one run can be a third slower than the next.
#   scripts/measure-words.sh [lines] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-10000000}
runs=${2:-5}

scripts/install-deps.sh build bench
cmake --preset release >/dev/null
cmake --build --preset release --target zorv-words zorv_bench_corpus >/dev/null
words=build/release/cli/zorv-words
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build/release/bench/zorv_bench_corpus "$lines" > "$work/corpus"
build/release/bench/zorv_bench_corpus 1000 > "$work/small"

seconds() {  # runs the shell command "$1" and prints its wall time in seconds
    local start=$EPOCHREALTIME
    sh -c "$1"
    echo "$start $EPOCHREALTIME" | awk '{ printf "%.3f", $2 - $1 }'
}
# Reads numbers, one a line; prints their median, least, greatest and count.
summary() {
    sort -g | awk '{ r[NR] = $1 } END {
        printf "%.2f %.2f %.2f %d\n", NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2, r[1], r[NR], NR }'
}

labels=("zorv-words, file to /dev/null:     " "zorv-words, cat | zorv-words | cat:")
commands=("$words < '$work/corpus' > /dev/null" "cat '$work/corpus' | $words | cat > /dev/null")
if command -v number >/dev/null || [ -x /usr/games/number ]; then
    number=$(command -v number || echo /usr/games/number)
    labels+=("number(6), cat | number | cat:     ")
    commands+=("cat '$work/corpus' | $number | cat > /dev/null")
fi
declare -a times
for ((run = 0; run < runs; run++)); do
    for i in "${!commands[@]}"; do times[i]+="$(seconds "${commands[$i]}") "; done
done
for i in "${!commands[@]}"; do
    # shellcheck disable=SC2086  # one word per time
    read -r median least greatest count < <(printf '%s\n' ${times[$i]} | awk -v lines="$lines" '{ print lines / $1 / 1e6 }' | summary)
    echo "${labels[$i]} $median million lines/s ($least to $greatest, $count runs)"
done
if [ "${#commands[@]}" -eq 3 ]; then
    # Runs of the same round are seconds apart, so their ratio holds better than the
    # rates when the host's speed changes between rounds.
    # shellcheck disable=SC2086
    read -r median least greatest count < <(paste <(printf '%s\n' ${times[1]}) <(printf '%s\n' ${times[2]}) | awk '{ print $2 / $1 }' | summary)
    echo "zorv-words / number(6), pipes:      $median times ($least to $greatest); floor 2 times: $(awk -v m="$median" 'BEGIN { print (m >= 2) ? "met" : "NOT met" }')"
fi
small=$(/usr/bin/time -f %M "$words" < "$work/small" 2>&1 >/dev/null | tail -n 1)
large=$(/usr/bin/time -f %M "$words" < "$work/corpus" 2>&1 >/dev/null | tail -n 1)
echo "zorv-words peak RSS: 10^3 lines ${small} KiB, $lines lines ${large} KiB"

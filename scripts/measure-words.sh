#!/usr/bin/env bash
# Throughput and memory of zorv-words against the classic number(6) of bsdgames, on the
# benchmark corpus with one line in 200 refused ("12.0" and the like: digits after the
# point that are all zeros). Each program runs from a file to /dev/null and through
# pipes (cat | program | cat); zorv-words plain and with --json, number with and
# without -l. Every command runs `runs` times, all in turn within each round, and each
# figure is printed as the median and the range: on a shared machine one run can be a
# third slower than the next, and runs of one round are seconds apart, so the ratios
# hold better than the rates. Standard error goes to a file of its own.
#   scripts/measure-words.sh [lines] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
lines=${1:-1000000}
runs=${2:-5}

scripts/install-deps.sh build bench
cmake --preset release >/dev/null
cmake --build --preset release --target zorv-words zorv_bench_corpus >/dev/null
words=build/release/cli/zorv-words
number=/usr/games/number
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

refuse() { awk 'NR % 200 == 0 { sub(/\..*/, ""); print $0 ".0"; next } { print }'; }
build/release/bench/zorv_bench_corpus "$lines" | refuse > "$work/corpus"
build/release/bench/zorv_bench_corpus 1000 | refuse > "$work/small"

seconds() {  # runs the shell command "$1" and prints its wall time in seconds
    local start=$EPOCHREALTIME
    sh -c "$1"
    echo "$start $EPOCHREALTIME" | awk '{ printf "%.4f", $2 - $1 }'
}

# name -> command; the names say program, options and path.
declare -A commands=(
    [words-file]="$words < '$work/corpus' > /dev/null 2> '$work/err'"
    [words-pipe]="cat '$work/corpus' | $words 2> '$work/err' | cat > /dev/null"
    [json-file]="$words --json < '$work/corpus' > /dev/null"
    [json-pipe]="cat '$work/corpus' | $words --json | cat > /dev/null"
    [number-l-file]="$number -l < '$work/corpus' > /dev/null"
    [number-l-pipe]="cat '$work/corpus' | $number -l | cat > /dev/null"
    [number-file]="$number < '$work/corpus' > /dev/null"
    [number-pipe]="cat '$work/corpus' | $number | cat > /dev/null"
)
order=(words-file words-pipe json-file json-pipe number-l-file number-l-pipe number-file number-pipe)
declare -A times
for ((run = 0; run < runs; run++)); do
    for name in "${order[@]}"; do times[$name]+="$(seconds "${commands[$name]}") "; done
done

echo "$lines lines, one in 200 refused; $runs runs of each, in turn; median (least to greatest)"
for name in "${order[@]}"; do
    # shellcheck disable=SC2086  # one word per time
    read -r median least greatest _ < <(printf '%s\n' ${times[$name]} | awk -v n="$lines" '{ print n / $1 / 1e6 }' | summary)
    printf '%-16s %6s million lines/s (%s to %s)\n' "$name" "$median" "$least" "$greatest"
done

# ratio A B: how many times faster A is than B, run by run within the same rounds.
ratio() {
    # shellcheck disable=SC2086
    paste <(printf '%s\n' ${times[$1]}) <(printf '%s\n' ${times[$2]}) | awk '{ print $2 / $1 }' | summary
}
echo
echo "times faster, median (least to greatest); floors: plain 2 against number -l, --json 1.5"
for pair in "words-file number-l-file 2" "words-pipe number-l-pipe 2" "json-file number-l-file 1.5" \
            "json-pipe number-l-pipe 1.5" "words-file number-file -" "words-pipe number-pipe -"; do
    read -r a b floor <<<"$pair"
    read -r median least greatest _ < <(ratio "$a" "$b")
    verdict=""
    [ "$floor" != "-" ] && verdict=$(awk -v m="$median" -v f="$floor" 'BEGIN { print (m >= f) ? "; floor met" : "; floor NOT met" }')
    printf '%-11s / %-14s %5s (%s to %s)%s\n' "$a" "$b" "$median" "$least" "$greatest" "$verdict"
done
read -r median least greatest _ < <(ratio words-file json-file)
printf '%-11s / %-14s %5s (%s to %s); at most 1.5\n' "json-file" "words-file" "$median" "$least" "$greatest"

small=$(/usr/bin/time -f %M "$words" < "$work/small" 2>&1 >/dev/null | tail -n 1)
large=$(/usr/bin/time -f %M "$words" < "$work/corpus" 2>&1 >/dev/null | tail -n 1)
zero=$(head -c 500000000 /dev/zero | /usr/bin/time -f %M "$words" 2>&1 >/dev/null | tail -n 1)
echo "zorv-words peak RSS: 10^3 lines ${small} KiB, $lines lines ${large} KiB, a 500 MB line of NUL ${zero} KiB"

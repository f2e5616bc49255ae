#!/usr/bin/env bash
# Money words per amount: zorv-words against libnumbertext's spellout (the only other
# program here that words money in Russian), both as programs given the same amounts
# in one run, so that start-up is spread over them. Amounts as invoices carry them:
# 1.01 to some millions, two minor digits. Each program runs `runs` times, in turn;
# the figures are medians of microseconds an amount.
#   scripts/measure-money.sh [amounts] [runs] [locale] [currency]
set -euo pipefail
cd "$(dirname "$0")/.."
amounts=${1:-2000}
runs=${2:-5}
locale=${3:-ru}
currency=${4:-RUB}

scripts/install-deps.sh build packages >/dev/null
cmake --preset release >/dev/null
cmake --build --preset release --target zorv-words >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk -v n="$amounts" 'BEGIN { srand(7); for (i = 0; i < n; i++) printf "%d.%02d\n", int(10 ^ (rand() * 7)), int(rand() * 100) }' \
    > "$work/amounts"

seconds() {
    local start=$EPOCHREALTIME
    sh -c "$1"
    echo "$start $EPOCHREALTIME" | awk '{ printf "%.6f", $2 - $1 }'
}
ours="build/release/cli/zorv-words --style money,locale=$locale,currency=$currency < '$work/amounts' > /dev/null"
theirs="xargs /usr/lib/libnumbertext/spellout -l $locale -p $currency < '$work/amounts' > /dev/null"
for ((run = 0; run < runs; run++)); do
    echo "zorv-words $(seconds "$ours")" >> "$work/times"
    echo "spellout $(seconds "$theirs")" >> "$work/times"
done
median() { grep "^$1 " "$work/times" | cut -d' ' -f2 | sort -n | awk -v n="$amounts" '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] * 1e6 / n }'; }
us=$(median zorv-words)
them=$(median spellout)
echo "$amounts amounts ($locale, $currency), median of $runs runs: zorv-words $us µs an amount, libnumbertext's spellout $them µs"
awk -v a="$us" -v b="$them" 'BEGIN { printf "spellout takes %.1f times as long\n", b / a }'

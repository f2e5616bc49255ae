#!/usr/bin/env bash
# Launch to first paint and peak memory of the converter's window against a bare Qt
# window of the same size, built the same way and measured in the same run under Xvfb.
# Usage: scripts/measure-startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
runs=${1:-30}

if [ -z "${ZORV_IN_XVFB:-}" ]; then
    scripts/install-deps.sh build bench shots
    cmake --preset release >/dev/null
    cmake --build --preset release --target zorv_startup_probe bare_window_probe label_window_probe >/dev/null
    in_xvfb 1280x1024x24 "$0" "$@"
fi

export QT_QPA_PLATFORM=xcb
measure() {  # one line: ms from launch to the first paint, peak RSS in KiB,
             # ms from entering main to the first paint
    local program=$1 start report
    start=$EPOCHREALTIME
    report=$(/usr/bin/time -f "rss %M" "$program" 2>&1 >/dev/null)
    echo "$start $(grep -o 'at [0-9.]*' <<<"$report" | cut -d' ' -f2) $(grep -o 'rss [0-9]*' <<<"$report" | cut -d' ' -f2) $(grep -o 'after [0-9.]*' <<<"$report" | cut -d' ' -f2)" |
        awk '{ printf "%.1f %d %.1f\n", ($2 - $1) * 1000, $3, $4 }'
}

# Alternate the two so that both see the same machine load.
: > /tmp/zorv-startup-ours; : > /tmp/zorv-startup-bare; : > /tmp/zorv-startup-label
for _ in $(seq "$runs"); do
    measure build/release/bench/zorv_startup_probe >> /tmp/zorv-startup-ours
    measure build/release/bench/bare_window_probe >> /tmp/zorv-startup-bare
    measure build/release/bench/label_window_probe >> /tmp/zorv-startup-label
done
ours_ms=$(cut -d' ' -f1 /tmp/zorv-startup-ours | median)
bare_ms=$(cut -d' ' -f1 /tmp/zorv-startup-bare | median)
ours_kb=$(cut -d' ' -f2 /tmp/zorv-startup-ours | median)
bare_kb=$(cut -d' ' -f2 /tmp/zorv-startup-bare | median)
ours_main=$(cut -d' ' -f3 /tmp/zorv-startup-ours | median)
bare_main=$(cut -d' ' -f3 /tmp/zorv-startup-bare | median)
echo "launch to first paint (median of $runs): converter ${ours_ms} ms, bare window ${bare_ms} ms, ratio $(echo "$ours_ms $bare_ms" | awk '{ printf "%.2f", $1 / $2 }')"
echo "main to first paint (median of $runs):   converter ${ours_main} ms, bare window ${bare_main} ms, ratio $(echo "$ours_main $bare_main" | awk '{ printf "%.2f", $1 / $2 }')"
label_ms=$(cut -d' ' -f1 /tmp/zorv-startup-label | median)
label_kb=$(cut -d' ' -f2 /tmp/zorv-startup-label | median)
echo "beside a bare window with one label:  ${label_ms} ms to first paint, ${label_kb} KiB; converter ratio $(echo "$ours_ms $label_ms" | awk '{ printf "%.2f", $1 / $2 }') and $(echo "$ours_kb $label_kb" | awk '{ printf "%.2f", $1 / $2 }')"
echo "peak RSS (median of $runs):             converter ${ours_kb} KiB, bare window ${bare_kb} KiB, ratio $(echo "$ours_kb $bare_kb" | awk '{ printf "%.2f", $1 / $2 }')"

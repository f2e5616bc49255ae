#!/usr/bin/env bash
# Runs the real window under Xvfb and drives it with real X key events (xdotool):
#  1. typing "12a3.05", Ctrl+V and Enter leaves "One Hundred Twenty Three point zero Five "
#     in the output box (read back through the X selection);
#  2. Enter on an empty input box opens the message box;
#  3. after converting "1234.05", a screenshot goes to docs/screenshot.png.
# Usage: scripts/xvfb-session.sh [path/to/zorv-converter]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh

if [ -z "${ZORV_IN_XVFB:-}" ]; then
    scripts/install-deps.sh build shots
    if [ $# -eq 0 ]; then
        cmake --preset app >/dev/null
        cmake --build --preset app --target zorv-converter >/dev/null
    fi
    in_xvfb 800x300x24 "$0" "$@"
fi

program=${1:-build/app/ui/zorv-converter}
export QT_QPA_PLATFORM=xcb
"$program" &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT

window=""
for _ in $(seq 100); do
    window=$(xdotool search --name "Created by" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "FAIL: the window did not appear"; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$window")"  # X, Y of the client area

output_text() {
    # Drag across the output box: selecting puts its text into the PRIMARY selection.
    xdotool mousemove $((X + 18)) $((Y + 76)) mousedown 1 mousemove $((X + 300)) $((Y + 76)) \
        mousemove $((X + 607)) $((Y + 76)) mouseup 1
    sleep 0.2
    xclip -o -selection primary 2>/dev/null || true
}
clear_input() {
    xdotool mousemove $((X + 300)) $((Y + 36)) click 1 key End
    for _ in $(seq 12); do xdotool key BackSpace; done
}

status=0
echo -n "9" | xclip -selection clipboard
xdotool type --delay 30 "12a3.05"
xdotool key ctrl+v Return
sleep 0.3
got=$(output_text)
if [ "$got" = "One Hundred Twenty Three point zero Five " ]; then
    echo "PASS: typing 12a3.05, Ctrl+V and Enter gives \"$got\""
else
    echo "FAIL: typing 12a3.05, Ctrl+V and Enter gives \"$got\""
    status=1
fi

clear_input
xdotool key Return
sleep 0.5
if xdotool search --name "^Zorv Number to Word Converter\$" >/dev/null 2>&1; then
    echo "PASS: Enter on the empty input box opens the message box"
    xdotool key Return
    sleep 0.3
else
    echo "FAIL: Enter on the empty input box opened no message box"
    status=1
fi

clear_input
xdotool type --delay 30 "1234.05"
xdotool key Return
sleep 0.3
xdotool mousemove 799 299
import -window "$window" docs/screenshot.png
echo "screenshot: docs/screenshot.png"
exit $status

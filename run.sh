#!/usr/bin/env bash
# Builds the converter and opens its window. Installs what is missing on Debian 12.
#   ./run.sh          the window
#   ./run.sh --web    builds the web pages (the converter and the cheque writer) and prints where to open them
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--web" ]; then
    scripts/install-deps.sh web
    scripts/build-web.sh >/dev/null
    echo "The pages are built. Open them by double-click, or in a browser at:"
    echo "  file://$PWD/build/web/index.html     the converter"
    echo "  file://$PWD/build/web/cheque.html    the cheque writer"
    echo "or serve build/web from any static server, for example: python3 -m http.server -d build/web"
    exit 0
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to open the window on; without one, run it as: xvfb-run -a ./run.sh" >&2
    exit 1
fi
scripts/install-deps.sh build
cmake --preset app >/dev/null
cmake --build --preset app --target zorv-converter
exec build/app/ui/zorv-converter "$@"

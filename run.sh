#!/usr/bin/env bash
# Builds the converter and opens its window. Installs what is missing on Debian 12.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to open the window on; without one, run it as: xvfb-run -a ./run.sh" >&2
    exit 1
fi
scripts/install-deps.sh build
cmake --preset app >/dev/null
cmake --build --preset app --target zorv-converter
exec build/app/ui/zorv-converter "$@"

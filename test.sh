#!/usr/bin/env bash
# Builds the converter and its web page and runs every test through CTest, headless.
#   ./test.sh          the development build
#   ./test.sh asan     the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"

preset=${1:-dev}
scripts/install-deps.sh build web sql packages
scripts/build-web.sh
(cd tests/web && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)  # axe-core, pinned
cmake --preset "$preset"
cmake --build --preset "$preset"
QT_QPA_PLATFORM=offscreen ctest --preset "$preset"

#!/usr/bin/env bash
# Builds the web page into build/web with emscripten (preset "web"). Debian's emscripten
# finds its JavaScript optimiser's parser, node-acorn, through NODE_PATH.
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake --preset web >/dev/null
cmake --build --preset web

#!/usr/bin/env bash
# Builds the web page into build/web with emscripten (preset "web"). The spelling rules
# are compiled by zorv_rules_generator, built first for this machine (preset "dev").
# Debian's emscripten finds its JavaScript optimiser's parser, node-acorn, through
# NODE_PATH.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target zorv_rules_generator >/dev/null
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake --preset web -DZORV_RULES_GENERATOR="$PWD/build/dev/spell/zorv_rules_generator" >/dev/null
cmake --build --preset web

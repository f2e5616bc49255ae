#!/usr/bin/env bash
# Installs a build folder into a temporary prefix, then builds a C program against
# the installed library twice, through find_package(ZorvWords) and through
# pkg-config, and checks that both find the words and the message.
#   tests/install_test.sh BUILD_DIR
# ZORV_CONSUMER_PRELOAD names libraries to preload into the consumers: the sanitizer
# runtimes, when the library was built with them.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null
for path in include/zorv/words.h include/zorv/words.hpp; do
    [ -f "$prefix/$path" ] || { echo "FAIL: the install lacks $path"; exit 1; }
done
pc=$(find "$prefix" -name zorv-words.pc)
[ -n "$pc" ] || { echo "FAIL: the install lacks zorv-words.pc"; exit 1; }

expected='0 [One Thousand Two Hundred Thirty Four point zero Five ]
1 [Type mismatch]'
check() {  # label, program
    local got
    got=$(LD_LIBRARY_PATH=$(dirname "$pc")/.. LD_PRELOAD=${ZORV_CONSUMER_PRELOAD:-} "$2" 1234.05 1.2.3)
    [ "$got" = "$expected" ] || { printf 'FAIL: %s printed\n%s\n' "$1" "$got"; exit 1; }
    echo "PASS: $1"
}

cmake -S "$here/consumer" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null
check "find_package(ZorvWords)" "$work/cmake/consumer"

export PKG_CONFIG_PATH=$(dirname "$pc")
# shellcheck disable=SC2046  # the flags are words of their own
cc -std=c11 -Wall -Werror -o "$work/pkg-consumer" "$here/consumer/consumer.c" $(pkg-config --cflags --libs zorv-words)
check "pkg-config zorv-words" "$work/pkg-consumer"

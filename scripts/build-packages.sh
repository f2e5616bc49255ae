#!/usr/bin/env bash
# Builds the Python and npm packages into build/packages, both holding the library:
#   zorv_words-VERSION-cp3XX-cp3XX-linux_ARCH.whl   the wheel for Debian's Python, with
#                                                  libzorv-words.so.1 of the hardened
#                                                  release build (preset "package") inside
#   zorv-words-VERSION.tgz                          the npm package (npm pack), with the
#                                                  WebAssembly build of the library
# VERSION is the project's, from CMakeLists.txt (its first three parts).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-deps.sh build web packages
version=$(sed -n 's/^ *VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt | head -n 1)
[ -n "$version" ] || { echo "build-packages.sh: no VERSION in CMakeLists.txt" >&2; exit 1; }
cmake --preset package >/dev/null
cmake --build build/package --target zorv_words >/dev/null
scripts/build-web.sh >/dev/null

out=$root/build/packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"

# Python: built from a copy, so that setuptools leaves nothing in the source tree.
cp -r bindings/python "$work/python"
ZORV_VERSION=$version ZORV_LIBRARY=$root/build/package/words/libzorv-words.so.1 \
    /usr/bin/python3 -m pip wheel --quiet --no-build-isolation --no-deps --no-index --wheel-dir "$out" "$work/python"

# npm: the module made an ES module by exporting its factory.
mkdir "$work/npm"
cp bindings/npm/package.json bindings/npm/index.js bindings/npm/index.d.ts "$work/npm/"
{ cat build/web/zorv-words-package.js; printf '\nexport default ZorvWordsPackage;\n'; } >"$work/npm/zorv-words-module.js"
(cd "$work/npm" && npm pkg set "version=$version" && npm pack --quiet --pack-destination "$out" >/dev/null)
ls "$out"

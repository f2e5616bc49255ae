#!/usr/bin/env bash
# Builds the Python and npm packages (scripts/build-packages.sh) and tests each as its
# users get it: the wheel installed offline into a new venv of Debian's Python and run
# with pytest, the tarball installed offline into an empty npm project and run with
# node's test runner, both reading the shared tables of tests/data.
#   tests/packages/install_test.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build-packages.sh" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Debian's own packages (pytest, Dask) are seen through the venv; the package is installed
# into it from the wheel alone, without an index.
/usr/bin/python3 -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --quiet --no-index --no-deps "$root"/build/packages/zorv_words-*.whl
(cd "$work" && "$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$root/tests/packages/test_python_package.py")

mkdir "$work/project"
cd "$work/project"
npm init --yes >/dev/null
npm install --offline --no-audit --no-fund --loglevel=error "$root"/build/packages/zorv-words-*.tgz
cp "$root/tests/packages/npm_package.test.mjs" .
ZORV_TESTS_DATA=$root/tests/data node --test npm_package.test.mjs

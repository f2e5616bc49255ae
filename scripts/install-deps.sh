#!/usr/bin/env bash
# Installs the Debian packages the converter needs to build, test or run, skipping
# apt entirely when all of them are already present.
#   scripts/install-deps.sh build   compiler, CMake, Ninja, Qt 6, ICU (whose rule data is compiled in),
#                                   CLDR's data (the currencies' minor digits are checked against it),
#                                   GoogleTest, nlohmann-json, fonts, package checks (lintian, and
#                                   hardening-check from devscripts)
#   scripts/install-deps.sh bench   the above plus Google Benchmark
#   scripts/install-deps.sh shots   the above plus Xvfb and xdotool for screenshots
#   scripts/install-deps.sh fuzz    the above plus clang and its sanitizer runtimes
#   scripts/install-deps.sh web     the above plus emscripten, Chromium, ChromeDriver, Selenium and pdftotext
#   scripts/install-deps.sh sql     the above plus SQLite and PostgreSQL 15 with its server headers (PGXS)
#   scripts/install-deps.sh packages  the above plus Debian's Python packaging (pip, setuptools,
#                                   wheel, venv), pytest, Dask's distributed, and the money references
#                                   num2words and libnumbertext's spellout
set -euo pipefail

build=(g++ cmake ninja-build pkg-config dpkg-dev file libgtest-dev nlohmann-json3-dev libicu-dev unicode-cldr-core unicode-data qt6-base-dev libfontconfig-dev fonts-liberation
       desktop-file-utils appstream lintian devscripts python3)
packages=("${build[@]}")
for set in "$@"; do
    case "$set" in
        build) ;;
        bench) packages+=(libbenchmark-dev bsdgames valgrind time) ;;
        shots) packages+=(xvfb xauth xdotool xclip imagemagick) ;;
        fuzz) packages+=(clang libclang-rt-dev) ;;
        packages) packages+=(python3-pip python3-setuptools python3-wheel python3-venv python3-pytest python3-distributed
                             python3-num2words libnumbertext-tools)
                  command -v npm >/dev/null || packages+=(npm) ;;
        sql) packages+=(sqlite3 libsqlite3-dev postgresql-15 postgresql-server-dev-15 postgresql-common make) ;;
        web) packages+=(emscripten node-acorn chromium chromium-driver python3-selenium poppler-utils)
             command -v npm >/dev/null || packages+=(npm) ;;
        *) echo "install-deps.sh: unknown set '$set'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "install-deps.sh: missing ${missing[*]}, and this is not a Debian system: install them by hand" >&2
    exit 1
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

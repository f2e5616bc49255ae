#!/usr/bin/env bash
# Builds the Debian packages from the hardened "package" build and checks what each
# holds and declares, that every installed binary carries Debian's hardening and no
# RUNPATH, and that lintian finds nothing to warn of.
#   tests/package_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$source_dir"
cmake --preset package >/dev/null
cmake --build --preset package >/dev/null
(cd build/package && cpack -G DEB -B "$work" >/dev/null)
fail() { echo "FAIL: $*"; exit 1; }

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
declare -A holds=(
    [zorv-converter]="./usr/bin/zorv-converter ./usr/bin/zorv-words
        ./usr/share/applications/com.example.ZorvNumberToWordConverter.desktop
        ./usr/share/metainfo/com.example.ZorvNumberToWordConverter.metainfo.xml
        ./usr/share/icons/hicolor/32x32/apps/com.example.ZorvNumberToWordConverter.png
        ./usr/share/man/man1/zorv-words.1.gz ./usr/share/doc/zorv-converter/copyright"
    [libzorv-words1]="./usr/lib/$multiarch/libzorv-words.so.1 ./usr/share/doc/libzorv-words1/copyright"
    [libzorv-words-dev]="./usr/lib/$multiarch/libzorv-words.so ./usr/include/zorv/words.h
        ./usr/include/zorv/words.hpp ./usr/lib/$multiarch/pkgconfig/zorv-words.pc
        ./usr/lib/$multiarch/cmake/ZorvWords/ZorvWordsConfig.cmake ./usr/share/doc/libzorv-words-dev/copyright")
for package in "${!holds[@]}"; do
    deb=$(ls "$work/${package}_"*.deb) || fail "no package $package"
    contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
    for path in ${holds[$package]}; do
        grep -qx -- "$path" <<<"$contents" || fail "$package lacks $path"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = "1.0.0.0" ] || fail "$package has version $(dpkg-deb -f "$deb" Version)"
    dpkg-deb -x "$deb" "$work/root"
done
echo "packages: $(cd "$work" && ls ./*.deb | tr '\n' ' ')"

depends=$(dpkg-deb -f "$work"/zorv-converter_*.deb Depends)
for library in libqt6core6 libqt6widgets6 "libzorv-words1 (= 1.0.0.0)"; do
    grep -qF "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
dpkg-deb --ctrl-tarfile "$work"/libzorv-words1_*.deb | tar -xO ./shlibs | grep -q '^libzorv-words 1 libzorv-words1' ||
    fail "no shlibs entry for libzorv-words.so.1"

# Control-flow protection is checked by its instructions: hardening-check looks for the
# ELF note that marks it, which the linker writes only when every object has it, and
# the C library's start-up objects on Debian 12 do not (/usr/bin/ls has none either).
cf_skipped=(--nocfprotection)
for binary in "$work"/root/usr/bin/* "$work"/root/usr/lib/"$multiarch"/libzorv-words.so.1; do
    hardening-check --quiet "${cf_skipped[@]}" "$binary" || fail "$(basename "$binary") lacks hardening"
    if [ "$(dpkg-architecture -qDEB_HOST_ARCH_CPU)" = amd64 ] && [ "$(objdump -d "$binary" | grep -c endbr64)" -eq 0 ]; then
        fail "$(basename "$binary") has no control-flow protection"
    fi
    if readelf -d "$binary" | grep -qE 'RUNPATH|RPATH'; then fail "$(basename "$binary") has a RUNPATH"; fi
done
echo "hardening and no RUNPATH: every binary"

# lintian: no error and no warning but one. CPack writes a postinst and a postrm
# that call ldconfig for any package with a shared library, unless the package
# brings its own; the library's are empty, since its trigger refreshes the cache.
report=$(lintian --tag-display-limit 0 "$work"/*.deb 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$report" ] && echo "$report"
if grep -E '^(E|W):' <<<"$report" | grep -qvE '^W: libzorv-words1: maintainer-script-empty \[(postinst|postrm)\]$'; then
    fail "lintian reports errors or warnings"
fi
echo "PASS: package contents, dependencies, version, hardening and lintian"

#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds and declares,
# the library's shlibs entry among it; runs lintian when it is installed.
#   tests/package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/*.deb)
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/bin/zorv-converter ./usr/bin/zorv-words \
            ./usr/share/applications/com.example.ZorvNumberToWordConverter.desktop \
            ./usr/share/metainfo/com.example.ZorvNumberToWordConverter.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/com.example.ZorvNumberToWordConverter.png \
            ./usr/share/doc/zorv-converter/copyright \
            ./usr/lib/libzorv-words.so.1 ./usr/include/zorv/words.h ./usr/include/zorv/words.hpp \
            ./usr/lib/pkgconfig/zorv-words.pc ./usr/lib/cmake/ZorvWords/ZorvWordsConfig.cmake; do
    grep -qx -- "$path" <<<"$contents" || { echo "FAIL: the package lacks $path"; exit 1; }
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6widgets6 libqt6gui6; do
    grep -q "$library" <<<"$depends" || { echo "FAIL: Depends lacks $library: $depends"; exit 1; }
done
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./shlibs | grep -q '^libzorv-words 1 zorv-converter' ||
    { echo "FAIL: no shlibs entry for libzorv-words.so.1"; exit 1; }
[ "$(dpkg-deb -f "$deb" Version)" = "1.0.0.0" ] || { echo "FAIL: version $(dpkg-deb -f "$deb" Version)"; exit 1; }

if command -v lintian >/dev/null; then
    # Errors fail the test; warnings and notes are shown.
    report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
    [ -n "$report" ] && echo "$report"
    if grep -q '^E:' <<<"$report"; then echo "FAIL: lintian reports errors"; exit 1; fi
fi
echo "PASS: package contents, dependencies and version"

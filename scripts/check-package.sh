#!/usr/bin/env bash
# Builds the Debian package in build/ and checks what it holds and needs.
set -euo pipefail
cd "$(dirname "$0")/../build"
rm -f tolvane_*.deb
cpack -G DEB
debs=(tolvane_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
fail() { echo "FAIL: $deb: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for file in ./usr/bin/tolvane ./usr/share/tolvane/batch.hlp \
    ./usr/share/applications/org.tolvane.Tolvane.desktop \
    ./usr/share/metainfo/org.tolvane.Tolvane.metainfo.xml \
    ./usr/share/icons/hicolor/{32x32,48x48,64x64,128x128}/apps/tolvane.png \
    ./usr/share/icons/hicolor/scalable/apps/tolvane.svg \
    ./usr/share/man/man1/tolvane.1.gz ./usr/share/doc/tolvane/changelog.gz \
    ./usr/share/doc/tolvane/copyright; do
    grep -qxF "$file" <<<"$contents" || fail "does not hold $file"
done
# Nothing from the build or test tree slips in.
if grep -vE '^\./usr/(bin|share)/' <<<"$contents" | grep -vE '^\./(usr/)?$'; then
    fail "holds files outside /usr/bin and /usr/share"
fi

[ "$(dpkg-deb -f "$deb" Package)" = tolvane ] || fail "wrong package name"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    grep -q "\b$needed\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q fonts-dejavu-core <<<"$(dpkg-deb -f "$deb" Recommends)" || fail "does not recommend fonts-dejavu-core"
# The changelog's newest entry is this version.
top=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/tolvane/changelog.gz | gunzip | head -1)
[ "$top" = "tolvane ($version) unstable; urgency=medium" ] || fail "changelog starts: $top"
# Debian's own package checker finds no error and no warning; the
# informational tags are shown for a reader, but only the hardening ones fail.
tags=$(lintian --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$tags" ] || echo "$tags"
if grep -E '^(E|W): ' <<<"$tags" || grep -E '^I: .*hardening-' <<<"$tags"; then
    fail "lintian reports the lines above"
fi
echo "$deb: contents, dependencies and lintian as expected"

#!/usr/bin/env bash
# cpack -G DEB makes a package with the program's dependencies; unpacked into a scratch root it runs.
# Usage: deb_test.sh <build folder> <expected version>. Skipped (77) without cpack or dpkg-deb.
set -euo pipefail
build=$1
version=$2
command -v cpack >/dev/null && command -v dpkg-deb >/dev/null || { echo "SKIP: no cpack or dpkg-deb"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -5 "$work/cpack.log")"
debs=("$work"/out/*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}

[[ $(dpkg-deb -f "$deb" Package) == handwright ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
# What it links, and what Qt loads without linking.
for package in libqt6widgets6 libqt6webenginewidgets6 libqt6help6 libqt6core6 libsqlite3-0 libqscintilla2-qt6 \
               libqt6sql6-sqlite libqt6webenginecore6-bin; do
    grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done
# Recommends: a JDK that apt picks as a full one (the applet viewer is an AWT window, which a headless
# JDK refuses to open), the fonts the editor and artwork name, xdg-open for outside links.
recommends=$(dpkg-deb -f "$deb" Recommends)
IFS=',' read -ra groups <<<"$recommends"
jdk=
for group in "${groups[@]}"; do
    first=${group%%|*}
    if [[ $group == *jdk* ]]; then jdk=${first// /}; fi
done
[[ -n $jdk ]] || fail "Recommends names no JDK: $recommends"
[[ $jdk != *headless* ]] || fail "the first JDK in Recommends is headless ($jdk): $recommends"
for package in fonts-liberation xdg-utils qt6-wayland; do
    grep -qE "(^|[ ,|])$package([ ,|(]|$)" <<<"$recommends" || fail "Recommends lacks $package: $recommends"
done

# The debugger's terminal: the desktop's own, else xterm.
grep -qE "(^|, )x-terminal-emulator \| xterm(,|$)" <<<"$recommends" || fail "Recommends lacks the terminal: $recommends"
# A summary line and a description of more than one line.
description=$(dpkg-deb -f "$deb" Description)
[[ $(wc -l <<<"$description") -gt 3 ]] || fail "no extended description: $description"

# Debian's own checks: no error or warning (scripts/setup installs lintian).
command -v lintian >/dev/null || fail "lintian is missing: run scripts/setup"
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
! grep -E '^(E|W): ' "$work/lintian.log" || fail "lintian: $(grep -E '^(E|W): ' "$work/lintian.log")"

dpkg -x "$deb" "$work/root"
root=$work/root
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/handwright" --version | head -1)
[[ $out == "handwright $version" ]] || fail "the unpacked program printed '$out'"
for file in usr/lib/handwright/handwright.qch usr/lib/handwright/parse usr/lib/handwright/Class.orw \
            usr/lib/handwright/plugins/handwright-webview.so usr/lib/handwright/plugins/handwright-help.so \
            usr/share/applications/handwright.desktop usr/share/mime/packages/handwright.xml \
            usr/share/icons/hicolor/scalable/apps/handwright.svg usr/share/man/man1/handwright.1.gz \
            usr/share/man/man1/handwright-reg.1.gz usr/share/doc/handwright/copyright \
            usr/share/handwright/sdk/lib/SuperWabaTools.jar usr/share/handwright/sdk/lib/superwaba.jar; do
    [[ -f $root/$file ]] || fail "the package lacks /$file"
done
[[ -x $root/usr/bin/handwright-reg ]] || fail "the package lacks /usr/bin/handwright-reg"
echo "deb: ok ($(du -k "$deb" | cut -f1) KiB)"

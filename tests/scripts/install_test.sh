#!/usr/bin/env bash
# cmake --install lays the program out as a desktop expects: the program folder under lib/handwright,
# relative links in bin/, the desktop entry, icons, the .hwp file type and the man pages.
# Usage: install_test.sh <build folder> <expected version>
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
prefix="$work/pre fix"

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in handwright handwright-reg; do
    link=$prefix/bin/$program
    [[ -L $link ]] || fail "bin/$program is not a link"
    [[ $(readlink "$link") == ../lib/handwright/$program ]] || fail "bin/$program points to $(readlink "$link")"
    [[ -x $prefix/lib/handwright/$program ]] || fail "lib/handwright/$program is missing"
done
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/handwright" --version | head -1)
[[ $out == "handwright $version" ]] || fail "--version through the link printed '$out'"
HANDWRIGHT_REGISTRY=$work/registry.sqlite "$prefix/bin/handwright-reg" /? | grep -q "handwright-reg query" ||
    fail "handwright-reg through the link gave no usage"
HANDWRIGHT_REGISTRY=$work/registry.sqlite "$prefix/bin/handwright-reg" --help | grep -q "handwright-reg query" ||
    fail "handwright-reg --help gave no usage"
out=$(env -u HANDWRIGHT_REGISTRY HOME="$work/nohome" XDG_CONFIG_HOME="$work/nohome" "$prefix/bin/handwright-reg" --version)
[[ $out == "handwright-reg $version" ]] || fail "handwright-reg --version printed '$out'"
[[ ! -e $work/nohome ]] || fail "handwright-reg --version made a store"

# The program folder holds what the build's program folder holds; the stand-in SDK goes to share/, where
# the program presets it.
folder=$prefix/lib/handwright
for file in handwright.qch updates.html parse Class.orw ClassWithMain.orw noHelp.html noDocHelp.html \
            plugins/handwright-webview.so plugins/handwright-help.so; do
    [[ -f $folder/$file ]] || fail "the program folder lacks $file"
done
# The web engine comes with the first page shown, from the library beside the program, not at start.
if command -v readelf >/dev/null; then
    ! readelf -d "$folder/handwright" | grep -q 'NEEDED.*WebEngine' || fail "the program links the web engine"
    # Nor the help engine: it comes with the manual's window.
    ! readelf -d "$folder/handwright" | grep -q 'NEEDED.*Qt6Help' || fail "the program links the help engine"
    readelf -d "$folder/plugins/handwright-help.so" | grep -q 'NEEDED.*Qt6Help' ||
        fail "the manual's library does not link the help engine"
    readelf -d "$folder/plugins/handwright-webview.so" | grep -q 'NEEDED.*WebEngineWidgets' ||
        fail "the web view library does not link the web engine"
fi
# The warm compiler's jar is data to the packaging rules: it goes to share/.
[[ -f $prefix/share/handwright/warm-javac.jar ]] || fail "share/handwright lacks warm-javac.jar"
(cd "$build/bin" && find . -type f ! -name '*.hwp' ! -name warm-javac.jar | sort) >"$work/built"
(cd "$folder" && find . -type f | sort) >"$work/installed"
missing=$(comm -23 "$work/built" "$work/installed")
[[ -z $missing ]] || fail "built but not installed: $missing"
[[ ! -e $prefix/sdk && ! -e $folder/sdk ]] || fail "the stand-in SDK was installed into the program folder"
for file in lib/superwaba.jar lib/SuperWabaTools.jar docs/html/index.html; do
    [[ -f $prefix/share/handwright/sdk/$file ]] || fail "the stand-in SDK lacks $file"
done

share=$prefix/share
desktop=$share/applications/handwright.desktop
[[ -f $desktop ]] || fail "no desktop entry"
grep -qx 'Exec=handwright %f' "$desktop" || fail "the desktop entry does not pass the file"
grep -qx 'Icon=handwright' "$desktop" || fail "the desktop entry names another icon"
grep -q '^MimeType=.*application/x-handwright-project;' "$desktop" || fail "the desktop entry lacks the .hwp type"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused the entry"
fi

mime=$share/mime/packages/handwright.xml
[[ -f $mime ]] || fail "no shared-mime-info type"
grep -q 'type="application/x-handwright-project"' "$mime" || fail "the type is not the one the entry names"
grep -q 'pattern="\*.hwp"' "$mime" || fail "the type does not match *.hwp"
if command -v xmllint >/dev/null; then
    xmllint --noout "$mime" || fail "the type's XML is not well formed"
fi
if command -v update-mime-database >/dev/null; then
    update-mime-database "$share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the type"
    grep -q 'application/x-handwright-project:\*\.hwp' "$share/mime/globs2" || fail "*.hwp is not in the globs"
fi
# The type claims no file the program would refuse: the program opens "*.hwp" in these letters alone.
globs=$(grep -o '<glob [^>]*>' "$mime")
[[ $globs == '<glob pattern="*.hwp" case-sensitive="true"/>' ]] || fail "the type claims other names: $globs"

# The software centres' description, which appstreamcli (scripts/setup installs it) must accept as it is.
metainfo=$share/metainfo/org.kovrin.handwright.metainfo.xml
[[ -f $metainfo ]] || fail "no AppStream metainfo file"
grep -q '<launchable type="desktop-id">handwright.desktop</launchable>' "$metainfo" ||
    fail "the metainfo file does not name the desktop entry"
command -v appstreamcli >/dev/null || fail "appstreamcli is missing: run scripts/setup"
(cd "$work" && appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1) ||
    fail "appstreamcli refused the metainfo file: $(cat "$work/appstream.log")"

[[ -f $share/icons/hicolor/scalable/apps/handwright.svg ]] || fail "no scalable icon"
for size in 16 22 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/handwright.png
    [[ -f $png ]] || fail "no ${size}x$size icon"
    # PNG width and height, big-endian at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [[ $dims == "${size}x$size" ]] || fail "the ${size}x$size icon is $dims"
done

for page in handwright handwright-reg; do
    man=$share/man/man1/$page.1.gz
    [[ -f $man ]] || fail "no compressed man page for $page"
    [[ ! -e $share/man/man1/$page.1 ]] || fail "$page.1 is installed uncompressed as well"
    gzip -t "$man" || fail "$page.1.gz is not gzip"
    gzip -dc "$man" | grep -q "^\.TH $(tr a-z A-Z <<<"$page") 1" || fail "$page.1 has no title line"
    # gzip -n: no time stamp in the header, so a rebuild gives the same bytes.
    [[ $(od -An -tu1 -j4 -N4 "$man" | tr -d ' ') == 0000 ]] || fail "$page.1.gz carries a time stamp"
done
grep -q "GPL-3+" "$share/doc/handwright/copyright" || fail "no copyright file naming the licence"
gzip -dc "$share/doc/handwright/changelog.gz" | head -1 | grep -q "^handwright ($version) " ||
    fail "the changelog does not start with this version"
echo "install: ok"

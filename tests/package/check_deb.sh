#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Checks the Debian package: its file list, its Depends and Recommends, that
# unpacked it holds the program with both data files beside it, and, where
# they are installed, that lintian and appstreamcli find nothing to say.
#   check_deb.sh <package.deb>
#   check_deb.sh --build <build-dir> <name>_<version>
#       first builds the package with the build tree's CPack config into a
#       temporary folder, and checks that it is named <name>_<version>_<arch>.deb
set -euo pipefail

fail() {
    echo "check_deb: $*" >&2
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ "${1:-}" = "--build" ]; then
    [ $# -eq 3 ] || fail "usage: $0 --build <build-dir> <name>_<version>"
    "${CPACK:-cpack}" -G DEB --config "$2/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; fail "cpack failed"; }
    deb="$work/out/$3_$(dpkg --print-architecture).deb"
    [ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work/out")"
else
    [ $# -eq 1 ] || fail "usage: $0 <package.deb> | --build <build-dir> <name>_<version>"
    deb=$1
    [ -f "$deb" ] || fail "no package $deb"
fi

# Every file and link, nothing more.
expected="./usr/bin/fumiyose -> ../lib/fumiyose/fumiyose
./usr/lib/fumiyose/fumiyose
./usr/lib/fumiyose/initdata.dat
./usr/lib/fumiyose/postcode.dat
./usr/share/applications/com.example.fumiyose.desktop
./usr/share/doc/fumiyose/changelog.gz
./usr/share/doc/fumiyose/copyright
./usr/share/icons/hicolor/256x256/apps/fumiyose.png
./usr/share/icons/hicolor/scalable/apps/fumiyose.svg
./usr/share/lintian/overrides/fumiyose
./usr/share/man/man1/fumiyose.1.gz
./usr/share/metainfo/com.example.fumiyose.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort)
[ "$files" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$files") || true)"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = fumiyose ] || fail "Package: $(field Package)"
depends=$(field Depends)
# The libraries from dpkg-shlibdeps, and what the program needs besides.
for name in libc6 libqt6core6 libqt6widgets6 libqt6printsupport6 libharfbuzz0b \
    libjpeg62-turbo fonts-ipafont qt6-translations-l10n; do
    echo "$depends" | tr ',' '\n' | grep -Eq "^ *$name( |$)" || fail "Depends lacks $name: $depends"
done
[ "$(field Recommends)" = "fcitx5-frontend-qt6 | ibus" ] || fail "Recommends: $(field Recommends)"
for name in Section Maintainer Homepage Description; do
    [ -n "$(field $name)" ] || fail "no $name"
done

# Unpacked: the program finds its data beside itself, and bin/ leads to it.
dpkg -x "$deb" "$work/root"
app="$work/root/usr/lib/fumiyose"
[ -x "$app/fumiyose" ] || fail "no program in lib/fumiyose"
[ -s "$app/initdata.dat" ] && [ -s "$app/postcode.dat" ] || fail "data files missing beside the program"
[ "$(readlink -f "$work/root/usr/bin/fumiyose")" = "$(readlink -f "$app/fumiyose")" ] ||
    fail "bin/fumiyose does not lead to the program"

# Software centres list the program by its AppStream id, which names the menu entry.
metainfo=$(ls "$work"/root/usr/share/metainfo/*.metainfo.xml)
id=$(basename "$metainfo" .metainfo.xml)
[ -f "$work/root/usr/share/applications/$id.desktop" ] || fail "no menu entry $id.desktop"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli validate failed"; }
fi

# lintian: no error and no warning but the overridden ones. Run as root it
# refuses to unpack unless told that is meant.
if command -v lintian >/dev/null; then
    lintian --allow-root --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }
    cat "$work/lintian.log"
fi

echo "check_deb: $(basename "$deb") is complete"

#!/usr/bin/env bash
# Builds the Debian package from a build tree's programs and checks it: every
# file in its place, nothing from the build or source tree inside, the control
# fields filled, the desktop entry pointing at what is installed, and no
# lintian errors.
# Usage: check_package.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
out="$build/package-check"
rm -rf "$out"
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; fail "cpack"; }
deb="$out/datadock_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package named $(basename "$deb")"

listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
expected=(
    /usr/bin/datadock /usr/bin/datadock-manager /usr/bin/datadock-viewer /usr/bin/ktr90-sim
    /usr/share/man/man1/datadock.1.gz /usr/share/man/man1/datadock-manager.1.gz
    /usr/share/man/man1/datadock-viewer.1.gz /usr/share/man/man1/ktr90-sim.1.gz
    /usr/share/applications/datadock-manager.desktop
    /usr/share/applications/datadock-viewer.desktop
    /usr/share/icons/hicolor/48x48/apps/datadock.png
    /usr/share/icons/hicolor/scalable/apps/datadock.svg
    /usr/share/icons/hicolor/48x48/apps/datadock-viewer.png
    /usr/share/icons/hicolor/scalable/apps/datadock-viewer.svg
    /usr/lib/udev/rules.d/70-datadock.rules
    /usr/share/doc/datadock/copyright /usr/share/doc/datadock/changelog.gz
)
for file in "${expected[@]}"; do
    grep -qx "$file" <<<"$listing" || fail "$file is not in the package"
done
if grep -v '^/usr/' <<<"$listing"; then fail "files outside /usr"; fi

tree="$out/tree"
dpkg-deb -x "$deb" "$tree"
for dir in "$build" "$source"; do
    if grep -rlF "$dir" "$tree"; then fail "the files above name $dir"; fi
done
for page in "$tree"/usr/share/man/man1/*.gz; do
    gzip -t "$page" || fail "$page is not gzip"
done
for desktop in "$tree"/usr/share/applications/*.desktop; do
    [ -x "$tree/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")" ] || fail "$desktop Exec"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$tree/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$desktop Icon"
    # Claiming a type would make every spreadsheet file a log to view on some desktops.
    if grep -q '^MimeType=' "$desktop"; then fail "$desktop claims file types"; fi
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
grep -q 'libqt6widgets6' <<<"$(field Depends)" || fail "Depends lacks Qt: $(field Depends)"
grep -q 'libc6' <<<"$(field Depends)" || fail "Depends lacks libc6: $(field Depends)"
[ -n "$(field Description)" ] || fail "no Description"

# Warnings and notes are shown, errors fail.
if ! report=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1); then
    echo "$report"
    fail "lintian found errors"
fi
grep -v 'root privileges' <<<"$report" || true
echo "package $(basename "$deb") checked"

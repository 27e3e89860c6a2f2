#!/usr/bin/env bash
# Checks that the Debian package installs and runs on a clean Debian 12: makes
# a minimal bookworm root with debootstrap, installs the package there with
# apt-get (which fetches its dependencies) and runs the programs.
#
# Usage (as root): scripts/check-install.sh [PACKAGE.deb]
#   The package defaults to the newest build/release/datadock_*.deb, which
#   scripts/package.sh makes. The Debian mirror is the one apt already uses for
#   bookworm, or DEBIAN_MIRROR. DATADOCK_CHECK_ROOT=DIR keeps the root in DIR
#   and reuses it the next time (then it is no longer clean, but quicker).
set -euo pipefail
cd "$(dirname "$0")/.."

say() { printf '== %s\n' "$*"; }
die() { printf 'check-install: %s\n' "$*" >&2; exit 1; }

deb=${1:-$(ls -t build/release/datadock_*.deb 2>/dev/null | head -n1 || true)}
[ -n "$deb" ] && [ -f "$deb" ] || die "no package: make one with scripts/package.sh"
[ "$(id -u)" -eq 0 ] || die "debootstrap and chroot need root"

# The first mirror apt's own sources serve bookworm from, in either format.
configured_mirror() {
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed 's/\[[^]]*\]//' | awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }'
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '
        /^URIs:/   { uri = $2 }
        /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == "bookworm") found = 1 }
        /^$/       { if (found && uri) { print uri; exit } uri = ""; found = 0 }
        END        { if (found && uri) print uri }'
}
mirror=${DEBIAN_MIRROR:-$(configured_mirror | head -n1)}
[ -n "$mirror" ] || die "no bookworm source in apt's configuration; set DEBIAN_MIRROR"

if ! command -v debootstrap >/dev/null; then
    say "installing debootstrap"
    apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

root=${DATADOCK_CHECK_ROOT:-$(mktemp -d /var/tmp/datadock-root.XXXXXX)}
cleanup() {
    for mount in "$root/dev/pts" "$root/proc"; do
        if mountpoint -q "$mount"; then umount "$mount"; fi
    done
    if [ -z "${DATADOCK_CHECK_ROOT:-}" ]; then rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

SECONDS=0
if [ ! -f "$root/etc/debian_version" ]; then
    say "debootstrap --variant=minbase bookworm into $root"
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { tail -n 20 "$root.debootstrap.log"; die "debootstrap failed"; }
    rm -f "$root.debootstrap.log"
fi
say "root ready after ${SECONDS}s"
# Maintainer scripts look at /proc, apt and the simulated logger want
# pseudo-terminals; a container may not allow mounting them.
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc" 2>/dev/null || say "(no /proc in the root)"
mountpoint -q "$root/dev/pts" || mount --bind /dev/pts "$root/dev/pts" 2>/dev/null ||
    say "(no pseudo-terminals in the root)"

cp "$deb" "$root/tmp/"
say "apt-get install ./$(basename "$deb")"
apt_log="$root/tmp/apt.log"
{ in_root apt-get update -qq &&
    in_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")"; } >"$apt_log" 2>&1 ||
    { tail -n 20 "$apt_log"; die "apt-get could not install the package"; }
say "installed after ${SECONDS}s"

failures=0
check() {
    local what=$1 output status=0
    shift
    output=$("$@" 2>&1) || status=$?
    if [ "$status" -eq 0 ]; then
        printf 'ok    %s\n' "$what"
    else
        printf 'FAIL  %s (exit status %d)\n' "$what" "$status"
        failures=$((failures + 1))
    fi
    [ -z "$output" ] || printf '%s\n' "$output" | head -n 5 | sed 's/^/      /'
}
check "datadock --version" in_root datadock --version
check "datadock ports" in_root datadock ports
check "ktr90-sim --help" in_root ktr90-sim --help
check "datadock-manager finds its libraries" \
    sh -c "! chroot '$root' ldd /usr/bin/datadock-manager | grep 'not found'"
# The window comes up (drawn off screen here) and stays until it is closed.
check "datadock-manager starts" sh -c "chroot '$root' env QT_QPA_PLATFORM=offscreen \
    timeout 3 datadock-manager; [ \$? -eq 124 ]"
if [ -e "$root/dev/ptmx" ] && mountpoint -q "$root/dev/pts"; then
    check "LOG SAVE from the installed simulated logger" in_root sh -c '
        ktr90-sim --once --seed 3 >/tmp/port &
        while [ ! -s /tmp/port ]; do sleep 0.1; done
        datadock log-save --port "$(cat /tmp/port)" --lap /tmp/lap.csv --log /tmp/log.csv 2>/dev/null
        status=$?; wait; head -n 2 /tmp/lap.csv; exit $status'
fi
for file in /usr/lib/udev/rules.d/70-datadock.rules /usr/share/man/man1/datadock.1.gz \
            /usr/share/man/man1/datadock-manager.1.gz /usr/share/man/man1/ktr90-sim.1.gz \
            /usr/share/applications/datadock-manager.desktop; do
    check "$file installed" test -f "$root$file"
done
say "done after ${SECONDS}s"
[ "$failures" -eq 0 ] || die "$failures checks failed"

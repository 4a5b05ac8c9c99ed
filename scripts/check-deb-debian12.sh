#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and checks it on a clean Debian 12:
#
#   1. builds the programs in BUILD_DIR (default build-deb/; Release, no tests,
#      no benchmarks) and packs them with `cpack -G DEB`;
#   2. makes a minimal Debian 12 (bookworm) with debootstrap, once, in
#      DEBIAN12_DIR/base (default /tmp/bkf-debian12, outside the repository),
#      and copies it afresh into DEBIAN12_DIR/check for every run;
#   3. installs the package there with `apt-get install ./PACKAGE.deb`, which
#      must find everything it depends on in Debian;
#   4. writes a small backup (tests/support/tools/make_sample_backup), starts
#      the window program on it offscreen and expects it still up after 5
#      seconds, then once more on an X server (Xvfb on this machine, its socket
#      lent to the Debian 12 system) where its window must appear (screenshot:
#      DEBIAN12_DIR/window-xcb.png), and runs `bkf-recover list` and
#      `bkf-recover extract` on the backup;
#   5. checks the installed desktop entry, icons and MIME type.
#
#   scripts/check-deb-debian12.sh
#
# Needs root (debootstrap, chroot) and access to deb.debian.org. Takes a few
# minutes, most of them building and downloading; not part of ./test.sh.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build-deb}
DEBIAN12_DIR=${DEBIAN12_DIR:-/tmp/bkf-debian12}
MIRROR=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
BASE=$DEBIAN12_DIR/base
CHECK=$DEBIAN12_DIR/check
DESKTOP_ID=example.brevant_veltra.bkf

say() { printf '\n==> %s\n' "$*"; }
die() { echo "check-deb-debian12: $*" >&2; exit 1; }

[[ "$(id -u)" == "0" ]] || die "needs root (debootstrap and chroot)"
# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps --package --screenshots
# shellcheck source=tests/support/x11_keyboard.sh
source "$ROOT/tests/support/x11_keyboard.sh"

say "Package (cpack -G DEB in $BUILD_DIR)"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBKF_BUILD_TESTS=OFF -DBKF_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" --parallel "${BKF_JOBS:-2}"
(cd "$BUILD_DIR" && rm -f ./*.deb && cpack -G DEB >/dev/null)
DEB=$(ls "$BUILD_DIR"/brevant-veltra-bkf_*.deb)
echo "$DEB"
dpkg-deb --field "$DEB" Package Version Architecture Depends Recommends

say "Clean Debian 12 ($CHECK)"
if [[ ! -x "$BASE/usr/bin/apt-get" ]]; then
    rm -rf "$BASE"
    debootstrap --variant=minbase bookworm "$BASE" "$MIRROR" >"$DEBIAN12_DIR/debootstrap.log" 2>&1 ||
        die "debootstrap failed; see $DEBIAN12_DIR/debootstrap.log"
fi
X_DIR=""
cleanup() {
    local mount
    for mount in "$CHECK/tmp/.X11-unix" "$CHECK/proc" "$CHECK/dev"; do
        if mountpoint -q "$mount"; then umount "$mount"; fi
    done
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
    if [[ -n "$X_DIR" ]]; then rm -rf "$X_DIR"; fi
}
trap cleanup EXIT
cleanup
rm -rf "$CHECK"
cp -a "$BASE" "$CHECK"
mount -t proc proc "$CHECK/proc"
mount --bind /dev "$CHECK/dev"
cp /etc/resolv.conf "$CHECK/etc/resolv.conf"
grep PRETTY_NAME "$CHECK/etc/os-release"

in_debian() { chroot "$CHECK" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

say "apt-get install ./$(basename "$DEB")"
cp "$DEB" "$CHECK/tmp/"
in_debian apt-get update -q >/dev/null
in_debian env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "/tmp/$(basename "$DEB")" >"$DEBIAN12_DIR/apt.log" 2>&1 ||
    { tail -n 30 "$DEBIAN12_DIR/apt.log"; die "the package did not install"; }
grep -E '^(Setting up brevant|[0-9]+ upgraded)' "$DEBIAN12_DIR/apt.log"

say "The programs on a generated backup"
g++ -std=c++17 -O1 -I"$ROOT/tests/support" "$ROOT/tests/support/tools/make_sample_backup.cpp" \
    "$ROOT/tests/support/tools/sample_content.cpp" "$ROOT/tests/support/bkf_writer.cpp" \
    -o "$DEBIAN12_DIR/make_sample_backup"
rm -rf "$CHECK/tmp/originals"
"$DEBIAN12_DIR/make_sample_backup" "$CHECK/tmp/sample.bkf" "$CHECK/tmp/originals"
mkdir -m 700 "$CHECK/tmp/xdg"
status=0
in_debian env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp/xdg timeout 5 brevant-veltra-bkf /tmp/sample.bkf \
    >"$DEBIAN12_DIR/window.log" 2>&1 || status=$?
# timeout's 124: the window was still up after 5 seconds.
((status == 124)) || { cat "$DEBIAN12_DIR/window.log"; die "brevant-veltra-bkf ended with status $status within 5 s"; }
echo "brevant-veltra-bkf /tmp/sample.bkf: still running after 5 s (offscreen), stopped"
X_DIR=$(mktemp -d)
x_start "$X_DIR" || die "Xvfb did not start"
mkdir -p "$CHECK/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$CHECK/tmp/.X11-unix"
in_debian env DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=/tmp/xdg timeout 10 brevant-veltra-bkf /tmp/sample.bkf \
    >"$DEBIAN12_DIR/window-xcb.log" 2>&1 &
window_pid=$!
X_TIMEOUT=10 x_wait_window "$X_MAIN_TITLE" >/dev/null ||
    { cat "$DEBIAN12_DIR/window-xcb.log"; die "the window did not appear on the X server"; }
sleep 2
import -window root "$DEBIAN12_DIR/window-xcb.png"
status=0
wait "$window_pid" || status=$?
((status == 124)) || { cat "$DEBIAN12_DIR/window-xcb.log"; die "brevant-veltra-bkf on X ended with status $status"; }
echo "brevant-veltra-bkf /tmp/sample.bkf: its window appeared on the X server and stayed up (screenshot: $DEBIAN12_DIR/window-xcb.png)"
in_debian bkf-recover list /tmp/sample.bkf
in_debian bkf-recover extract /tmp/sample.bkf /tmp/out
diff -r "$CHECK/tmp/originals" "$CHECK/tmp/out/Recovered BKF/BKF/"*/ && echo "extract: every file equal to its original"

say "Desktop entry, icons, MIME type"
for path in usr/share/applications/$DESKTOP_ID.desktop \
            usr/share/icons/hicolor/scalable/apps/$DESKTOP_ID.svg \
            usr/share/icons/hicolor/16x16/apps/$DESKTOP_ID.png \
            usr/share/icons/hicolor/256x256/apps/$DESKTOP_ID.png \
            usr/share/mime/packages/$DESKTOP_ID.xml \
            usr/share/mime/application/x-bkf.xml \
            usr/share/man/man1/bkf-recover.1.gz \
            usr/share/doc/brevant-veltra-bkf/README.md; do
    [[ -e "$CHECK/$path" ]] || die "missing after install: /$path"
    echo "/$path"
done
grep -q ':application/x-bkf:\*\.bkf$' "$CHECK/usr/share/mime/globs2" || die "the MIME database has no *.bkf"
if in_debian ldd /usr/bin/brevant-veltra-bkf | grep 'not found'; then
    die "brevant-veltra-bkf misses a shared library"
fi
say "The package installs and runs on a clean Debian 12"

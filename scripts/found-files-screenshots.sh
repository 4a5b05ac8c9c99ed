#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/found-files-filter.png and docs/found-files-sorted.png: the
# window at 1280 x 800 on a virtual X display after scanning the sample backup
# (catalogue_preview --sample) with three FILE blocks whose checksums fail and
# cut inside its last file's data; first with "*.pdf" typed into the filter
# box (Ctrl+F), then with the found-files list sorted by Status (the rows that
# are not ok first) and the folder Documents sorted by size. The headings are
# clicked at their places in a 1280 x 800 window.
#
#   scripts/found-files-screenshots.sh [OUT_DIR]
#
# Needs Xvfb, xdotool, ImageMagick and python3; builds in BUILD_DIR (default build/).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$(realpath -m "${BUILD_DIR:-$ROOT/build}")
OUT_DIR=${1:-$ROOT/docs}
WORK=$(mktemp -d)
APP_PID=""

cleanup() {
    local pid
    for pid in $APP_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

cmake --build "$BUILD_DIR" --parallel "${BKF_JOBS:-2}" --target brevant-veltra-bkf catalogue_preview
"$BUILD_DIR/bench/catalogue_preview" --sample "$WORK/sample.bkf"
# A byte of the displayable size of three FILE blocks changed (their header
# checksums fail: unverified), and the backup cut inside main.cpp's data.
python3 - "$WORK/sample.bkf" "$WORK/Office backup (damaged).bkf" <<'PY'
import re, sys
data = bytearray(open(sys.argv[1], 'rb').read())
blocks = [m.start() for m in re.finditer(b'FILE', data)]
for name in (b'l\0e\0t\0t\0e\0r', b'b\0e\0a\0c\0h', b'h\0o\0s\0t\0s'):
    block = [b for b in blocks if b < data.find(name)][-1]
    data[block + 8] ^= 0x55
cut = data.find(b'm\0a\0i\0n\0.\0c\0p\0p')
open(sys.argv[2], 'wb').write(data[:data.find(b't' * 64, cut) + 600])
PY

# shellcheck source=tests/support/x11_keyboard.sh
source "$ROOT/tests/support/x11_keyboard.sh"
x_start "$WORK" || { cat "$WORK/xvfb.log" >&2; exit 1; }
mkdir -p "$OUT_DIR"
(cd "$WORK" && exec "$BUILD_DIR/app/brevant-veltra-bkf" "$WORK/Office backup (damaged).bkf" >/dev/null 2>&1) &
APP_PID=$!
WINDOW=$(x_wait_window "$X_MAIN_TITLE")
xdotool windowmove "$WINDOW" 0 0 windowsize "$WINDOW" 1280 800
sleep "${SCREENSHOT_DELAY:-3}"
x_focus "$WINDOW"
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }

xdotool key --window "$WINDOW" ctrl+f
xdotool type --delay 60 "*.pdf"
sleep 1
import -window root "$OUT_DIR/found-files-filter.png"

xdotool key --window "$WINDOW" ctrl+a BackSpace
click 1160 482; click 1160 482 # Status, twice: descending
click 200 246; click 220 264   # open the first set, show Documents
click 905 228; click 905 228   # File Size of the contents list, twice
xdotool mousemove 640 700
sleep 0.3
import -window root "$OUT_DIR/found-files-sorted.png"

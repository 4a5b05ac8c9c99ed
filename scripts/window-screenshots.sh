#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/window-file-page.png, docs/window-results-page.png and
# docs/window-save-report.png: the recovery window at 1280 x 800 on a virtual
# X display (Xvfb), first on the file page, then on the results page after the
# scan of a generated backup, then with the report after saving from the same
# backup cut short inside its last file (saved through the keyboard, as
# tests/e2e/keyboard-save.sh does). Then both pages again under a dark desktop
# palette (docs/window-*-dark.png, BKF_DARK_PALETTE=1), and the results page at
# 200 % on a 1920 x 1080 screen, at the smallest size the window takes there
# (docs/window-results-page-200.png, QT_SCALE_FACTOR=2). Between them the
# found-files list of the backup with three FILE blocks whose checksums fail,
# cut inside its last file's data: filtered by "*.pdf" typed after Ctrl+F
# (docs/found-files-filter.png), then sorted by Status, the rows that are not
# ok first, with the folder Documents sorted by size (the headings clicked at
# their places in a 1280 x 800 window; docs/found-files-sorted.png). Then the
# results page of a backup opened again from its catalogue cache
# (docs/catalogue-from-cache.png), and the question of a save into a folder
# where an earlier save of the backup stopped (docs/continue-save.png).
# Last, with a window manager (openbox, its title bar in the picture), both
# pages under real dark desktop styles: Adwaita-Dark
# (docs/window-*-adwaita-dark.png, QT_STYLE_OVERRIDE) and Fusion with qt6ct's
# "darker" colours (docs/window-*-fusion-dark.png, QT_QPA_PLATFORMTHEME=qt6ct);
# then the results page at 200 % on a 1920 x 1080 screen, maximised by the
# window manager (docs/window-results-page-200-framed.png).
# Captured with ImageMagick's `import`; without a window manager the window is
# sized with xdotool.
#
#   scripts/window-screenshots.sh [OUT_DIR]
#
# Needs Xvfb, xdotool, ImageMagick, openbox, adwaita-qt6 and qt6ct; builds in
# BUILD_DIR (default build/).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=$(realpath -m "${BUILD_DIR:-$ROOT/build}")
OUT_DIR=${1:-$ROOT/docs}
WORK=$(mktemp -d)
APP_PID=""
XVFB_PID=""
OPENBOX_PID=""

cleanup() {
    local pid
    for pid in $APP_PID $OPENBOX_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps --screenshots

if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" --parallel "${BKF_JOBS:-2}" --target brevant-veltra-bkf catalogue_preview bkf-recover
APP=$BUILD_DIR/app/brevant-veltra-bkf
"$BUILD_DIR/bench/catalogue_preview" --sample "$WORK/Office backup.bkf"
# The same backup ending halfway through the data of its last file of 1 KiB
# or more (a smaller file's block and data share one slot, which the cut
# would take whole: the file would not be found at all, so not reported).
cp "$WORK/Office backup.bkf" "$WORK/Office backup (cut).bkf"
read -r size offset _ < <("$BUILD_DIR/cli/bkf-recover" list "$WORK/Office backup.bkf" 2>/dev/null |
                          awk -F '\t' '$1 >= 1024' | tail -n 1)
truncate -s $((offset + size / 2)) "$WORK/Office backup (cut).bkf"
# A byte of the displayable size of three FILE blocks changed (their header
# checksums fail: unverified), and the backup cut inside main.cpp's data.
python3 - "$WORK/Office backup.bkf" "$WORK/Office backup (damaged).bkf" <<'PY'
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

# Starts the window with the given arguments and fills the screen with it
# (WINDOW_SIZE, default 1280 x 800); its id goes into WINDOW. The catalogue
# cache starts empty unless KEEP_CACHE is set.
open_window() {
    [[ -n "${KEEP_CACHE:-}" ]] || rm -rf "$XDG_CACHE_HOME/brevant-veltra-bkf"
    (cd "$WORK" && exec "$APP" "$@" >/dev/null) &
    APP_PID=$!
    WINDOW=$(x_wait_window "$X_MAIN_TITLE") || { echo "window-screenshots: the window did not open" >&2; exit 1; }
    # Under a window manager the window keeps the place and size it takes.
    [[ -n "$OPENBOX_PID" ]] && return 0
    # shellcheck disable=SC2086
    xdotool windowmove "$WINDOW" 0 0 windowsize "$WINDOW" ${WINDOW_SIZE:-1280 800}
}
close_window() {
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
}
capture() {
    import -window root "$1"
    echo "screenshot: $1"
}

# Captures the screen into $1 after the scan (if any) has had time to end.
shoot() {
    local out=$1
    shift
    open_window "$@"
    sleep "${SCREENSHOT_DELAY:-3}"
    capture "$out"
    close_window
}

# Waits up to 5 s for a message over the main window, captures the screen
# into $1 and closes the window; says so when no $2 appeared.
capture_message() {
    local _
    for _ in $(seq 50); do
        (($(x_count "$X_MAIN_TITLE") > 1)) && break
        sleep 0.1
    done
    if (($(x_count "$X_MAIN_TITLE") < 2)); then
        echo "window-screenshots: no $2 appeared; $1 not taken" >&2
        close_window
        return 1
    fi
    sleep 0.5
    capture "$1"
    close_window
}

# Saves from the cut backup through the keyboard and captures the report.
shoot_save_report() {
    open_window "$WORK/Office backup (cut).bkf"
    sleep "${SCREENSHOT_DELAY:-3}"
    mkdir -p "$WORK/saved"
    x_save_into "$WINDOW" "$WORK/saved" && x_wait_save_end "$WORK/saved" || true
    capture_message "$1" "save report"
}

# A save into a folder holding Recovered BKF .. Recovered BKF3, where the
# last save stopped after a few files: the window asks to continue it.
shoot_continue_question() {
    local dest="$WORK/continued" _
    mkdir -p "$dest"
    for _ in 1 2 3 4; do
        "$BUILD_DIR/cli/bkf-recover" extract -q --no-cache "$WORK/Office backup.bkf" "$dest" >/dev/null
    done
    find "$dest/Recovered BKF3" -type f | sort | tail -n +4 | xargs -d '\n' rm -f
    open_window "$WORK/Office backup.bkf"
    sleep "${SCREENSHOT_DELAY:-3}"
    x_save_into "$WINDOW" "$dest" || true
    capture_message "$1" "question"
}

# The found-files list filtered, then both lists sorted by a heading click.
shoot_found_files() {
    open_window "$WORK/Office backup (damaged).bkf"
    sleep "${SCREENSHOT_DELAY:-3}"
    x_focus "$WINDOW"
    click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
    xdotool key --window "$WINDOW" ctrl+f
    xdotool type --delay 60 "*.pdf"
    sleep 1
    capture "$OUT_DIR/found-files-filter.png"
    xdotool key --window "$WINDOW" ctrl+a BackSpace
    click 1160 482; click 1160 482 # Status, twice: descending
    click 200 246; click 220 264   # open the first set, show Documents
    click 650 228; click 650 228   # File Size of the contents list (columns fit their contents), twice
    xdotool mousemove 640 700
    sleep 0.3
    capture "$OUT_DIR/found-files-sorted.png"
    close_window
}

shoot "$OUT_DIR/window-file-page.png"
shoot "$OUT_DIR/window-results-page.png" "$WORK/Office backup.bkf"
shoot_save_report "$OUT_DIR/window-save-report.png"
shoot_found_files

BKF_DARK_PALETTE=1 shoot "$OUT_DIR/window-file-page-dark.png"
BKF_DARK_PALETTE=1 shoot "$OUT_DIR/window-results-page-dark.png" "$WORK/Office backup (cut).bkf"

# Scanned once, then opened again: the catalogue comes from the cache.
shoot "$WORK/first-scan.png" "$WORK/Office backup (cut).bkf"
KEEP_CACHE=1 shoot "$OUT_DIR/catalogue-from-cache.png" "$WORK/Office backup (cut).bkf"
shoot_continue_question "$OUT_DIR/continue-save.png"

# With a window manager (openbox): the window starts maximised, its remembered
# size forgotten each time.
start_openbox() {
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    OPENBOX_PID=$!
    sleep 1
}
stop_openbox() {
    kill "$OPENBOX_PID"
    wait "$OPENBOX_PID" 2>/dev/null || true
    OPENBOX_PID=""
}
framed() {
    find "$XDG_CONFIG_HOME" -mindepth 1 -maxdepth 1 ! -name qt6ct -exec rm -rf {} +
    shoot "$@"
}

# Real dark desktop styles: Adwaita-Dark, and Fusion with qt6ct's "darker" colours.
start_openbox
mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<EOF
[Appearance]
style=Fusion
custom_palette=true
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
EOF
QT_STYLE_OVERRIDE=Adwaita-Dark framed "$OUT_DIR/window-file-page-adwaita-dark.png"
QT_STYLE_OVERRIDE=Adwaita-Dark framed "$OUT_DIR/window-results-page-adwaita-dark.png" "$WORK/Office backup.bkf"
QT_QPA_PLATFORMTHEME=qt6ct framed "$OUT_DIR/window-file-page-fusion-dark.png"
QT_QPA_PLATFORMTHEME=qt6ct framed "$OUT_DIR/window-results-page-fusion-dark.png" "$WORK/Office backup.bkf"
stop_openbox

# 200 %: a 1920 x 1080 screen, the window at its smallest there (870 x 540
# of its pixels, the screen's height; no window manager enforces the minimum).
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
X_SCREEN=1920x1080x24 x_start "$WORK" || { cat "$WORK/xvfb.log" >&2; exit 1; }
QT_SCALE_FACTOR=2 WINDOW_SIZE="1740 1080" shoot "$OUT_DIR/window-results-page-200.png" "$WORK/Office backup (cut).bkf"

# The same screen with a title bar: maximised, the status bar on the screen.
start_openbox
QT_SCALE_FACTOR=2 framed "$OUT_DIR/window-results-page-200-framed.png" "$WORK/Office backup (cut).bkf"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes docs/window-file-page.png and docs/window-results-page.png: the
# recovery window at 1280 x 800 on a virtual X display (Xvfb), first on the
# file page, then on the results page after the scan of a generated backup.
# Captured with ImageMagick's `import`; the window is sized with xdotool
# (there is no window manager to maximise it).
#
#   scripts/window-screenshots.sh [OUT_DIR]
#
# Needs Xvfb, xdotool and ImageMagick; builds in BUILD_DIR (default build/).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
OUT_DIR=${1:-$ROOT/docs}
DISPLAY_NUMBER=${SCREENSHOT_DISPLAY:-96}
WORK=$(mktemp -d)
XVFB_PID=""
APP_PID=""

cleanup() {
    [[ -n "$APP_PID" ]] && kill "$APP_PID" 2>/dev/null || true
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps --screenshots

if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" --parallel "${BKF_JOBS:-2}" --target brevant-veltra-bkf catalogue_preview
APP=$BUILD_DIR/app/brevant-veltra-bkf
"$BUILD_DIR/bench/catalogue_preview" --sample "$WORK/Office backup.bkf"

Xvfb ":$DISPLAY_NUMBER" -screen 0 1280x800x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ]] && break
    sleep 0.1
done
export DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb
mkdir -p -m 700 "$WORK/xdg"
export XDG_RUNTIME_DIR="$WORK/xdg"
mkdir -p "$OUT_DIR"

# Starts the window with the given arguments, fills the screen with it and
# captures the screen into $1 after the scan (if any) has had time to end.
shoot() {
    local out=$1
    shift
    (cd "$WORK" && exec "$APP" "$@" >/dev/null) &
    APP_PID=$!
    local window
    window=$(xdotool search --sync --name "^Brevant Veltra BKF$" | head -n 1)
    xdotool windowmove "$window" 0 0 windowsize "$window" 1280 800
    sleep "${SCREENSHOT_DELAY:-3}"
    import -window root "$out"
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=""
    echo "screenshot: $out"
}

shoot "$OUT_DIR/window-file-page.png"
shoot "$OUT_DIR/window-results-page.png" "$WORK/Office backup.bkf"

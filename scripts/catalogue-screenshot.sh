#!/usr/bin/env bash
# Takes docs/catalogue-browser.png: the folder tree, the folder contents list
# and the found-files list, filled from a real scan of a generated backup and
# shown in a plain window on a virtual X display (Xvfb), captured with
# ImageMagick's `import`.
#
#   scripts/catalogue-screenshot.sh [OUT.png]
#
# Needs Xvfb and ImageMagick; builds catalogue_preview in BUILD_DIR (default build/).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
OUT=${1:-$ROOT/docs/catalogue-browser.png}
DISPLAY_NUMBER=${SCREENSHOT_DISPLAY:-97}
WORK=$(mktemp -d)
XVFB_PID=""
PREVIEW_PID=""

cleanup() {
    [[ -n "$PREVIEW_PID" ]] && kill "$PREVIEW_PID" 2>/dev/null || true
    [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$BUILD_DIR" --parallel "${BKF_JOBS:-2}" --target catalogue_preview
PREVIEW=$BUILD_DIR/bench/catalogue_preview

"$PREVIEW" --sample "$WORK/sample.bkf"

Xvfb ":$DISPLAY_NUMBER" -screen 0 1180x640x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 50); do
    [[ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ]] && break
    sleep 0.1
done

mkdir -p -m 700 "$WORK/xdg"
DISPLAY=":$DISPLAY_NUMBER" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK/xdg" "$PREVIEW" "$WORK/sample.bkf" &
PREVIEW_PID=$!
sleep "${SCREENSHOT_DELAY:-3}"
mkdir -p "$(dirname "$OUT")"
DISPLAY=":$DISPLAY_NUMBER" import -window root "$OUT"
echo "screenshot: $OUT"

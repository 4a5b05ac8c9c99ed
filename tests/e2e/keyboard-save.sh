#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole road driven by the keyboard alone, as a person would, in a real X
# server (Xvfb): start the window with no backup, type the backup's path into
# the file-name box (it has the focus), Enter, wait for the scan to end,
# Ctrl+S, type a destination folder into the folder chooser, Enter, wait for
# the progress window to close, then compare every saved file with the file
# that went into the backup.
#
#   tests/e2e/keyboard-save.sh APP MAKE_SAMPLE_BACKUP
#
# APP is the window program, MAKE_SAMPLE_BACKUP the writer of the backup and
# of its original files (tests/support/tools). Every wait is bounded
# (X_TIMEOUT seconds each, default 60). On failure it says what it waited for
# and leaves a screenshot in E2E_ARTIFACTS (default: the current folder).
# Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail

if (($# != 2)); then
    echo "usage: tests/e2e/keyboard-save.sh APP MAKE_SAMPLE_BACKUP" >&2
    exit 2
fi
APP=$(realpath "$1")
MAKE_SAMPLE=$(realpath "$2")
ARTIFACTS=$(realpath "${E2E_ARTIFACTS:-.}")
# shellcheck source=tests/support/x11_keyboard.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/x11_keyboard.sh"

WORK=$(mktemp -d)
APP_PID=""
cleanup() {
    local status=$? pid
    for pid in $APP_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
    exit "$status"
}
trap cleanup EXIT

fail() {
    local shot="$ARTIFACTS/keyboard-save-failure.png"
    echo "keyboard-save: $*" >&2
    if [[ -n "${DISPLAY:-}" ]] && timeout 10 import -window root "$shot" 2>/dev/null; then
        echo "keyboard-save: the screen at that moment: $shot" >&2
    fi
    if [[ -s "$WORK/app.log" ]]; then
        echo "keyboard-save: the window program's output:" >&2
        tail -n 20 "$WORK/app.log" >&2
    fi
    exit 1
}

"$MAKE_SAMPLE" "$WORK/Office backup.bkf" "$WORK/originals" || fail "the sample backup could not be written"
mkdir "$WORK/saved files"
x_start "$WORK" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"

(cd "$WORK" && exec "$APP") >"$WORK/app.log" 2>&1 &
APP_PID=$!
main=$(x_wait_window "$X_MAIN_TITLE") || fail "the window did not open within ${X_TIMEOUT}s"
x_focus "$main"
timeout 30 xdotool type --clearmodifiers --delay 15 "$WORK/Office backup.bkf"
x_keys Return
x_save_into "$main" "$WORK/saved files" ||
    fail "Ctrl+S did not open the folder chooser, or the chooser did not take the folder, within ${X_TIMEOUT}s"
x_wait_save_end "$WORK/saved files" ||
    fail "the save did not end within ${X_TIMEOUT}s (progress window still open, or no output folder)"
kill -0 "$APP_PID" 2>/dev/null || fail "the window program ended during the save"
(($(x_count "$X_MAIN_TITLE") == 1)) || fail "a message box is open after a save that has nothing to report"

# The one backup set's folder holds exactly the original files.
sets=("$WORK/saved files/Recovered BKF"/BKF/*/)
if ((${#sets[@]} != 1)) || [[ ! -d "${sets[0]}" ]]; then
    fail "expected one set folder under Recovered BKF/BKF, found: ${sets[*]}"
fi
if ! diff -r "$WORK/originals" "${sets[0]}" >"$WORK/diff.log" 2>&1; then
    cat "$WORK/diff.log" >&2
    fail "the saved files differ from the files in the backup"
fi
echo "keyboard-save: $(find "${sets[0]}" -type f | wc -l) files saved through the keyboard, each equal to its original"

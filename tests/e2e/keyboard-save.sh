#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The save road driven by the keyboard alone, as a person would, in a real X
# server (Xvfb): start the window with a generated backup, wait for the scan
# to end, Ctrl+S, type a destination folder into the folder chooser, Enter,
# wait for the progress window to close, then compare every saved file with
# the file that went into the backup.
#
#   tests/e2e/keyboard-save.sh APP MAKE_SAMPLE_BACKUP
#
# APP is the window program, MAKE_SAMPLE_BACKUP the writer of the backup and
# of its original files (tests/support/tools). Every wait is bounded
# (E2E_TIMEOUT seconds each, default 60). On failure it says what it waited
# for and leaves a screenshot of the screen in E2E_ARTIFACTS (default: the
# current folder). There is no window manager, so the script gives each new
# window the keyboard focus as a window manager would; everything else is keys.
# Needs Xvfb, xdotool and ImageMagick.
set -euo pipefail

if (($# != 2)); then
    echo "usage: tests/e2e/keyboard-save.sh APP MAKE_SAMPLE_BACKUP" >&2
    exit 2
fi
APP=$(realpath "$1")
MAKE_SAMPLE=$(realpath "$2")
TIMEOUT=${E2E_TIMEOUT:-60}
ARTIFACTS=$(realpath "${E2E_ARTIFACTS:-.}")
MAIN_TITLE='^Brevant Veltra BKF$'
CHOOSER_TITLE='^Please select the Directory to Save the repaired files$'
PROGRESS_TITLE='^Brevant Veltra BKF -  Saving files\.\.\.$'

WORK=$(mktemp -d)
XVFB_PID=""
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

# The visible windows whose title matches $1, one id a line (none: empty).
windows() {
    timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}
count_windows() {
    windows "$1" | grep -c . || true
}
# Waits until a visible window matches $1 and prints its id.
wait_window() {
    local deadline=$((SECONDS + TIMEOUT)) id
    while ((SECONDS < deadline)); do
        id=$(windows "$1" | head -n 1)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
# Gives the keyboard focus to window $1 (a window manager's part).
focus() {
    timeout 10 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || timeout 10 xdotool windowfocus "$1"
}
keys() {
    timeout 10 xdotool key --clearmodifiers --delay 40 "$@"
}

"$MAKE_SAMPLE" "$WORK/Office backup.bkf" "$WORK/originals" || fail "the sample backup could not be written"
mkdir "$WORK/saved files"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do
    [[ -s "$WORK/display" ]] && break
    sleep 0.1
done
[[ -s "$WORK/display" ]] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
export DISPLAY=":$(head -n 1 "$WORK/display")" QT_QPA_PLATFORM=xcb
mkdir -p -m 700 "$WORK/xdg"
export XDG_RUNTIME_DIR="$WORK/xdg"

(cd "$WORK" && exec "$APP" "$WORK/Office backup.bkf") >"$WORK/app.log" 2>&1 &
APP_PID=$!
main=$(wait_window "$MAIN_TITLE") || fail "the window did not open within ${TIMEOUT}s"
focus "$main"

# Ctrl+S until the folder chooser opens. Pressed before the scan has ended,
# it is refused with a message box (a second window of the main title); Enter
# closes that box and the next try follows a moment later.
chooser=""
deadline=$((SECONDS + TIMEOUT))
while [[ -z "$chooser" ]] && ((SECONDS < deadline)); do
    keys ctrl+s
    for _ in $(seq 30); do
        chooser=$(windows "$CHOOSER_TITLE" | head -n 1)
        [[ -n "$chooser" ]] && break
        if (($(count_windows "$MAIN_TITLE") > 1)); then
            box=$(windows "$MAIN_TITLE" | grep -vx "$main" | head -n 1)
            focus "$box"
            keys Return
            sleep 0.5
            focus "$main"
            break
        fi
        sleep 0.1
    done
done
[[ -n "$chooser" ]] || fail "Ctrl+S did not open the folder chooser within ${TIMEOUT}s"

# Ctrl+A first, as a person clearing the name box would. The path's completion
# list may take the first Enter; a second one follows only while the chooser
# is still open.
focus "$chooser"
keys ctrl+a
timeout 30 xdotool type --clearmodifiers --delay 15 "$WORK/saved files"
keys Return
for _ in $(seq 20); do
    [[ -z "$(windows "$CHOOSER_TITLE")" ]] && break
    sleep 0.1
done
if [[ -n "$(windows "$CHOOSER_TITLE")" ]]; then
    keys Return
fi

# The save has ended when its output folder exists and the progress window
# has been closed for a second (on a small backup it may never be seen open).
output="$WORK/saved files/Recovered BKF"
deadline=$((SECONDS + TIMEOUT))
settled=0
while ((settled < 10)); do
    ((SECONDS < deadline)) || fail "the save did not end within ${TIMEOUT}s (progress window still open, or no output folder)"
    if [[ -n "$(windows "$CHOOSER_TITLE")" || -n "$(windows "$PROGRESS_TITLE")" || ! -d "$output" ]]; then
        settled=0
    else
        settled=$((settled + 1))
    fi
    sleep 0.1
done
kill -0 "$APP_PID" 2>/dev/null || fail "the window program ended during the save"
(($(count_windows "$MAIN_TITLE") == 1)) || fail "a message box is open after a save that should have nothing to report"

# The one backup set's folder holds exactly the original files.
sets=("$output"/BKF/*/)
((${#sets[@]} == 1)) && [[ -d "${sets[0]}" ]] || fail "expected one set folder under $output/BKF, found: ${sets[*]}"
if ! diff -r "$WORK/originals" "${sets[0]}" >"$WORK/diff.log" 2>&1; then
    cat "$WORK/diff.log" >&2
    fail "the saved files differ from the files in the backup"
fi
echo "keyboard-save: $(find "${sets[0]}" -type f | wc -l) files saved through the keyboard, each equal to its original"

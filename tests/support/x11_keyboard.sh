# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034
# Keyboard driving of the window in a real X server, shared by
# tests/e2e/keyboard-save.sh and scripts/window-screenshots.sh. Sourced; needs
# Xvfb and xdotool. Every wait is bounded by X_TIMEOUT seconds (default 60).
#
# There is no window manager, so x_focus gives a new window the keyboard focus
# as a window manager would; everything else goes through keys.

X_TIMEOUT=${X_TIMEOUT:-60}
X_MAIN_TITLE='^Brevant Veltra BKF$'
X_CHOOSER_TITLE='^Please select the Directory to Save the repaired files$'
X_PROGRESS_TITLE='^Brevant Veltra BKF -  Saving files\.\.\.$'
# The Xvfb process, for the caller to end.
XVFB_PID=""

# Starts Xvfb on a free display (the server picks it) at X_SCREEN (default
# 1280 x 800) and exports DISPLAY; logs and the display number go into folder
# $1, and so do the window's remembered settings (XDG_CONFIG_HOME) and its
# catalogue caches (XDG_CACHE_HOME), so that a run neither reads nor changes
# the user's.
x_start() {
    local folder=$1
    rm -f "$folder/display"
    Xvfb -displayfd 3 -screen 0 "${X_SCREEN:-1280x800x24}" -nolisten tcp 3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local _
    for _ in $(seq 100); do
        [[ -s "$folder/display" ]] && break
        sleep 0.1
    done
    [[ -s "$folder/display" ]] || return 1
    DISPLAY=":$(head -n 1 "$folder/display")"
    export DISPLAY QT_QPA_PLATFORM=xcb
    # The server answers before anything is started on it.
    for _ in $(seq 50); do
        timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1 || return 1
    mkdir -p -m 700 "$folder/xdg" "$folder/config" "$folder/cache"
    export XDG_RUNTIME_DIR="$folder/xdg" XDG_CONFIG_HOME="$folder/config" XDG_CACHE_HOME="$folder/cache"
}

# The visible windows whose title matches the pattern $1, one id a line.
x_windows() {
    timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null || true
}
x_count() {
    x_windows "$1" | grep -c . || true
}
# Waits until a visible window matches $1 and prints its id.
x_wait_window() {
    local deadline=$((SECONDS + X_TIMEOUT)) id
    while ((SECONDS < deadline)); do
        id=$(x_windows "$1" | head -n 1)
        if [[ -n "$id" ]]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
x_focus() {
    timeout 10 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || timeout 10 xdotool windowfocus "$1"
}
x_keys() {
    timeout 10 xdotool key --clearmodifiers --delay 40 "$@"
}

# Ctrl+S in the main window $1 until the folder chooser opens, then the folder
# $2 typed into it and Enter. Pressed before the scan has ended, Ctrl+S is
# refused with a message box (a second window of the main title); Enter closes
# that box and the next try follows a moment later. Fails when the chooser
# does not open, or does not take the folder, within X_TIMEOUT.
x_save_into() {
    local main=$1 folder=$2 chooser="" box _
    local deadline=$((SECONDS + X_TIMEOUT))
    x_focus "$main"
    while [[ -z "$chooser" ]] && ((SECONDS < deadline)); do
        x_keys ctrl+s
        for _ in $(seq 30); do
            chooser=$(x_windows "$X_CHOOSER_TITLE" | head -n 1)
            [[ -n "$chooser" ]] && break
            if (($(x_count "$X_MAIN_TITLE") > 1)); then
                box=$(x_windows "$X_MAIN_TITLE" | grep -vx "$main" | head -n 1)
                x_focus "$box"
                x_keys Return
                sleep 0.5
                x_focus "$main"
                break
            fi
            sleep 0.1
        done
    done
    [[ -n "$chooser" ]] || return 1
    # Ctrl+A first, as a person clearing the name box would. The folder's
    # completion list may take the first Enter; a second one follows only
    # while the chooser is still open.
    x_focus "$chooser"
    x_keys ctrl+a
    timeout 30 xdotool type --clearmodifiers --delay 15 "$folder"
    x_keys Return
    for _ in $(seq 20); do
        [[ -z "$(x_windows "$X_CHOOSER_TITLE")" ]] && return 0
        sleep 0.1
    done
    x_keys Return
    for _ in $(seq 50); do
        [[ -z "$(x_windows "$X_CHOOSER_TITLE")" ]] && return 0
        sleep 0.1
    done
    return 1
}

# Waits until the save into folder $1 has ended: its output folder exists and
# neither the chooser nor the progress window has been open for a second (on a
# small backup the progress window may never be seen open).
x_wait_save_end() {
    local output="$1/Recovered BKF" settled=0
    local deadline=$((SECONDS + X_TIMEOUT))
    while ((settled < 10)); do
        ((SECONDS < deadline)) || return 1
        if [[ -n "$(x_windows "$X_CHOOSER_TITLE")" || -n "$(x_windows "$X_PROGRESS_TITLE")" || ! -d "$output" ]]; then
            settled=0
        else
            settled=$((settled + 1))
        fi
        sleep 0.1
    done
}

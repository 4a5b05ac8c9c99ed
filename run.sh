#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the recovery window.
#
#   ./run.sh                 the window on its file page
#   ./run.sh BACKUP.bkf      the window with BACKUP.bkf in the file-name box, scanning it
#
# Without a display ($DISPLAY and $WAYLAND_DISPLAY both empty) it says so and
# shows how to use the command-line program bkf-recover instead, which it
# builds too. Build messages go to stderr.
set -euo pipefail

CALLER_DIR=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")"
ROOT=$PWD
JOBS=${BKF_JOBS:-2}

usage() {
    cat <<USAGE
usage: ./run.sh [BACKUP.bkf]

Builds the project (in build/) and opens the Brevant Veltra BKF window; with
BACKUP.bkf the window starts scanning that backup at once.
USAGE
}

no_display() {
    cat >&2 <<MESSAGE
run.sh: there is no display (\$DISPLAY and \$WAYLAND_DISPLAY are empty), so the
window cannot open. Use the command-line program instead:

  build/cli/bkf-recover list BACKUP.bkf            list the files the backup still holds
  build/cli/bkf-recover extract BACKUP.bkf DEST    copy them out into DEST
  build/cli/bkf-recover --help                     everything else
MESSAGE
}

case "${1:-}" in
    -h|--help) usage; exit 0 ;;
esac

# shellcheck source=scripts/install-deps.sh
source "$ROOT/scripts/install-deps.sh"
bkf_install_deps

has_display=1
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    has_display=0
fi

{
    if [[ ! -f build/CMakeCache.txt ]]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
    fi
    if ((has_display)); then
        cmake --build build --parallel "$JOBS" --target brevant-veltra-bkf
    else
        cmake --build build --parallel "$JOBS" --target bkf-recover
    fi
} >&2

if ((!has_display)); then
    no_display
    exit 1
fi

# From the caller's folder: a relative BACKUP path means what the caller
# meant, and help and Live Update are looked up where the user started.
cd "$CALLER_DIR"
exec "$ROOT/build/app/brevant-veltra-bkf" "$@"
